// The group grid editor driven with mouse and keyboard on the sample database: the key table,
// typing over cells, row operations, undo and redo, the clipboard, leaving a group, and saving
// and reopening the file with every edit in it.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Channel grid columns.
constexpr int k_freq = 1, k_tag = 2, k_avoid = 3, k_delay = 9, k_volume = 10;

const std::string& cell(GridEditor* g, int row, int col) {
    return g->model()->grid().at(row, col);
}

void select_cell(GridView* v, int grid_row, int col) {
    v->setFocus();
    v->move_to(grid_row - 1, col);
}

// Types over a cell: the first key opens the cell's text box, the rest goes into it, Enter
// commits.
void type_over(GridView* v, int grid_row, int col, const QString& text) {
    select_cell(v, grid_row, col);
    QTest::keyClick(v, text.at(0).toLatin1());
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(qobject_cast<QLineEdit*>(editor));
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    // The item view commits a cell editor's text on its next turn of the event loop.
    QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
}

struct FilesOf {
    GroupFiles& files;
    int count(int system, int group) { return int(files.read_lines(system, group).size()); }
};

}  // namespace

class TestGridEditor : public QObject {
    Q_OBJECT

    EditorRig* rig_ = nullptr;
    GridEditor* grid_ = nullptr;
    GridView* view_ = nullptr;

  private slots:
    void init() {
        rig_ = new EditorRig;
        rig_->start();
        rig_->open(sample_hpd());
        QVERIFY(rig_->click("GRP-999-001-000"));
        grid_ = rig_->window->grid_editor();
        view_ = grid_->view();
        QVERIFY(view_);
        // Every operation of every test below runs under the model tester.
        for (QAbstractItemModel* m :
             {static_cast<QAbstractItemModel*>(grid_->channel_view()->model()),
              static_cast<QAbstractItemModel*>(grid_->talkgroup_view()->model()),
              static_cast<QAbstractItemModel*>(rig_->window->browser_model())})
            new QAbstractItemModelTester(m, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                         rig_->window.get());
        QCOMPARE(view_->objectName(), QStringLiteral("convgrid"));
    }

    void cleanup() {
        rig_->window->session().clear_changed();
        delete rig_;
    }

    void groupOpensWithTitlesNumbersAndHeader() {
        QCOMPARE(grid_->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("#"));
        QCOMPARE(grid_->model()->headerData(k_tag, Qt::Horizontal).toString(),
                 QStringLiteral("Alpha Tag"));
        QCOMPARE(cell(grid_, 3, 0), std::string("3"));
        QCOMPARE(cell(grid_, 1, k_tag), std::string("Sheriff Dispatch"));
        QCOMPARE(grid_->name_edit()->text(), QStringLiteral("Harbor County Sheriff"));
        QCOMPARE(grid_->findChild<QLabel*>(QStringLiteral("lbl_chars"))->text(),
                 QStringLiteral("# chars: 21"));
        // No stored width: the program's, showing at least a usual alpha tag whole.
        QVERIFY(view_->columnWidth(k_tag) >
                view_->fontMetrics().horizontalAdvance(QStringLiteral("Fire Dispatch")));
        QVERIFY(rig_->click("GRP-999-002-000"));
        QCOMPARE(grid_->view()->objectName(), QStringLiteral("trunkgrid"));
    }

