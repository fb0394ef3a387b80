// The unit-ID editor driven as a user drives it: the "Unit Id's" node opens the grid, cells are
// typed and undone, the grid commands of the Edit menu work on it, the list file is saved and
// opened from the File menu, and the unit IDs reach an HPD file that reads back unchanged.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "app/editor/unit_id_editor.h"
#include "core/editor/session.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

constexpr int k_uid = 1, k_tag = 2, k_tone = 3;

// The rows that hold a unit ID, as the user sees them.
std::vector<std::vector<std::string>> used_rows(UnitIdEditor* e) {
    std::vector<std::vector<std::string>> out;
    const TextGrid& g = e->model()->grid();
    for (int r = 1; r < g.rows(); ++r)
        if (!g.at(r, k_uid).empty()) out.push_back(g.row(r));
    return out;
}

void type_over(GridView* v, int grid_row, int col, const QString& text) {
    v->setFocus();
    v->move_to(grid_row - 1, col);
    QTest::keyClick(v, text.at(0).toLatin1());
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(qobject_cast<QLineEdit*>(editor));
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
}

}  // namespace

class TestUnitIdEditor : public QObject {
    Q_OBJECT

    EditorRig* rig_ = nullptr;
    UnitIdEditor* uid_ = nullptr;

    void trigger(const char* name) {
        QAction* a = rig_->window->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(a && a->isEnabled(), name);
        a->trigger();
    }

  private slots:
    void init() {
        rig_ = new EditorRig;
        rig_->start();
        rig_->open(sample_hpd());
        QVERIFY(rig_->click("UID-002"));
        uid_ = rig_->window->unit_id_editor();
        QVERIFY(uid_->has_system());
    }
    void cleanup() {
        rig_->window->session().clear_changed();
        delete rig_;
    }

