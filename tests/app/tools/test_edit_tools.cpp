// The editing tools as a user drives them from the main window: duplicates found, removed and
// undone; lockouts reviewed and unlocked; a group filled with the GMRS channels; the DEC/HEX
// converter, the alert tones, the manual, About and the version check against a stand-in
// server on loopback.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "../editor/editor_rig.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "app/tools/alert_tone_player.h"
#include "app/tools/alert_tones_window.h"
#include "app/tools/dec_hex_window.h"
#include "app/tools/duplicates_window.h"
#include "app/tools/easy_fill_dialog.h"
#include "app/tools/lockouts_window.h"
#include "app/tools/update_check_dialog.h"
#include "core/editor/duplicates.h"
#include "core/editor/easy_fill.h"
#include "core/editor/grid_columns.h"
#include "core/editor/lockouts.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Two conventional systems sharing a frequency, a duplicate inside the second, a trunked
// system with a locked-out talkgroup.
QString write_db(const QTemporaryDir& dir) {
    const char* lines[] = {
        "TargetModel\tHomePatrol-1",
        "FormatVersion\t2.03",
        "Conventional\tCountyId=1\tStateId=1\tCity\tOff\t\tConventional",
        "C-Group\tCGroupId=1\tCountyId=1\tFire\tOff\t\t\t",
        "C-Freq\t\t\tFire 1\tOff\t154430000\tFM\t\t2",
        "C-Freq\t\t\tFire 2\tOn\t154445000\tFM\t\t2",
        "Conventional\tCountyId=2\tStateId=1\tCounty\tOff\t\tConventional",
        "C-Group\tCGroupId=2\tCountyId=2\tSheriff\tOn\t\t\t",
        "C-Freq\t\t\tDispatch\tOff\t155070000\tFM\tTONE=C100.0\t2",
        "C-Freq\t\t\tOther PL\tOff\t155070000\tFM\tTONE=C123.0\t2",
        "C-Group\tCGroupId=3\tCountyId=2\tFire\tOff\t\t\t",
        "C-Freq\t\t\tFire county\tOff\t154430000\tFM\t\t2",
        "C-Freq\t\t\tDispatch again\tOff\t155070000\tFM\tTONE=C100.0\t2",
        "Trunk\tTrunkId=9\t\tMetro\tOff\t\tMotorola",
        "Site\tSiteId=1\tTrunkId=9\tNorth\tOff\t1.0\t-1.0\t5.0\tAUTO\tStandard\tWide",
        "T-Group\tTGroupId=4\tTrunkId=9\tOps\tOff\t1.0\t-1.0\t2.0",
        "TGID\t\t\tDispatch\tOn\t1234\tALL\t2",
    };
    QFile f(dir.filePath(QStringLiteral("tools.hpd")));
    f.open(QIODevice::WriteOnly);
    for (const char* l : lines) f.write(QByteArray(l) + "\r\n");
    f.close();
    return f.fileName();
}

// The store key of the n-th group (store order) and its system.
std::pair<int, int> nth_group(MainWindow& w, size_t n) {
    auto g = groups_in_store_order(w.session().store()).at(n);
    return {g.system, g.group};
}

QStringList column(const QTreeWidget* list, int col) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(col);
    return out;
}

// Edit -> Undo / Redo as the user picks them.
bool undo(MainWindow& w, const char* which = "Undo") {
    auto* a = w.findChild<QAction*>(QLatin1String(which));
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    // The tool windows list again once control is back in the event loop.
    QCoreApplication::processEvents();
    return true;
}

// The stand-in update server, started on a free port of 127.0.0.1.
struct UpdateServer {
    QProcess process;
    QString address;
    explicit UpdateServer(const QStringList& args) {
        process.start(QStringLiteral(UPDATE_SERVER_PATH), args);
        if (process.waitForReadyRead(5000))
            address = QStringLiteral("http://127.0.0.1:%1/latest.json")
                          .arg(QString::fromLatin1(process.readLine()).trimmed());
    }
    ~UpdateServer() {
        process.kill();
        process.waitForFinished(2000);
    }
};

}  // namespace