    void keyTableSetsListColumns() {
        select_cell(view_, 1, k_avoid);
        QTest::keyClick(view_, Qt::Key_Space);
        QCOMPARE(cell(grid_, 1, k_avoid), std::string("On"));
        QTest::keyClick(view_, Qt::Key_Space);
        QCOMPARE(cell(grid_, 1, k_avoid), std::string("Off"));
        select_cell(view_, 1, k_delay);
        QTest::keyClick(view_, Qt::Key_1);
        QCOMPARE(cell(grid_, 1, k_delay), std::string("10"));
        QTest::keyClick(view_, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(cell(grid_, 1, k_delay), std::string("-10"));
        select_cell(view_, 2, k_volume);
        QTest::keyClick(view_, Qt::Key_2);
        QTest::keyClick(view_, Qt::Key_Minus);
        QCOMPARE(cell(grid_, 2, k_volume), std::string("-2"));
        QVERIFY(rig_->window->isWindowModified());
    }

    void typingReplacesEnterMovesDownTabMovesRight() {
        type_over(view_, 1, k_tag, QStringLiteral("County Dispatch"));
        QCOMPARE(cell(grid_, 1, k_tag), std::string("County Dispatch"));
        QCOMPARE(view_->currentIndex().row(), 1);  // Enter went down
        QTest::keyClick(view_, Qt::Key_Tab);
        QCOMPARE(view_->currentIndex().column(), k_tag + 1);
        // The last row opens a new one below as soon as it gets a value.
        const int rows = grid_->model()->grid().rows();
        type_over(view_, rows - 1, k_freq, QStringLiteral("155.5500"));
        QCOMPARE(grid_->model()->grid().rows(), rows + 1);
    }

    void rowOperationsUndoAndRedo() {
        EditingSession& undo = rig_->window->session();
        const std::string first = cell(grid_, 1, k_tag), second = cell(grid_, 2, k_tag);
        select_cell(view_, 1, k_tag);
        rig_->window->dispatch(Menu::ToolBar, QStringLiteral("Down"));
        QCOMPARE(cell(grid_, 2, k_tag), first);
        QCOMPARE(cell(grid_, 1, k_tag), second);
        // The selection went down with the row; a line is inserted above it.
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Insert Line"));
        QVERIFY(cell(grid_, 2, k_freq).empty());
        QCOMPARE(cell(grid_, 3, k_tag), first);
        undo.undo();
        undo.undo();
        QCOMPARE(cell(grid_, 1, k_tag), first);
        undo.redo();
        QCOMPARE(cell(grid_, 1, k_tag), second);

        rig_->prompter.script({Answer::No});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Clear Current Grid"));
        QCOMPARE(rig_->prompter.questions.back(),
                 std::string("All data in current grid will be lost, Continue?"));
        QCOMPARE(cell(grid_, 1, k_tag), second);
        rig_->prompter.script({Answer::Yes});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Clear Current Grid"));
        QVERIFY(cell(grid_, 1, k_freq).empty());
        undo.undo();
        QCOMPARE(cell(grid_, 1, k_tag), second);
    }

    void undoAndRedoKeepTheCurrentCellAndTheRowsShown() {
        // Enough rows to scroll: a tall block pasted below the group's channels.
        QString block;
        for (int i = 0; i < 80; ++i)
            block += QStringLiteral("%1\tRow %2\n").arg(150.0 + i * 0.025, 0, 'f', 4).arg(i);
        QApplication::clipboard()->setText(block);
        select_cell(view_, 1, k_freq);
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Paste Line"));
        view_->scrollTo(grid_->model()->index(40, 0), QAbstractItemView::PositionAtTop);
        select_cell(view_, 45, k_tag);
        view_->scrollTo(grid_->model()->index(40, 0), QAbstractItemView::PositionAtTop);
        const EditorPlace before = grid_->place();
        QCOMPARE(before.row, 45);
        QCOMPARE(before.col, k_tag);
        QVERIFY(before.top_row > 1);
        type_over(view_, 45, k_tag, QStringLiteral("Typed"));
        select_cell(view_, 45, k_tag);
        view_->scrollTo(grid_->model()->index(40, 0), QAbstractItemView::PositionAtTop);
        const EditorPlace at_undo = grid_->place();

        for (const char* which : {"Undo", "Redo"}) {
            rig_->window->findChild<QAction*>(QLatin1String(which))->trigger();
            const EditorPlace after = grid_->place();
            QCOMPARE(after.row, at_undo.row);
            QCOMPARE(after.col, at_undo.col);
            QCOMPARE(after.top_row, at_undo.top_row);
        }
        QCOMPARE(cell(grid_, 45, k_tag), std::string("Typed"));
    }

    void blocksTravelThroughTheClipboardAsTabSeparatedText() {
        grid_->select_range({1, k_freq, 2, k_tag});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Copy"));
        const QString text = QApplication::clipboard()->text();
        QVERIFY(text.startsWith(QStringLiteral("155.61\tSheriff Dispatch\r\n")));
        const int rows = grid_->model()->grid().rows();
        select_cell(view_, rows - 1, k_freq);
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Paste"));
        QCOMPARE(cell(grid_, rows - 1, k_tag), std::string("Sheriff Dispatch"));
        QCOMPARE(cell(grid_, rows, k_tag), std::string("Sheriff Car-to-Car"));

        grid_->select_range({3, k_tag, 5, k_tag});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Fill Series"));
        QCOMPARE(cell(grid_, 5, k_tag), std::string("Sheriff Tac 4"));
        grid_->select_range({3, k_freq, 5, k_freq});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Fill Series"));
        QCOMPARE(rig_->prompter.told.back(),
                 std::string("Fill series only works in Alpha Tag Columns"));
    }

    void findReplaceAndSplitComments() {
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Find"));
        auto* find = grid_->findChild<QLineEdit*>(QStringLiteral("txt_find"));
        QVERIFY(find->isVisible());
        QTest::keyClicks(find, "Tac");
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(view_->currentIndex().row() + 1, 3);
        QCOMPARE(view_->currentIndex().column(), k_tag);
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Replace"));
        QTest::keyClicks(grid_->findChild<QLineEdit*>(QStringLiteral("txt_replace")), "TAC");
        grid_->findChild<QPushButton*>(QStringLiteral("cmd_replace_all"))->click();
        QCOMPARE(cell(grid_, 3, k_tag), std::string("Sheriff TAC 2"));
        QCOMPARE(cell(grid_, 4, k_tag), std::string("Sheriff TAC 3"));

        QApplication::clipboard()->setText(
            QStringLiteral("154.9 Range Ops\n453.1250 - Jail Tac\n"));
        const int rows = grid_->model()->grid().rows();
        select_cell(view_, rows - 1, k_tag);
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Split Comments"));
        QCOMPARE(cell(grid_, rows - 1, k_freq), std::string("154.9"));
        QCOMPARE(cell(grid_, rows, k_tag), std::string("Jail Tac"));
    }

    void sqCodeListFollowsTheRowsSqMode() {
        auto list_at = [&](int row) {
            select_cell(view_, row, 6);
            view_->edit(view_->currentIndex());
            auto* box = qobject_cast<QComboBox*>(QApplication::focusWidget());
            int n = box ? box->count() : -1;
            QString second = box && n > 1 ? box->itemText(1) : QString();
            view_->finish_editing();
            return std::pair{n, second};
        };
        QCOMPARE(list_at(1), std::pair(51, QStringLiteral("67.0")));  // CTCSS
        QCOMPARE(list_at(3), std::pair(105, QStringLiteral("023")));  // DCS
    }

    void undoWalksBackOverGroupsAndFollowsTheSavedState() {
        EditingSession& session = rig_->window->session();
        QAction* undo = rig_->window->undo_action();
        QAction* redo = rig_->window->redo_action();
        QVERIFY(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
        QVERIFY(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
        type_over(view_, 1, k_tag, QStringLiteral("First group"));
        QVERIFY(rig_->click("GRP-999-001-001"));
        const std::string second_original = cell(grid_, 1, k_tag);
        type_over(grid_->view(), 1, k_tag, QStringLiteral("Second group"));
        QVERIFY(rig_->window->isWindowModified());
        QCOMPARE(undo->text(), QStringLiteral("Undo Edit cell"));
        undo->trigger();
        QCOMPARE(cell(grid_, 1, k_tag), second_original);
        // The older step belongs to the other group: undo goes there and puts it back.
        undo->trigger();
        QCOMPARE(grid_->group(), 0);
        QCOMPARE(cell(grid_, 1, k_tag), std::string("Sheriff Dispatch"));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!session.changed());
        QVERIFY2(!rig_->window->isWindowModified(), "everything undone: nothing to save");
        redo->trigger();
        QCOMPARE(cell(grid_, 1, k_tag), std::string("First group"));
        QVERIFY(rig_->window->isWindowModified());

        // Deleting a system from the browser is a step like any other.
        rig_->prompter.script({Answer::Yes});
        QVERIFY(rig_->click("SYS-001"));
        QVERIFY(session.delete_current_system());
        QVERIFY(!session.store().exists("SYS-001"));
        undo->trigger();
        QVERIFY(session.store().exists("SYS-001"));
        QVERIFY(rig_->click("GRP-999-001-000"));
        QCOMPARE(cell(grid_, 1, k_tag), std::string("First group"));
    }

    void rowsMoveAndCopyToAnotherGroup() {
        FilesOf files(rig_->window->session().files());
        grid_->choose_target_group = [](bool) { return std::optional(std::pair{1, 1}); };
        grid_->select_range({1, k_freq, 2, k_tag});
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Copy To"));
        QCOMPARE(files.count(1, 1), 10);
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Move To"));
        QCOMPARE(files.count(1, 1), 12);
        QCOMPARE(cell(grid_, 1, k_tag), std::string("Sheriff Tac 2"));
        QVERIFY(rig_->click("GRP-999-001-001"));
        QCOMPARE(cell(grid_, 12, k_tag), std::string("Sheriff Car-to-Car"));
        // The EDACS notations are offered only for EDACS talkgroups.
        QVERIFY(!rig_->window->action(Menu::Edit, QStringLiteral("Convert AFS"))->isEnabled());
        QVERIFY(rig_->click("GRP-999-004-000"));
        QVERIFY(rig_->window->action(Menu::Edit, QStringLiteral("Convert AFS"))->isEnabled());
    }

    void leavingAGroupWritesItBackAndKeepsItsHistory() {
        type_over(view_, 1, k_tag, QStringLiteral("Edited"));
        QVERIFY(rig_->click("GRP-999-001-001"));
        auto lines = rig_->window->session().files().read_lines(1, 0);
        QVERIFY(lines.front().find(",Edited,") != std::string::npos);
        QVERIFY(rig_->click("GRP-999-001-000"));
        QCOMPARE(cell(grid_, 1, k_tag), std::string("Edited"));
        QVERIFY(rig_->window->session().can_undo());
        rig_->window->session().undo();
        QCOMPARE(cell(grid_, 1, k_tag), std::string("Sheriff Dispatch"));
    }

    void savedFileReopensWithEveryEdit() {
        type_over(view_, 2, k_tag, QStringLiteral("Car to Car"));
        select_cell(view_, 3, k_avoid);
        QTest::keyClick(view_, Qt::Key_Space);
        grid_->name_edit()->selectAll();
        QTest::keyClicks(grid_->name_edit(), "Sheriff, County");
        const QString saved = rig_->home.filePath("saved.hpd");
        rig_->chooser.push(QFile::encodeName(saved).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QVERIFY(!rig_->window->isWindowModified());
        QVERIFY(rig_->window->windowTitle().contains(QStringLiteral("saved.hpd")));

        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray first_save = file.readAll();
        QVERIFY(first_save.contains("\tCar to Car\t"));
        QVERIFY(first_save.contains("Sheriff; County"));

        rig_->open(saved);
        QVERIFY(rig_->click("GRP-999-001-000"));
        grid_ = rig_->window->grid_editor();
        QCOMPARE(cell(grid_, 2, k_tag), std::string("Car to Car"));
        QCOMPARE(cell(grid_, 3, k_avoid), std::string("On"));
        // Saving the reopened file again gives the same bytes.
        const QString again = rig_->home.filePath("again.hpd");
        rig_->chooser.push(QFile::encodeName(again).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QFile second(again);
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), first_save);
    }

    void theGridUsesTheWindowsWidth_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("fits");
        QTest::newRow("conventional, 1280 wide") << "GRP-999-001-000" << 1280 << true;
        QTest::newRow("trunked, 1280 wide") << "GRP-999-002-000" << 1280 << true;
        QTest::newRow("conventional, 1920 wide") << "GRP-999-001-000" << 1920 << true;
        QTest::newRow("conventional, 800 wide") << "GRP-999-001-000" << 800 << false;
    }
    void theGridUsesTheWindowsWidth() {
        QFETCH(QString, group);
        QFETCH(int, width);
        QFETCH(bool, fits);
        rig_->window->resize(width, 800);
        QVERIFY(rig_->click(group.toStdString()));
        GridView* view = grid_->view();
        QTRY_COMPARE(rig_->window->width(), width);
        QApplication::processEvents();
        auto* header = qobject_cast<GridHeader*>(view->horizontalHeader());
        QVERIFY(header);
        const int columns = header->count();
        int used = 0;
        for (int c = 0; c < columns - 1; ++c) used += view->columnWidth(c);
        if (fits) {
            QVERIFY2(!view->horizontalScrollBar()->isVisible(),
                     qPrintable(QStringLiteral("%1 of %2 pixels")
                                    .arg(used + view->columnWidth(columns - 1))
                                    .arg(view->viewport()->width())));
            // Every value of a list column shows whole; titles may take two lines.
            for (int c = 1; c < columns; ++c) {
                const QString title = header->shown_title(c);
                for (const QString& line : title.split(QLatin1Char('\n')))
                    QVERIFY2(header->fontMetrics().horizontalAdvance(line) < view->columnWidth(c),
                             qPrintable(title));
            }
        } else {
            // Too narrow for every column: the grid scrolls rather than squeezing values.
            QVERIFY(view->horizontalScrollBar()->isVisible());
            QVERIFY(view->columnWidth(k_tag) >=
                    view->fontMetrics().horizontalAdvance(QStringLiteral("Fire Dispatch")));
        }
        // A column the user drags stays as dragged when the window changes.
        view->setColumnWidth(k_tag, 333);
        rig_->window->resize(width - 100, 800);
        QTRY_COMPARE(rig_->window->width(), width - 100);
        QCOMPARE(view->columnWidth(k_tag), 333);
    }

    void widthsTheProgramChoseAreChosenAgainNextTime() {
        rig_->window->resize(1280, 800);
        QTRY_COMPARE(rig_->window->width(), 1280);
        rig_->window->close();
        // Stored as "never set", so the next window fits them to its own width.
        QCOMPARE(rig_->settings->GetSetting("colwidth", "ccol_width9", "1200x"),
                 std::string("1200"));
    }

    void columnWidthsAreRememberedWhenTheWindowCloses() {
        view_->setColumnWidth(k_tag, 200);
        rig_->window->close();
        QCOMPARE(rig_->settings->GetSetting("colwidth", "ccol_width2", "1200x"),
                 std::string("3000"));
    }
};

QTEST_MAIN(TestGridEditor)
#include "test_grid_editor.moc"