    void theNodeOpensTheSystemsUnitIds() {
        QCOMPARE(rig_->window->editor_tabs()->currentWidget(), uid_);
        QCOMPARE(uid_->view()->objectName(), QStringLiteral("uidgrid"));
        QAbstractItemModelTester tester(uid_->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(uid_->model()->headerData(k_uid, Qt::Horizontal).toString(),
                 QStringLiteral("Unit ID"));
        auto rows = used_rows(uid_);
        QCOMPARE(rows.size(), size_t(5));
        QCOMPARE(rows[2], (std::vector<std::string>{"3", "2112", "Sheriff Car 12", "4", "10"}));
        // Unit-ID columns are 1500 twips (100 pixels) wide unless the user changed them.
        QCOMPARE(uid_->view()->columnWidth(k_tag), 100);

        QVERIFY(rig_->click("UID-003"));
        QCOMPARE(used_rows(uid_).size(), size_t(2));
        QVERIFY(rig_->click("GRP-999-001-000"));
        QVERIFY(!uid_->has_system());
    }

    void typedCellsAreUndoneAndReachTheStoreWhenLeaving() {
        type_over(uid_->view(), 2, k_tag, QStringLiteral("Console Two"));
        type_over(uid_->view(), 6, k_uid, QStringLiteral("6006"));
        QCOMPARE(uid_->model()->grid().at(2, k_tag), std::string("Console Two"));
        QVERIFY(rig_->window->isWindowModified());
        trigger("Undo");
        QCOMPARE(uid_->model()->grid().at(6, k_uid), std::string());
        trigger("Redo");
        QCOMPARE(uid_->model()->grid().at(6, k_uid), std::string("6006"));

        QVERIFY(rig_->click("GRP-999-001-000"));
        const SystemStore& store = rig_->window->session().store();
        QCOMPARE(store.get_node_text("UDD-002-00-0002"),
                 std::string("UID,1002,Console Two,Off,Auto"));
        QCOMPARE(store.get_node_text("UDD-002-00-0006"), std::string("UID,6006,,Off,Auto"));
    }

    void editMenuCommandsWorkOnTheUnitIdGrid() {
        uid_->select_range({1, 1, 2, 1});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Copy ID/Freq to Alpha Tag"));
        QCOMPARE(uid_->model()->grid().at(1, k_tag), std::string("UID:1001"));
        QCOMPARE(uid_->model()->grid().at(2, k_tag), std::string("UID:1002"));

        uid_->select_range({3, 1, 3, 4});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Cut Line"));
        QCOMPARE(used_rows(uid_).size(), size_t(4));
        uid_->select_range({1, 1, 1, 1});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Paste Line"));
        QCOMPARE(used_rows(uid_)[0][k_uid], std::string("2112"));
        QCOMPARE(used_rows(uid_).size(), size_t(5));

        uid_->select_range({1, k_tone, 5, k_tone});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Fill Down"));
        for (const auto& row : used_rows(uid_)) QCOMPARE(row[k_tone], std::string("4"));
        trigger("Undo");
        QCOMPARE(used_rows(uid_)[1][k_tone], std::string("Off"));
        // The group grid editor is not disturbed by commands meant for this grid.
        QVERIFY(rig_->window->diagnostics()->count() == 0);
    }

    void theListFileIsSavedAndOpenedFromTheFileMenu() {
        const auto shown = used_rows(uid_);
        QString list = rig_->home.filePath(QStringLiteral("units.txt"));
        rig_->chooser.push(QFile::encodeName(list).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save Unit ID file"));
        QVERIFY(QFile::exists(list));

        rig_->prompter.script({Answer::Yes});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Clear Current Grid"));
        QVERIFY(used_rows(uid_).empty());
        rig_->chooser.push(QFile::encodeName(list).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Open Unit ID file"));
        QCOMPARE(used_rows(uid_), shown);
        // Opening is one step: undo gives the cleared grid back.
        trigger("Undo");
        QVERIFY(used_rows(uid_).empty());
        trigger("Redo");
        QCOMPARE(used_rows(uid_), shown);

        // A file that is not a list is refused and the rows stay.
        rig_->chooser.push(QFile::encodeName(sample_hpd()).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Open Unit ID file"));
        QCOMPARE(used_rows(uid_), shown);
        QVERIFY(QString::fromStdString(rig_->prompter.told.back()).startsWith("This is not"));
    }

    void theFileMenuOpensTheEditorOfTheCurrentSystemOrAsksForOne() {
        QVERIFY(rig_->click("SYS-003"));
        QString list = rig_->home.filePath(QStringLiteral("bayview.txt"));
        rig_->chooser.push(QFile::encodeName(list).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save Unit ID file"));
        QCOMPARE(uid_->system(), 3);
        QVERIFY(QFile::exists(list));

        QVERIFY(rig_->click("SYS-001"));  // conventional
        rig_->window->dispatch(Menu::File, QStringLiteral("Open Unit ID file"));
        QCOMPARE(rig_->prompter.told.back(), std::string("Unit IDs belong to trunked systems."));
        rig_->window->session().clear_selection();
        rig_->window->dispatch(Menu::File, QStringLiteral("Open Unit ID file"));
        QCOMPARE(rig_->prompter.told.back(), std::string("Please select a system"));
    }

    void editedUnitIdsSavedToAnHpdFileReadBackUnchanged() {
        type_over(uid_->view(), 1, k_tag, QStringLiteral("Console One"));
        type_over(uid_->view(), 6, k_uid, QStringLiteral("7007"));
        type_over(uid_->view(), 6, k_tag, QStringLiteral("Harbor Master"));
        uid_->select_range({6, k_tone, 6, k_tone});
        QTest::keyClick(uid_->view(), Qt::Key_5);
        const auto edited = used_rows(uid_);
        QCOMPARE(edited.size(), size_t(6));
        QCOMPARE(edited[5][k_tone], std::string("5"));

        QString out = rig_->home.filePath(QStringLiteral("uid_out.hpd"));
        rig_->chooser.push(QFile::encodeName(out).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QVERIFY(QFile::exists(out));
        rig_->open(out);
        QVERIFY(rig_->click("UID-002"));
        QCOMPARE(used_rows(rig_->window->unit_id_editor()), edited);
    }
};

QTEST_MAIN(TestUnitIdEditor)
#include "test_unit_id_editor.moc"