class TestEditTools : public QObject {
    Q_OBJECT
  private slots:
    void nothingIsLeftDisabledInTheToolMenus();
    void duplicatesAreFoundRemovedAndTheRemovalUndoneInOneStep();
    void aDuplicateOpensOnItsRowWithADoubleClick();
    void lockoutsAreUnlockedTickedOrAllAndUndone();
    void easyFillPutsTheGmrsChannelsInTheOpenGroupAsOneUndoStep();
    void easyFillRefusesWhatItCannotMakeAndTheWrongGrid();
    void decHexConvertsAsTheUserTypes();
    void alertTonesPlayFromTheToolsMenuAndFromTheGrid();
    void manualAndAboutComeFromTheHelpMenu();
    void checkForUpdatesTellsNewerSameAndOffline();
    void toolWindowsFollowEditsMadeElsewhere();
};

void TestEditTools::nothingIsLeftDisabledInTheToolMenus() {
    EditorRig rig;
    MainWindow& w = rig.start();
    for (const char* c :
         {"Find Duplicates", "Remove Duplicates", "Review LockOut Channels",
          "Find LockOut Channels", "Clear LockOut", "Easy Fill Channels", "Easy Fill Trunk"})
        QVERIFY2(w.action(Menu::Options, QString::fromLatin1(c))->isEnabled(), c);
    for (const char* c : {"DEC HEX Converter", "Alert Tones"})
        QVERIFY2(w.action(Menu::Tools, QString::fromLatin1(c))->isEnabled(), c);
    for (const char* c : {"Open Software Manual", "Check for Updates", "About"})
        QVERIFY2(w.action(Menu::Help, QString::fromLatin1(c))->isEnabled(), c);
    // HomePatrol files hold no quick keys or search ranges: those editors are not offered.
    for (const char* c : {"System QuickKey Editor", "QuickKey Manager", "Search Ranges"})
        QVERIFY2(!w.action(Menu::Setup, QString::fromLatin1(c)), c);
}

void TestEditTools::duplicatesAreFoundRemovedAndTheRemovalUndoneInOneStep() {
    EditorRig rig;
    MainWindow& w = rig.start();
    rig.open(write_db(rig.home));
    QVERIFY(!w.session().changed());
    QVERIFY(w.dispatch(Menu::Options, QStringLiteral("Find Duplicates")));
    DuplicatesWindow* d = w.duplicates_window();
    QVERIFY(d && d->isVisible());
    QAbstractItemModelTester tester(d->list()->model());
    QCOMPARE(column(d->list(), 1), QStringList{QStringLiteral("155.07")});
    d->across()->click();  // across systems, the city's fire channel repeats too
    QCOMPARE(column(d->list(), 1),
             (QStringList{QStringLiteral("154.43"), QStringLiteral("155.07")}));
    QCOMPARE(column(d->list(), 3),
             (QStringList{QStringLiteral("1 / 1 / 1"), QStringLiteral("2 / 1 / 1")}));

    QTest::mouseClick(d->remove_button(), Qt::LeftButton);
    QVERIFY2(d->summary()->text().startsWith(QStringLiteral("2 duplicate(s) removed.")),
             qPrintable(d->summary()->text()));
    QCOMPARE(d->list()->topLevelItemCount(), 0);
    QVERIFY(w.session().changed());
    auto [s, g] = nth_group(w, 2);
    QCOMPARE(w.session().files().read_lines(s, g).size(), size_t(0));

    // One undo brings both back; redo takes them away again.
    QVERIFY(undo(w));
    QCOMPARE(d->list()->topLevelItemCount(), 2);
    QCOMPARE(w.session().files().read_lines(s, g).size(), size_t(2));
    QVERIFY(undo(w, "Redo"));
    QCOMPARE(find_duplicates(w.session().store(), w.session().files(), true).size(), size_t(0));
}

