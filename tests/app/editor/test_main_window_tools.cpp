// The tool windows reached from the main window's menus and tool bar, as a HomePatrol owner uses
// them: systems taken from the master database, edited, sent to the memory card as a new
// favorites list, read back, an older list deleted with its backups kept; Virtual Control
// following the scanner until the main window closes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>

#include "app/card/favorites_window.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/masterdb/masterdb_window.h"
#include "app/platform/drive_roots_qt.h"
#include "app/remote/mini_vc_window.h"
#include "app/remote/virtual_control_window.h"
#include "core/base/text.h"
#include "core/card/card_fixture.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/remote/reception_log.h"
#include "editor_rig.h"

#ifndef HP_SIM_PATH
#define HP_SIM_PATH ""
#endif

using namespace tarvex;
using namespace tarvex::test;
namespace fs = std::filesystem;

namespace {

std::string tabbed(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += replace_all(l, "|", "\t") + "\r\n";
    return out;
}

// A master database of one state with two conventional systems.
fs::path lay_out_master_database(const fs::path& folder) {
    fs::create_directories(folder);
    write_file(folder / "HPDB.config", tabbed({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                                               "StateInfo|StateId=6|CountryId=1|California|CA"}));
    write_file(folder / "s_000006.hpd",
               tabbed({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                       "Conventional|CountyId=183|StateId=6|Alameda|Off||Conventional",
                       "C-Group|CGroupId=1|CountyId=183|Fire|Off|37.7|-121.9|25.0|Circle",
                       "C-Freq|CFreqId=1|CGroupId=1|Tac 4|Off|154070000|NFM|TONE=C131.8|8",
                       "Conventional|CountyId=184|StateId=6|Alpine|Off||Conventional",
                       "C-Group|CGroupId=2|CountyId=184|Sheriff|Off|38.6|-119.8|25.0|Circle",
                       "C-Freq|CFreqId=2|CGroupId=2|Dispatch|Off|155610000|NFM||8"}));
    return folder;
}

int systems_in(const SystemStore& store) {
    int n = 0;
    for (const auto& k : store.child_keys("")) n += starts_with(k, "SYS-");
    return n;
}

std::string first_group_of(const SystemStore& store, const std::string& system_key) {
    for (const auto& k : store.child_keys(system_key))
        if (starts_with(k, "GRP-")) return k;
    return {};
}

int column_titled(const GridModel& model, const QString& title) {
    for (int c = 0; c < model.columnCount(); ++c)
        if (model.headerData(c, Qt::Horizontal).toString() == title) return c;
    return -1;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

template <class T>
T* child(QWidget* window, const char* name) {
    return window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
}

bool card_ready(FavoritesWindow* w) {
    auto* commands = child<QWidget>(w, "card_commands");
    return commands && commands->isEnabled();
}

void choose_list(FavoritesWindow* w, int number) {
    auto* selector = child<QComboBox>(w, "list_selector");
    selector->setCurrentIndex(selector->findData(number));
}

int page_of(FavoritesWindow* w) {
    return child<QTabWidget>(w, "pages")->currentIndex();
}

}  // namespace

class TestMainWindowTools : public QObject {
    Q_OBJECT

  private slots:
    void eachCardCommandOpensOneManagerOnThePageOfItsJob() {
        EditorRig rig;
        MainWindow& w = rig.start();
        QVERIFY(w.dispatch(Menu::Scanner, QStringLiteral("Upload To HP1 Folder")));
        QPointer<FavoritesWindow> manager = w.favorites_window();
        QVERIFY(manager && manager->isVisible());
        QCOMPARE(page_of(manager), int(FavoritesWindow::Page::Upload));
        const std::pair<Menu, const char*> commands[] = {
            {Menu::ToolBar, "Read HP-1"},  {Menu::Scanner, "Edit Favorites Configuration"},
            {Menu::ToolBar, "Backup"},     {Menu::Scanner, "Add Service Search"},
            {Menu::ToolBar, "Write Data"},
        };
        const FavoritesWindow::Page pages[] = {
            FavoritesWindow::Page::Read, FavoritesWindow::Page::Configuration,
            FavoritesWindow::Page::Backup, FavoritesWindow::Page::Backup,
            FavoritesWindow::Page::Upload};
        for (int i = 0; i < 5; ++i) {
            QVERIFY(w.dispatch(commands[i].first, QLatin1String(commands[i].second)));
            QCOMPARE(w.favorites_window(), manager.data());
            QCOMPARE(page_of(manager), int(pages[i]));
        }

        QVERIFY(w.dispatch(Menu::ImportExport, QStringLiteral("Import System(s) from Database")));
        QPointer<MasterDbWindow> importer = w.masterdb_window();
        QVERIFY(importer && importer->isVisible());
        QVERIFY(w.dispatch(Menu::ImportExport, QStringLiteral("Import System(s) from Database")));
        QCOMPARE(w.masterdb_window(), importer.data());

        // Closing the main window takes its tool windows along.
        w.close();
        QVERIFY(!manager && !importer);
    }

