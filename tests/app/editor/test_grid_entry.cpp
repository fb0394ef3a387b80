// Entry in the grids as a fast typist meets it: every keystroke arrives whatever was selected
// before, values the scanner cannot use are marked as they are typed and named before a save,
// Check reports without changing anything until Fix, and a failed write loses nothing.
#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <random>

#include "app/common/latin1.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

constexpr int k_freq = 1, k_tag = 2;

QPoint centre_of(GridView* v, int grid_row, int col) {
    QModelIndex i = v->model()->index(grid_row - 1, col);
    v->scrollTo(i);
    return v->visualRect(i).center();
}

void click(GridView* v, int grid_row, int col, Qt::KeyboardModifiers mods = {}) {
    // The window system gives a clicked view the focus; events sent straight to it do not.
    if (!v->hasFocus() && !v->isAncestorOf(QApplication::focusWidget())) v->setFocus();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, mods, centre_of(v, grid_row, col));
}

// Keys go where a keyboard sends them: to whatever has the focus when each one arrives.
void type(const QString& text) {
    for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// Enter commits the cell editor; the view closes it on its next turn of the event loop.
void enter() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
}

}  // namespace

class TestGridEntry : public QObject {
    Q_OBJECT

    EditorRig* rig_ = nullptr;
    GridEditor* grid_ = nullptr;
    GridView* view_ = nullptr;

    QString cell(int row, int col) { return to_q(grid_->model()->grid().at(row, col)); }

  private slots:
    void init() {
        rig_ = new EditorRig;
        rig_->start();
        rig_->open(sample_hpd());
        QVERIFY(rig_->click("GRP-999-001-000"));
        grid_ = rig_->window->grid_editor();
        view_ = grid_->view();
        view_->setFocus();
        new QAbstractItemModelTester(view_->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     rig_->window.get());
    }

    void cleanup() {
        rig_->window->session().clear_changed();
        delete rig_;
    }

    void typingRightAfterClickingTheSelectedCellKeepsEveryKey() {
        click(view_, 2, k_freq);
        click(view_, 2, k_freq);  // already selected: Qt would open its editor only later
        type(QStringLiteral("146.61"));
        enter();
        QCOMPARE(cell(2, k_freq), QStringLiteral("146.61"));
        // And when the user waits: no editor opens by itself, so a second click cannot put a
        // caret into the old value; typing still replaces it.
        click(view_, 3, k_tag);
        click(view_, 3, k_tag);
        QTest::qWait(QApplication::doubleClickInterval() + 200);
        QVERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        click(view_, 3, k_tag);
        type(QStringLiteral("Waited"));
        enter();
        QCOMPARE(cell(3, k_tag), QStringLiteral("Waited"));
    }

    void twoHundredRandomValuesArriveWhateverWasSelectedBefore() {
        std::mt19937 random(8);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        int kept = 0;
        for (int i = 0; i < 200; ++i) {
            const int rows = std::min(grid_->model()->grid().rows() - 1, 25);
            const int row = 1 + pick(rows), col = pick(2) ? k_freq : k_tag;
            // What the user did before: the same cell, another one, a block, an open editor.
            switch (pick(5)) {
                case 0:
                    click(view_, row, col);
                    break;
                case 1:
                    click(view_, 1 + pick(rows), 1 + pick(2));
                    break;
                case 2:
                    click(view_, 1 + pick(rows), k_freq);
                    click(view_, 1 + pick(rows), k_tag, Qt::ShiftModifier);
                    break;
                case 3:
                    click(view_, 1 + pick(rows), k_tag);
                    QTest::keyClick(view_, Qt::Key_F2);
                    break;
                default:
                    break;
            }
            click(view_, row, col);
            if (pick(3) == 0) QTest::qWait(pick(40));
            const QString value = col == k_freq
                                      ? QStringLiteral("%1.%2").arg(140 + pick(700)).arg(pick(9999))
                                      : QStringLiteral("Unit %1 %2").arg(i).arg(pick(100));
            type(value);
            enter();
            if (cell(row, col) == value)
                ++kept;
            else
                qWarning("value %d: typed %s into row %d col %d, got %s", i, qPrintable(value), row,
                         col, qPrintable(cell(row, col)));
        }
        QCOMPARE(kept, 200);
        // Each went through to the group's file as it was entered.
        TextGrid copy = grid_->model()->grid();
        auto lines = rig_->window->session().files().read_lines(1, 0);
        QVERIFY(!lines.empty());
        QVERIFY(lines.front().find(copy.at(1, k_freq)) != std::string::npos);
    }

