// The favorites-lists manager window driven as a user would: detection, upload, load, delete,
// reorder, backups and service search, with scripted answers to its questions.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "app/card/favorites_window.h"
#include "core/card/card_fixture.h"
#include "core/settings/settings.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

struct Rig {
    Card card;
    Editor editor;
    TempDir pc;
    RecordingPrompter prompter;
    MemorySettingsBackend main_backend, import_backend;
    Settings settings{main_backend, import_backend};
    FixedDriveRoots roots;
    DataFolders folders;
    std::unique_ptr<FavoritesWindow> window;

    explicit Rig(const std::string& identity = "HomePatrol-1\tUS\t0012\t2.04.11")
        : roots({card.root}) {
        card.identity(identity);
        folders.data = pc / "data";
        folders.service_search = pc / "ServiceSearch";
        std::filesystem::create_directories(folders.data);
        std::filesystem::create_directories(folders.service_search);
        window = std::make_unique<FavoritesWindow>(settings, prompter, editor.store, editor.files,
                                                   folders, nullptr, &roots);
        window->set_detect_delay(-1);
    }
    template <class T>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    void click(const char* name) {
        auto* b = find<QPushButton>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void choose(int number) {
        auto* selector = find<QComboBox>("list_selector");
        selector->setCurrentIndex(selector->findData(number));
    }
    void start() {
        window->show();
        window->detect();
    }
    int rows() { return find<QTreeWidget>("lists")->topLevelItemCount(); }
};

}  // namespace

class TestFavoritesWindow : public QObject {
    Q_OBJECT
  private slots:
    void withoutACardTheCommandsStayDisabled() {
        Rig rig;
        std::filesystem::remove(rig.card.base / "HomePatrol.info");
        rig.start();
        QCOMPARE(rig.find<QLabel>("status")->text(),
                 QString::fromLatin1(k_not_found_status.data()));
        QVERIFY(!rig.find<QWidget>("card_commands")->isEnabled());
        QVERIFY(std::filesystem::exists(rig.folders.data / "drivetest.txt"));
    }

    void oldFirmwareIsRefusedAndTheWindowCloses() {
        Rig rig("HomePatrol-1\tUS\t0012\t1.03.05");
        rig.start();
        QCOMPARE(rig.prompter.told.back(), std::string(k_firmware_message));
        QVERIFY(!rig.window->isVisible());
    }

    void uploadANewListThenLoadItBack() {
        Rig rig;
        rig.card.config({"A|favorites_000001.hpd|On|On", "B|favorites_000002.hpd|On|On",
                         "D|favorites_000004.hpd|On|On"});
        for (int n : {1, 2, 4}) rig.card.list_file(n);
        rig.editor.read_text(harbor_hpd());
        auto before = rig.editor.written();
        rig.start();
        QVERIFY(rig.find<QWidget>("card_commands")->isEnabled());
        QCOMPARE(rig.rows(), 3);

        rig.find<QLineEdit>("list_name")->clear();
        QTest::keyClicks(rig.find<QLineEdit>("list_name"), "Harbor");
        rig.find<QCheckBox>("location_control")->setChecked(false);
        rig.click("upload");
        QCOMPARE(rig.rows(), 4);
        QCOMPARE(rig.find<QLabel>("status")->text(), QStringLiteral("Save ready"));
        QCOMPARE(read_lines(rig.card.favorites / "favorites_lists.config").back(),
                 std::string("F-List\tHarbor\tfavorites_000003.hpd\tOff\tOn"));
        QCOMPARE(rig.find<QComboBox>("list_selector")->currentData().toInt(), 3);

        QSignalSpy loaded(rig.window.get(), &FavoritesWindow::list_loaded);
        rig.window->show_page(FavoritesWindow::Page::Read);
        rig.click("load");
        QCOMPARE(loaded.count(), 1);
        QVERIFY(!rig.window->isVisible());
        QVERIFY(rig.editor.written() == before);
        QCOMPARE(rig.settings.GetSetting("startup", "startup", "0x"), std::string("3"));
    }