    // Issue road: master database -> editor -> card -> editor, and an older list deleted.
    void importedSystemsGoToTheCardAsANewListAndComeBack() {
        EditorRig rig;
        Card card;
        card.identity("HomePatrol-1\tUS\t0012\t2.04.11");
        card.config({"Old|favorites_000001.hpd|On|On"});
        card.list_file(1, tabbed({"TargetModel|HomePatrol-1", "FormatVersion|2.00"}));
        QtDriveRoots::set_user_folders(*rig.settings, {QString::fromStdString(card.root.string())});
        fs::path database =
            lay_out_master_database(fs::path(rig.home.filePath("Database").toStdString()));
        rig.settings->SaveSetting(k_masterdb_section, k_masterdb_folder_key, database.string());

        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        SystemStore& store = w.session().store();
        QCOMPARE(systems_in(store), 5);

        // Alpine from the master database.
        QVERIFY(w.dispatch(Menu::ImportExport, QStringLiteral("Import System(s) from Database")));
        MasterDbWindow* importer = w.masterdb_window();
        auto* states = child<QComboBox>(importer, "state_selector");
        QTRY_COMPARE_WITH_TIMEOUT(states->count(), 2, 5000);
        emit states->activated(1);
        auto* systems = child<QTreeWidget>(importer, "systems");
        QCOMPARE(systems->topLevelItemCount(), 2);
        systems->topLevelItem(1)->setCheckState(0, Qt::Checked);
        QTest::mouseClick(child<QPushButton>(importer, "import"), Qt::LeftButton);
        QCOMPARE(systems_in(store), 6);
        QVERIFY(contains(store.get_node_text("SYS-006"), "Alpine"));
        QVERIFY2(w.browser_model()->index_of_key("SYS-006").isValid(), "the browser shows it");
        QVERIFY(w.session().changed());
        QVERIFY(w.isWindowModified());
        QVERIFY(store.change_counter(6) > 0);
        QCOMPARE(store.change_counter(1), 0);
        QTest::mouseClick(child<QPushButton>(importer, "close"), Qt::LeftButton);
        QTRY_VERIFY(!w.masterdb_window());

        // An edit left open in the grid travels with the upload.
        const std::string group = first_group_of(store, "SYS-006");
        QVERIFY(rig.click(group));
        GridModel* model = w.grid_editor()->model();
        int alpha = column_titled(*model, QStringLiteral("Alpha Tag"));
        QVERIFY(alpha > 0);
        QVERIFY(model->setData(model->index(0, alpha), QStringLiteral("Sheriff Disp")));

        QVERIFY(w.dispatch(Menu::Scanner, QStringLiteral("Write To HP1")));
        FavoritesWindow* manager = w.favorites_window();
        QTRY_VERIFY_WITH_TIMEOUT(card_ready(manager), 5000);
        QCOMPARE(child<QTreeWidget>(manager, "lists")->topLevelItemCount(), 1);
        auto* name = child<QLineEdit>(manager, "list_name");
        name->clear();
        QTest::keyClicks(name, "Sierra");
        QTest::mouseClick(child<QPushButton>(manager, "upload"), Qt::LeftButton);
        QCOMPARE(read_lines(card.favorites / "favorites_lists.config").back(),
                 std::string("F-List\tSierra\tfavorites_000002.hpd\tOn\tOn"));
        const std::string sent = read_file(card.favorites / "favorites_000002.hpd");
        QVERIFY(contains(sent, "\tAlpine\t"));
        QVERIFY2(contains(sent, "\tSheriff Disp\t"), "the open grid was written back first");

        // Read it back from the tool bar: the editor holds exactly the list.
        QVERIFY(w.dispatch(Menu::ToolBar, QStringLiteral("Read")));
        QCOMPARE(w.favorites_window(), manager);
        QCOMPARE(page_of(manager), int(FavoritesWindow::Page::Read));
        choose_list(manager, 2);
        rig.prompter.script({Answer::No});
        QTest::mouseClick(child<QPushButton>(manager, "load"), Qt::LeftButton);
        QVERIFY2(w.session().changed() && systems_in(store) == 6, "No keeps the unsaved data");
        QCOMPARE(rig.prompter.questions.back(),
                 std::string("This will delete all data.\nIf not saved, data is lost!\nContinue?"));
        rig.prompter.script({Answer::Yes});
        QTest::mouseClick(child<QPushButton>(manager, "load"), Qt::LeftButton);
        QTRY_VERIFY(!w.favorites_window());
        QCOMPARE(systems_in(store), 6);
        QCOMPARE(w.session().file_name(), std::string());
        QVERIFY(w.session().changed());
        QVERIFY(w.browser_model()->index_of_key("SYS-006").isValid());
        QCOMPARE(w.browser_model()->rowCount(), 6);
        QVERIFY(contains(join(w.session().files().read_lines(6, keys::group_of(group)), '\n'),
                         "Sheriff Disp"));

        // The old list goes; its backups stay on the card.
        QVERIFY(w.dispatch(Menu::Scanner, QStringLiteral("Edit Favorites Configuration")));
        manager = w.favorites_window();
        QTRY_VERIFY_WITH_TIMEOUT(card_ready(manager), 5000);
        QCOMPARE(child<QTreeWidget>(manager, "lists")->topLevelItemCount(), 2);
        choose_list(manager, 1);
        rig.prompter.script({Answer::Yes});
        QTest::mouseClick(child<QPushButton>(manager, "delete_list"), Qt::LeftButton);
        QTRY_VERIFY(!w.favorites_window());
        QVERIFY(!fs::exists(card.favorites / "favorites_000001.hpd"));
        QVERIFY(fs::exists(card.favorites / "favorites_000001.bac"));
        QVERIFY(contains(read_file(card.favorites / "favorites_lists.backup"), "\tOld\t"));
        const auto config = read_lines(card.favorites / "favorites_lists.config");
        QCOMPARE(config.back(), std::string("F-List\tSierra\tfavorites_000002.hpd\tOn\tOn"));
        QCOMPARE(static_cast<int>(config.size()), 3);

        rig.prompter.script({Answer::Yes});  // quit without saving
        w.close();
    }

