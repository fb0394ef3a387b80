// The CSV mapper driven as a user drives it: open a messy export with filters ticked, choose
// assignments in the drop-down, clean cells with Apply, save, copy, and send the rows into the
// open channel grid; then the web page and the print-out of what the grid holds.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>

#include "../editor/editor_rig.h"
#include "app/common/latin1.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "app/exchange/csv_mapper_window.h"
#include "app/exchange/csv_table_model.h"
#include "app/exchange/exchange_commands.h"
#include "core/editor/session.h"
#include "core/exchange/csv_import.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

constexpr int k_freq = 1, k_tag = 2, k_mode = 4, k_sq_mode = 5, k_sq_code = 6;

// Another program's export: a title line, a header, channel lines, junk and a blank line.
const char* const k_export =
    "Exported by SomeScanner Pro v3\r\n"
    "Frequency,Description,Modulation,CTCSS/DCS,Skip\r\n"
    "154.4300,Fire Dispatch,fm,151.4,OFF\r\n"
    "\r\n"
    "155.0700,Sheriff & Co <1>,NFM,D023,ON\r\n"
    "---- page 2 ----\r\n"
    "460.1250,Police North,NFM,,OFF\r\n"
    "460.2000,Bad Row,DMR,,OFF\r\n";

void click(QWidget* parent, const char* name) {
    auto* b = parent->findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

// Picks an assignment in the drop-down of a column, as the user does.
void choose_assignment(CsvMapperWindow* w, int column, const QString& text) {
    QTableView* v = w->table();
    // The drop-down of the previous choice goes on the next turn of the event loop.
    QTRY_VERIFY(v->findChildren<QComboBox*>(QStringLiteral("cbo_assignment")).isEmpty());
    QModelIndex cell = w->model()->index(0, column);
    v->setCurrentIndex(cell);
    v->edit(cell);
    QComboBox* box = v->findChild<QComboBox*>(QStringLiteral("cbo_assignment"));
    QVERIFY(box);
    box->setCurrentText(text);
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_COMPARE(w->model()->table().at(0, column), from_q(text));
}

}  // namespace

class TestCsvMapper : public QObject {
    Q_OBJECT

    EditorRig* rig_ = nullptr;
    QTemporaryDir dir_;