    void valuesTheScannerCannotUseAreMarkedAndNamedBeforeSaving() {
        click(view_, 2, k_freq);
        type(QStringLiteral("abc"));
        enter();
        QCOMPARE(cell(2, k_freq), QStringLiteral("abc"));  // kept as typed, for the user to mend
        QModelIndex i = grid_->model()->index(1, k_freq);
        QCOMPARE(i.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Frequency: abc is not a frequency in MHz"));
        QVERIFY(i.data(Qt::BackgroundRole).isValid());
        QVERIFY(!grid_->model()->index(0, k_freq).data(Qt::ToolTipRole).isValid());
        QVERIFY(rig_->window->status_label()->text().contains(QStringLiteral("Row 2, Frequency")));

        const QString saved = rig_->home.filePath("marked.hpd");
        rig_->prompter.script({Answer::No});
        rig_->chooser.push(QFile::encodeName(saved).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QVERIFY2(!QFile::exists(saved), "No goes back to the grid");
        QVERIFY(rig_->window->isWindowModified());
        const std::string& question = rig_->prompter.questions.back();
        QVERIFY(question.find("Harbor County Sheriff, row 2, Frequency: abc is not a frequency") !=
                std::string::npos);
        rig_->prompter.script({Answer::Yes});
        rig_->chooser.push(QFile::encodeName(saved).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QVERIFY(QFile::exists(saved));
    }

    void checkListsErrorsFirstChangesNothingAndFixIsOneUndoStep() {
        EditingSession& session = rig_->window->session();
        const int last = grid_->model()->grid().rows() - 1;
        click(view_, last, k_freq);
        type(QStringLiteral("9999"));  // above the scanner's range; its list cells are empty
        enter();
        const TextGrid before = grid_->model()->grid();
        rig_->window->dispatch(Menu::ToolBar, QStringLiteral("Check"));
        QListWidget* list = grid_->check_results();
        QVERIFY(list->isVisible());
        QVERIFY2(list->item(0)->text().startsWith(QStringLiteral("1 error(s)")),
                 qPrintable(list->item(0)->text()));
        QVERIFY(list->item(1)->text().contains(QStringLiteral("9999 MHz is outside")));
        QVERIFY(list->item(list->count() - 1)->text().contains(QStringLiteral("defaults")));
        QVERIFY2(list->count() < 8, "the defaults are one line, not one per cell");
        QVERIFY2(grid_->model()->grid().row(last) == before.row(last), "Check changes nothing");

        // The list follows the grid: mending the frequency takes its error away.
        click(view_, last, k_freq);
        type(QStringLiteral("460.1"));
        enter();
        QTRY_VERIFY(!list->item(0)->text().contains(QStringLiteral("error")));

        const std::string label_before = session.undo_text();
        grid_->fix_button()->click();
        QVERIFY2(!cell(last, 4).isEmpty(), "Fix filled the defaults");
        QCOMPARE(session.undo_text(), std::string("Undo Fix"));
        session.undo();
        QVERIFY(rig_->click("GRP-999-001-000"));
        grid_ = rig_->window->grid_editor();
        QVERIFY2(cell(last, 4).isEmpty(), "one undo takes the whole Fix back");
        QCOMPARE(session.undo_text(), label_before);
    }

    void aFailedWriteKeepsTheRowsTheirPlaceAndTheUnsavedState() {
        EditingSession& session = rig_->window->session();
        GroupFiles& files = session.files();
        const auto source_before = files.read_lines(1, 0);
        // The target group's file cannot be replaced: a folder stands in its place.
        const auto target = files.path_of(1, 1);
        const auto target_before = files.read_lines(1, 1);
        std::filesystem::remove(target);
        std::filesystem::create_directory(target);
        grid_->choose_target_group = [](bool) { return std::optional(std::pair{1, 1}); };
        grid_->select_range({1, k_freq, 2, k_tag});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Move To"));
        QVERIFY2(rig_->prompter.told.back().find("could not be written to the target group") !=
                     std::string::npos,
                 rig_->prompter.told.back().c_str());
        QCOMPARE(cell(1, k_tag), QStringLiteral("Sheriff Dispatch"));
        QVERIFY(files.read_lines(1, 0) == source_before);

        // The shown group's own file cannot be written either: the edit stays in the grid, the
        // session stays unsaved and saving says why it cannot.
        std::filesystem::remove(target);
        files.write_lines(1, 1, target_before);
        QVERIFY(rig_->click("GRP-999-001-001"));
        grid_ = rig_->window->grid_editor();
        const auto path = files.path_of(1, 1);
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
        session.clear_changed();
        click(grid_->view(), 1, k_tag);
        type(QStringLiteral("Kept"));
        enter();
        QCOMPARE(cell(1, k_tag), QStringLiteral("Kept"));
        QVERIFY(session.changed());
        const QString saved = rig_->home.filePath("never.hpd");
        rig_->chooser.push(QFile::encodeName(saved).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QVERIFY(!QFile::exists(saved));
        QVERIFY(session.changed());
        QCOMPARE(rig_->prompter.told.back(), std::string(k_unwritten_edits));
        std::filesystem::remove(path);
    }
};

QTEST_MAIN(TestGridEntry)
#include "test_grid_entry.moc"