    void uploadToAnExistingListAsksFirst() {
        Rig rig;
        rig.card.config({"A|favorites_000001.hpd|On|On"});
        rig.card.list_file(1, "old\r\n");
        rig.editor.read_text(harbor_hpd());
        rig.start();
        rig.find<QRadioButton>("existing_list")->setChecked(true);
        rig.choose(1);
        rig.click("upload");  // answered No by default
        QCOMPARE(rig.prompter.questions.back(),
                 std::string("Warning, data in existing Favorite List will be lost, Continue?"));
        QCOMPARE(read_file(rig.card.favorites / "favorites_000001.hpd"), std::string("old\r\n"));
        rig.prompter.script({Answer::Yes});
        rig.click("upload");
        QCOMPARE(read_file(rig.card.favorites / "favorites_000001.bac"), std::string("old\r\n"));
    }

    void deletingAListKeepsItsBackupsAndCloses() {
        Rig rig;
        rig.card.config({"A|favorites_000001.hpd|On|On", "B|favorites_000002.hpd|On|On"});
        rig.card.list_file(1);
        rig.card.list_file(2, "two\r\n");
        rig.start();
        rig.window->show_page(FavoritesWindow::Page::Configuration);
        rig.choose(2);
        rig.prompter.script({Answer::Yes});
        rig.click("delete_list");
        QVERIFY(!rig.window->isVisible());
        QVERIFY(!std::filesystem::exists(rig.card.favorites / "favorites_000002.hpd"));
        QCOMPARE(read_file(rig.card.favorites / "favorites_000002.bac"), std::string("two\r\n"));
        QVERIFY(std::filesystem::exists(rig.card.favorites / "favorites_lists.backup"));
    }

    void reorderedListsAreSavedWhenClosingWithYes() {
        Rig rig;
        rig.card.config({"A|favorites_000001.hpd|On|On", "B|favorites_000002.hpd|On|On"});
        rig.card.list_file(1);
        rig.card.list_file(2);
        rig.card.list_file(7);
        rig.start();
        rig.window->show_page(FavoritesWindow::Page::Configuration);
        rig.choose(1);
        rig.click("move_down");
        rig.click("orphans");
        QCOMPARE(rig.rows(), 3);
        QCOMPARE(rig.find<QTreeWidget>("lists")->topLevelItem(2)->text(1),
                 QStringLiteral("Orphan 7"));
        rig.prompter.script({Answer::Yes});
        rig.window->close();
        QCOMPARE(rig.prompter.questions.back(), std::string("Save new Favorites Config file?"));
        auto lines = read_lines(rig.card.favorites / "favorites_lists.config");
        QCOMPARE(lines.size(), size_t(5));
        QCOMPARE(lines[2], std::string("F-List\tB\tfavorites_000002.hpd\tOn\tOn"));
        QCOMPARE(lines[4], std::string("F-List\tOrphan 7\tfavorites_000007.hpd\tOff\tOff"));
    }

    void aFullDiskStopsTheBackup() {
        Rig rig;
        rig.card.config({"A|favorites_000001.hpd|On|On"});
        rig.card.list_file(1);
        rig.start();
        rig.window->show_page(FavoritesWindow::Page::Backup);
        // The manager keeps the copy function it was made with: set it, then detect again.
        rig.window->set_copy_function(
            [](const std::filesystem::path&, const std::filesystem::path&) {
                return std::make_error_code(std::errc::no_space_on_device);
            });
        rig.window->detect();
        rig.prompter.script({Answer::Yes});
        rig.click("backup_fav_to_pc");
        QCOMPARE(rig.prompter.told.back(), std::string("Error, Disk is Full"));
    }

    void aServiceSearchButtonAddsAList() {
        Rig rig;
        rig.card.config({});
        write_file(rig.folders.service_search / "Airband.hpd", "air\r\n");
        rig.start();
        rig.window->show_page(FavoritesWindow::Page::Backup);
        rig.click("service_search_7");
        QCOMPARE(rig.rows(), 1);
        QCOMPARE(rig.find<QTreeWidget>("lists")->topLevelItem(0)->text(1),
                 QStringLiteral("Airband"));
        QCOMPARE(read_file(rig.card.favorites / "favorites_000001.hpd"), std::string("air\r\n"));
    }
};

QTEST_MAIN(TestFavoritesWindow)
#include "test_favorites_window.moc"