    void virtualControlFollowsTheScannerUntilTheMainWindowCloses() {
        const QString program = qEnvironmentVariable("HP_SIM", QStringLiteral(HP_SIM_PATH));
        if (!QFileInfo::exists(program)) QSKIP("the scanner simulator hp_sim is not built");
        EditorRig rig;
        const QString link = rig.home.filePath("ttyHP");
        QProcess simulator;
        QStringList said;
        connect(&simulator, &QProcess::readyReadStandardOutput, this, [&] {
            while (simulator.canReadLine())
                said << QString::fromUtf8(simulator.readLine()).trimmed();
        });
        simulator.start(program, {"--link", link});
        QVERIFY(simulator.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(said.contains("device " + link), 5000);
        rig.settings->SaveSetting("com", "usbdevice", link.toStdString());
        rig.settings->SaveSetting("vc", "trace", "1");

        MainWindow& w = rig.start();
        QVERIFY(w.dispatch(Menu::Scanner, QStringLiteral("Virtual Control")));
        QPointer<VirtualControlWindow> vc = w.virtual_control_window();
        QVERIFY(vc && vc->isVisible());
        QVERIFY(w.dispatch(Menu::ToolBar, QStringLiteral("VC")));
        QCOMPARE(w.virtual_control_window(), vc.data());

        QTRY_VERIFY_WITH_TIMEOUT(vc->core().link().port().is_open(), 10000);
        simulator.write(
            "rx freq=155.2250|mode=FM|tone=64|system=Oak County|dept=Fire|"
            "chan=Dispatch|sig=3|fav=Home\n");
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(vc, "lbl_channel")->text(), QString("Dispatch"),
                                  10000);
        QCOMPARE(child<QLabel>(vc, "lbl_system")->text(), QString("Oak County"));
        QTRY_COMPARE_WITH_TIMEOUT(
            QString::fromStdString(vc->core().log().row(1)[remote::col_channel]),
            QString("Dispatch"), 5000);

        w.close();
        QVERIFY(!vc);
        const fs::path data = w.folders().data;
        QVERIFY2(contains(read_file(data / "loggrid.ini"), "Dispatch"), "the log was kept");
        const auto trace = read_lines(data / "vc_trace.txt");
        QVERIFY(!trace.empty());
        QVERIFY2(contains(trace.back(), "* close"), "the port was released last");
        simulator.write("quit\n");
        simulator.waitForFinished(5000);
    }
};

QTEST_MAIN(TestMainWindowTools)
#include "test_main_window_tools.moc"