    CsvMapperWindow* open_mapper() {
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("Import CSV"));
        CsvMapperWindow* w = rig_->window->exchange().mapper();
        if (w) (void)QTest::qWaitForWindowExposed(w);
        return w;
    }

    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }

  private slots:
    void init() {
        rig_ = new EditorRig;
        rig_->start();
        rig_->open(sample_hpd());
    }

    void cleanup() {
        rig_->window->session().clear_changed();
        delete rig_;
    }

    void opensFiltersAssignsCleansAndSaves() {
        CsvMapperWindow* w = open_mapper();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("CSV Mapper: Import And Modify CSV Files"));
        QAbstractItemModelTester tester(w->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QString file = write(QStringLiteral("export.csv"), k_export);
        w->choose_open = [&](const QString&, const QString& filter) -> std::optional<QString> {
            // The dialog offers the file kinds other radios' programs write.
            [&] { QVERIFY(filter.contains(QStringLiteral("ICOM PCR files|*.mch"))); }();
            return file;
        };
        // Only lines with a frequency: the title, header and page lines stay out.
        w->findChild<QCheckBox*>(QStringLiteral("chk_frequency"))->setChecked(true);
        QVERIFY(w->action(QStringLiteral("Open")));
        w->action(QStringLiteral("Open"))->trigger();
        const TextGrid& t = w->model()->table();
        QCOMPARE(t.rows(), 5);
        QCOMPARE(t.at(1, 2), std::string("FM"));  // ",fm," normalised
        QCOMPARE(t.at(2, 4), std::string("On"));
        QCOMPARE(t.at(0, 0), std::string("Unknown"));  // no header line left to learn from
        choose_assignment(w, 0, QStringLiteral("Frequency (MHz)"));
        choose_assignment(w, 1, QStringLiteral("Tag/Name"));
        choose_assignment(w, 2, QStringLiteral("Mode"));
        choose_assignment(w, 3, QStringLiteral("Subtone"));
        choose_assignment(w, 4, QStringLiteral("LockOut"));

        // Upper-case the names: select the column's cells, Auto Select picks the column.
        w->select({1, 1, 4, 1});
        QCOMPARE(
            w->status_label()->text(),
            QStringLiteral("Selection: 4 Rows x 1 Cols   Row:1   RowSel:4   Col:2   ColSel:2"));
        w->findChild<QRadioButton*>(QStringLiteral("opt_upper"))->setChecked(true);
        click(w, "cmd_apply");
        QCOMPARE(t.at(1, 1), std::string("FIRE DISPATCH"));
        QCOMPARE(t.at(1, 0), std::string("154.4300"));
        QVERIFY(w->findChild<QRadioButton*>(QStringLiteral("opt_single_column"))->isChecked());
        // Replace in every cell of the table, without Auto Select.
        w->findChild<QCheckBox*>(QStringLiteral("chk_auto_select"))->setChecked(false);
        w->findChild<QRadioButton*>(QStringLiteral("opt_entire_row"))->setChecked(true);
        w->findChild<QRadioButton*>(QStringLiteral("opt_all_columns"))->setChecked(true);
        w->findChild<QRadioButton*>(QStringLiteral("opt_replace"))->setChecked(true);
        w->findChild<QLineEdit*>(QStringLiteral("txt_replace"))->setText(QStringLiteral("NORTH"));
        w->findChild<QLineEdit*>(QStringLiteral("txt_by"))->setText(QStringLiteral("N"));
        click(w, "cmd_apply");
        QCOMPARE(t.at(3, 1), std::string("POLICE N"));

        // Save As CSV: ".csv" is added, the first line and the trailing commas are there.
        w->choose_save = [&](const QString&, const QString&) -> std::optional<QString> {
            return dir_.filePath(QStringLiteral("cleaned"));
        };
        w->action(QStringLiteral("Save As CSV"))->trigger();
        QFile saved(dir_.filePath(QStringLiteral("cleaned.csv")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(
            bytes.startsWith("Loomtrace,data,Norvane,The Netherlands\r\n154.4300,FIRE DISPATCH,"
                             "FM,151.4,Off,\r\n"));
        QCOMPARE(bytes.count("\r\n"), 5);

        // Remove Selected Line(s) and the buttons.
        w->select({4, 0, 4, 0});
        w->action(QStringLiteral("Remove Selected Line(s)"))->trigger();
        QCOMPARE(w->model()->table().rows(), 4);
        click(w, "cmd_add_column");
        QCOMPARE(w->model()->table().cols(), 6);
        click(w, "cmd_remove_no_numbers");
        QCOMPARE(w->model()->table().rows(), 4);
    }

    void clipboardImportAndCopyPasteIntoTheGrid() {
        CsvMapperWindow* w = open_mapper();
        QVERIFY(w);
        // A table copied from a web page: TABs between the cells.
        QApplication::clipboard()->setText(
            QStringLiteral("Frequency\tAlpha Tag\tMode\n151.0250\tWater Ops\tFM\n"
                           "151.0400\tParks\tNFM\n"));
        click(w, "cmd_clipboard_import");
        QCOMPARE(w->model()->table().rows(), 4);
        QCOMPARE(w->model()->table().at(0, 0), std::string("Frequency (MHz)"));
        // Copy rows 2..3, columns 1..2, and paste them as lines into the channel grid.
        w->select({2, 0, 3, 1});
        w->action(QStringLiteral("Copy"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("151.0250\tWater Ops\r\n151.0400\tParks\r\n"));
        QVERIFY(rig_->click("GRP-999-001-000"));
        GridEditor* g = rig_->window->grid_editor();
        const int used = grid::last_used_row(g->model()->grid(), grid::GridKind::Channel);
        g->select_range(grid::CellRange::cell(used + 1, k_freq));
        rig_->window->dispatch(Menu::Edit, QStringLiteral("Paste"));
        QCOMPARE(g->model()->grid().at(used + 1, k_freq), std::string("151.0250"));
        QCOMPARE(g->model()->grid().at(used + 2, k_tag), std::string("Parks"));
        // The context menu offers the same cell commands.
        auto* popup = w->findChild<QMenu*>(QStringLiteral("mnu_csv_popup"));
        QVERIFY(popup);
        QStringList names;
        for (QAction* a : popup->actions()) names << a->objectName();
        QCOMPARE(names, (QStringList{"Cut", "Copy", "Paste", "Delete", "Fill Down"}));
    }

    void sendToGridIsOneUndoStepAndNamesWhatItLeftOut() {
        CsvMapperWindow* w = open_mapper();
        QVERIFY(w);
        // Without a channel grid the rows have nowhere to go.
        w->load_text(QString::fromLatin1(k_export));
        QCOMPARE(w->model()->table().at(0, 0), std::string("Frequency (MHz)"));
        w->command(QStringLiteral("Send to Grid"));
        QVERIFY(rig_->prompter.told.back().find("open a conventional group") != std::string::npos);

        QVERIFY(rig_->click("GRP-999-001-000"));
        GridEditor* g = rig_->window->grid_editor();
        const TextGrid before = g->model()->grid();
        const int used = grid::last_used_row(before, grid::GridKind::Channel);
        choose_assignment(w, 1, QStringLiteral("Tag/Name"));
        choose_assignment(w, 2, QStringLiteral("Mode"));
        choose_assignment(w, 3, QStringLiteral("Subtone"));
        click(w, "cmd_send_to_grid");
        const TextGrid& after = g->model()->grid();
        QCOMPARE(grid::last_used_row(after, grid::GridKind::Channel), used + 3);
        QCOMPARE(after.at(used + 1, k_freq), std::string("154.4300"));
        QCOMPARE(after.at(used + 1, k_mode), std::string("FM"));
        QCOMPARE(after.at(used + 1, k_sq_code), std::string("151.4"));
        QCOMPARE(after.at(used + 2, k_tag), std::string("Sheriff & Co <1>"));
        QCOMPARE(after.at(used + 2, k_sq_mode), std::string("DCS"));
        QVERIFY(rig_->window->isWindowModified());
        QStringList left_out;
        for (int i = 0; i < w->not_sent()->count(); ++i) left_out << w->not_sent()->item(i)->text();
        QCOMPARE(left_out, (QStringList{"Row 1: no frequency (\"Exported by SomeScanner Pro v3\")",
                                        "Row 2: no frequency (\"Frequency\")",
                                        "Row 5: no frequency (\"---- page 2 ----\")",
                                        "Row 7: unknown mode \"DMR\""}));
        // One undo takes all of them back.
        rig_->window->undo_action()->trigger();
        QCOMPARE(g->model()->grid().at(used + 1, k_freq), before.at(used + 1, k_freq));
        QCOMPARE(grid::last_used_row(g->model()->grid(), grid::GridKind::Channel), used);
    }

    void messyExportIntoANewGroupSavedExportedAndPrinted() {
        CsvMapperWindow* w = open_mapper();
        QVERIFY(w);
        QString file = write(QStringLiteral("messy.csv"), k_export);
        w->choose_open = [&](const QString&, const QString&) -> std::optional<QString> {
            return file;
        };
        w->findChild<QCheckBox*>(QStringLiteral("chk_frequency"))->setChecked(true);
        w->command(QStringLiteral("Open"));
        choose_assignment(w, 0, QStringLiteral("Frequency (MHz)"));
        choose_assignment(w, 1, QStringLiteral("Tag/Name"));
        choose_assignment(w, 3, QStringLiteral("Subtone"));

        QVERIFY(rig_->click("SYS-001"));
        rig_->window->dispatch(Menu::Add, QStringLiteral("New Group"));
        const std::string group_key = rig_->window->session().selection().key;
        QVERIFY(group_key.rfind("GRP-999-001-", 0) == 0);
        QVERIFY(rig_->click(group_key));
        w->command(QStringLiteral("Send to Grid"));
        GridEditor* g = rig_->window->grid_editor();
        QCOMPARE(grid::last_used_row(g->model()->grid(), grid::GridKind::Channel), 3);
        QCOMPARE(w->not_sent()->count(), 1);  // the DMR row

        const QString saved = dir_.filePath(QStringLiteral("story.hpd"));
        rig_->chooser.push(from_q(saved));
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QFile hpd(saved);
        QVERIFY(hpd.open(QIODevice::ReadOnly));
        const QByteArray bytes = hpd.readAll();
        QVERIFY(bytes.contains("C-Freq\t\t\tSheriff & Co <1>\tOff\t155070000\tNFM\tTONE=D023"));

        rig_->chooser.push(from_q(dir_.filePath(QStringLiteral("story.html"))));
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("Create HTML"));
        QFile page(dir_.filePath(QStringLiteral("story.html")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("Sheriff &amp; Co &lt;1&gt;"));

        // What is printed is what the grids hold: every row of the new group, in order.
        const QString pdf = dir_.filePath(QStringLiteral("story.pdf"));
        rig_->window->exchange().print_to_pdf = pdf;
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("Current System"));
        QCOMPARE(rig_->prompter.told.back(), std::string("Finished printing."));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed: the PDF's text is not read");
        QProcess p;
        p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(60000));
        const QString text = QString::fromLatin1(p.readAllStandardOutput());
        int at = text.indexOf(QStringLiteral("Groupname: Department: "));
        QVERIFY(at > 0);
        for (const char* tag : {"Fire Dispatch", "Sheriff & Co <1>", "Police North"}) {
            int next = text.indexOf(QString::fromLatin1(tag), at);
            QVERIFY2(next > at, tag);
            at = next;
        }
    }

    void windowPlaceIsRemembered() {
        CsvMapperWindow* w = open_mapper();
        QVERIFY(w);
        w->resize(1100, 760);
        w->close();
        QTRY_VERIFY(!rig_->window->exchange().mapper());
        QCOMPARE(rig_->settings->get_int("csv", "csvwidth", 0), 1100 * 15);
        QCOMPARE(rig_->settings->get_int("csv", "csvheight", 0), 760 * 15);
        CsvMapperWindow* again = open_mapper();
        QVERIFY(again);
        QCOMPARE(again->size(), QSize(1100, 760));
    }

    void webPageAndPrintOutOfTheOpenGrid() {
        // Without a grid: the message, and nothing is written.
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("Create HTML"));
        QCOMPARE(rig_->prompter.told.back(),
                 std::string("html export error, please select a grid first."));
        QVERIFY(rig_->click("GRP-999-001-000"));
        const QString page = dir_.filePath(QStringLiteral("page.html"));
        rig_->chooser.push(from_q(page));
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("Create HTML of Group"));
        QCOMPARE(rig_->chooser.asked.back(), std::string("Export Current Grid to Web Page:"));
        QFile html(page);
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QByteArray text = html.readAll();
        QVERIFY(text.contains("<b>Group:Harbor County Sheriff</b>"));
        QVERIFY(text.contains(">155.61&nbsp;MHz</font></td>"));

        const QString pdf = dir_.filePath(QStringLiteral("system.pdf"));
        rig_->window->exchange().print_to_pdf = pdf;
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("Current System"));
        QCOMPARE(rig_->prompter.told.back(), std::string("Finished printing."));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("Current Grid"));
        QCOMPARE(rig_->prompter.told.back(), std::string("Finished printing."));
        // A PDF that cannot be written is the printer's failure, named as such.
        rig_->window->exchange().print_to_pdf = dir_.filePath(QStringLiteral("no/such/x.pdf"));
        rig_->window->dispatch(Menu::ImportExport, QStringLiteral("All Systems"));
        QVERIFY(rig_->prompter.told.back().rfind("Problem in printerroutine bank: ", 0) == 0);
    }
};

QTEST_MAIN(TestCsvMapper)
#include "test_csv_mapper.moc"