void TestEditTools::aDuplicateOpensOnItsRowWithADoubleClick() {
    EditorRig rig;
    MainWindow& w = rig.start();
    rig.open(write_db(rig.home));
    w.dispatch(Menu::Options, QStringLiteral("Remove Duplicates"));
    DuplicatesWindow* d = w.duplicates_window();
    QTreeWidgetItem* item = d->list()->topLevelItem(0);
    QVERIFY(item);
    QVERIFY(QTest::qWaitForWindowExposed(d));
    const QPoint at = d->list()->visualItemRect(item).center();
    // A double-click is a press followed by the double-click event, as a real mouse sends it.
    QTest::mouseClick(d->list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(d->list()->viewport(), Qt::LeftButton, {}, at);
    auto [s, g] = nth_group(w, 2);
    QCOMPARE(w.grid_editor()->system(), s);
    QCOMPARE(w.grid_editor()->group(), g);
    QCOMPARE(w.grid_editor()->selected_range().top, 2);
}

void TestEditTools::lockoutsAreUnlockedTickedOrAllAndUndone() {
    EditorRig rig;
    MainWindow& w = rig.start();
    rig.open(write_db(rig.home));
    w.dispatch(Menu::Options, QStringLiteral("Review LockOut Channels"));
    LockoutsWindow* l = w.lockouts_window();
    QVERIFY(l && l->isVisible());
    QAbstractItemModelTester tester(l->list()->model());
    QCOMPARE(column(l->list(), 0), (QStringList{QStringLiteral("Channel"), QStringLiteral("Group"),
                                                QStringLiteral("Talkgroup")}));
    // Untick the group, unlock the rest.
    l->list()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    QTest::mouseClick(l->unlock_ticked_button(), Qt::LeftButton);
    QCOMPARE(column(l->list(), 0), QStringList{QStringLiteral("Group")});
    QVERIFY(w.session().changed());
    QTest::mouseClick(l->unlock_all_button(), Qt::LeftButton);
    QCOMPARE(l->list()->topLevelItemCount(), 0);
    QVERIFY(l->summary()->text().contains(QStringLiteral("Nothing is locked out.")));
    // Each unlock was one step.
    QVERIFY(undo(w));
    QCOMPARE(l->list()->topLevelItemCount(), 1);
    QVERIFY(undo(w));
    QCOMPARE(l->list()->topLevelItemCount(), 3);

    // "Unlock All Channels" unlocks the current system's rows, also as one step.
    auto [s, g] = nth_group(w, 0);
    QVERIFY(rig.click(keys::system(s)));
    QVERIFY(w.dispatch(Menu::Options, QStringLiteral("Unlock All Channels")));
    QTRY_COMPARE(column(l->list(), 0),
                 (QStringList{QStringLiteral("Group"), QStringLiteral("Talkgroup")}));
    QVERIFY(undo(w));
    QCOMPARE(l->list()->topLevelItemCount(), 3);
    (void)g;
}

void TestEditTools::easyFillPutsTheGmrsChannelsInTheOpenGroupAsOneUndoStep() {
    EditorRig rig;
    MainWindow& w = rig.start();
    rig.open(write_db(rig.home));
    auto [s, g] = nth_group(w, 0);
    QVERIFY(rig.click(keys::group(s, g)));
    // The user types into the real dialog.
    w.choose_easy_fill = [&](bool talkgroups, int room) -> std::optional<EasyFillRequest> {
        EasyFillDialog dialog(talkgroups, room, &w);
        QTest::keyClicks(dialog.first_edit(), QStringLiteral("462.55"));
        QTest::keyClicks(dialog.second_edit(), QStringLiteral("462.725"));
        dialog.step_edit()->clear();
        QTest::keyClicks(dialog.step_edit(), QStringLiteral("12.5"));
        dialog.pattern_edit()->setText(QStringLiteral("GMRS {n}"));
        if (!dialog.buttons()->button(QDialogButtonBox::Ok)->isEnabled()) return std::nullopt;
        if (!dialog.preview()->text().startsWith(QStringLiteral("15 row(s)"))) return std::nullopt;
        return dialog.request();
    };
    QVERIFY(w.dispatch(Menu::Options, QStringLiteral("Easy Fill Channels")));
    const TextGrid& grid = w.grid_editor()->model()->grid();
    QCOMPARE(grid::last_used_row(grid, grid::GridKind::Channel), 17);
    QCOMPARE(QString::fromStdString(grid.at(3, 1)), QStringLiteral("462.5500"));
    QCOMPARE(QString::fromStdString(grid.at(3, 2)), QStringLiteral("GMRS 1"));
    QCOMPARE(QString::fromStdString(grid.at(17, 1)), QStringLiteral("462.7250"));
    QVERIFY(w.session().changed());
    QVERIFY(undo(w));
    QCOMPARE(grid::last_used_row(w.grid_editor()->model()->grid(), grid::GridKind::Channel), 2);
}

void TestEditTools::easyFillRefusesWhatItCannotMakeAndTheWrongGrid() {
    EasyFillDialog dialog(false, 9999);
    QVERIFY(!dialog.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    dialog.first_edit()->setText(QStringLiteral("25"));
    dialog.second_edit()->setText(QStringLiteral("1300"));
    QVERIFY(!dialog.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(dialog.preview()->text().contains(QStringLiteral("9999")));
    dialog.first_edit()->setText(QStringLiteral("20"));
    dialog.second_edit()->setText(QStringLiteral("21"));
    QVERIFY(dialog.preview()->text().contains(QStringLiteral("scanner's bands")));

    EditorRig rig;
    MainWindow& w = rig.start();
    rig.open(write_db(rig.home));
    w.dispatch(Menu::Options, QStringLiteral("Easy Fill Channels"));
    QCOMPARE(QString::fromStdString(rig.prompter.told.back()),
             QString::fromLatin1(grid::k_click_grid_first.data()));
    auto [s, g] = nth_group(w, 0);
    QVERIFY(rig.click(keys::group(s, g)));
    w.dispatch(Menu::Options, QStringLiteral("Easy Fill Trunk"));
    QVERIFY(QString::fromStdString(rig.prompter.told.back()).contains(QStringLiteral("trunked")));
}

void TestEditTools::decHexConvertsAsTheUserTypes() {
    EditorRig rig;
    MainWindow& w = rig.start();
    QVERIFY(w.dispatch(Menu::Tools, QStringLiteral("DEC HEX Converter")));
    DecHexWindow* d = w.dec_hex_window();
    QVERIFY(d && d->isVisible());
    QTest::keyClicks(d->input(), QStringLiteral("0x24A"));
    QCOMPARE(d->decimal()->text(), QStringLiteral("586"));
    QCOMPARE(d->hex()->text(), QStringLiteral("24A"));
    QCOMPARE(d->afs()->text(), QStringLiteral("04-092"));
    d->input()->setText(QStringLiteral("what"));
    QVERIFY(d->decimal()->text().isEmpty());
    QVERIFY(!d->message()->text().isEmpty());
}

void TestEditTools::alertTonesPlayFromTheToolsMenuAndFromTheGrid() {
    EditorRig rig;
    MainWindow& w = rig.start();
    QVERIFY(w.dispatch(Menu::Tools, QStringLiteral("Alert Tones")));
    AlertTonesWindow* a = w.alert_tones_window();
    QVERIFY(a);
    QTest::mouseClick(a->findChild<QPushButton*>(QStringLiteral("cmd_tone_3")), Qt::LeftButton);
    QCOMPARE(w.alert_player()->last_requested(), 3);
    QVERIFY(!a->status()->text().isEmpty());  // playing, or no output here: never an error box

    rig.open(write_db(rig.home));
    auto [s, g] = nth_group(w, 0);
    QVERIFY(rig.click(keys::group(s, g)));
    GridModel* m = w.grid_editor()->model();
    const int col = grid::column_index(grid::GridKind::Channel, grid::Column::AlertTone);
    QVERIFY(m->setData(m->index(0, col), QStringLiteral("7")));
    QCOMPARE(w.alert_player()->last_requested(), 7);
}

void TestEditTools::manualAndAboutComeFromTheHelpMenu() {
    EditorRig rig;
    MainWindow& w = rig.start();
    std::string opened;
    w.open_url = [&](const std::string& url) { opened = url; };
    QVERIFY(w.dispatch(Menu::Help, QStringLiteral("Open Software Manual")));
    QVERIFY2(QString::fromStdString(opened).endsWith(QStringLiteral("/manual.html")),
             opened.c_str());
    QVERIFY(QFile::exists(QUrl(QString::fromStdString(opened)).toLocalFile()));
    QVERIFY(w.dispatch(Menu::Help, QStringLiteral("About")));
    const QString about = QString::fromStdString(rig.prompter.told.back());
    QVERIFY(about.contains(QStringLiteral("Licence:")));
    QVERIFY(about.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
    QVERIFY(about.contains(QStringLiteral("pugixml")));
}

void TestEditTools::checkForUpdatesTellsNewerSameAndOffline() {
    EditorRig rig;
    MainWindow& w = rig.start();
    QVERIFY(w.dispatch(Menu::Help, QStringLiteral("Check for Updates")));
    UpdateCheckDialog* u = w.update_check_dialog();
    QVERIFY(u && u->isVisible());
    const QString version = QApplication::applicationVersion().isEmpty()
                                ? QStringLiteral(TARVEX_VERSION)
                                : QApplication::applicationVersion();
    {
        UpdateServer server(
            {QStringLiteral("{\"version\":\"99.0.0\",\"url\":\"https://example.test/get\"}")});
        QVERIFY(!server.address.isEmpty());
        u->address()->setText(server.address);
        QTest::mouseClick(u->check_button(), Qt::LeftButton);
        QVERIFY2(u->result()->text().contains(QStringLiteral("Tarvex 99.0.0 is available")),
                 qPrintable(u->result()->text()));
        // The address is remembered for the next time.
        UpdateCheckDialog again(*rig.settings, version);
        QCOMPARE(again.address()->text(), server.address);
    }
    {
        UpdateServer server(
            {QStringLiteral("--content-type"), QStringLiteral("text/plain"), version});
        u->address()->setText(server.address);
        u->check();
        QVERIFY2(u->result()->text().contains(QStringLiteral("is up to date")),
                 qPrintable(u->result()->text()));
    }
    {
        UpdateServer server(
            {QStringLiteral("--status"), QStringLiteral("404"), QStringLiteral("gone")});
        u->address()->setText(server.address);
        u->check();
        QVERIFY2(u->result()->text().contains(QStringLiteral("Could not reach")),
                 qPrintable(u->result()->text()));
    }
    // A quiet check at start-up only once the user has agreed to it here.
    {
        UpdateServer server({QStringLiteral("99.1")});
        u->address()->setText(server.address);
        u->check();
        w.status_label()->clear();
        w.check_updates_at_startup();
        QTest::qWait(300);
        QVERIFY(w.status_label()->text().isEmpty());
        u->at_startup()->setChecked(true);
        w.check_updates_at_startup();
        QTRY_VERIFY(w.status_label()->text().contains(QStringLiteral("Tarvex 99.1 is available")));
    }
    // Nobody listens any more on the last server's port: offline.
    QString dead;
    {
        UpdateServer server({QStringLiteral("1.0")});
        dead = server.address;
    }
    u->address()->setText(dead);
    u->check();
    QVERIFY2(u->result()->text().contains(QStringLiteral("offline")),
             qPrintable(u->result()->text()));
    // A server that never answers runs into the time-out.
    {
        UpdateServer server({QStringLiteral("--stall")});
        u->timeout_ms = 500;
        u->address()->setText(server.address);
        u->check();
        QVERIFY2(u->result()->text().contains(QStringLiteral("Could not reach")),
                 qPrintable(u->result()->text()));
    }
}

QTEST_MAIN(TestEditTools)
#include "test_edit_tools.moc"

void TestEditTools::toolWindowsFollowEditsMadeElsewhere() {
    EditorRig rig;
    MainWindow& w = rig.start();
    rig.open(write_db(rig.home));
    QVERIFY(w.dispatch(Menu::Options, QStringLiteral("Find Duplicates")));
    DuplicatesWindow* d = w.duplicates_window();
    QVERIFY(w.dispatch(Menu::Options, QStringLiteral("Review LockOut Channels")));
    LockoutsWindow* l = w.lockouts_window();
    QCOMPARE(d->list()->topLevelItemCount(), 1);
    QCOMPARE(l->list()->topLevelItemCount(), 3);

    // A grid edit: the county's second channel gets another tone, so it is no duplicate.
    auto [s, g] = nth_group(w, 2);
    QVERIFY(rig.click(keys::group(s, g)));
    GridModel* m = w.grid_editor()->model();
    const int code = grid::column_index(grid::GridKind::Channel, grid::Column::SqCode);
    QVERIFY(m->setData(m->index(1, code), QStringLiteral("151.4")));
    QTRY_COMPARE(d->list()->topLevelItemCount(), 0);

    // A delete in the browser: the sheriff's locked-out group goes, and with it its lockout.
    auto [s1, g1] = nth_group(w, 1);
    QVERIFY(rig.click(keys::group(s1, g1)));
    rig.prompter.script({Answer::Yes});
    QVERIFY(w.dispatch(Menu::TreePopup, QStringLiteral("Delete Group")));
    QTRY_COMPARE(column(l->list(), 0),
                 (QStringList{QStringLiteral("Channel"), QStringLiteral("Talkgroup")}));

    // A file read: both windows show the new data.
    rig.prompter.script({Answer::Yes, Answer::Yes});
    rig.open(write_db(rig.home));
    QTRY_COMPARE(l->list()->topLevelItemCount(), 3);
    QTRY_COMPARE(d->list()->topLevelItemCount(), 1);
}
