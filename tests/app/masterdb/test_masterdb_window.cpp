// The master-database import window driven as a user would: the state selector, the systems
// list with its ticks, the import, another folder or a single file, the real database.
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "app/masterdb/masterdb_window.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;
namespace fs = std::filesystem;

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += replace_all(l, "|", "\t") + "\r\n";
    return out;
}

struct Rig {
    TempDir dir;
    RecordingPrompter prompter;
    GroupFiles files{dir / "run"};
    SystemStore store{prompter};
    MemorySettingsBackend main_backend, import_backend;
    Settings settings{main_backend, import_backend};
    DataFolders folders;
    std::unique_ptr<MasterDbWindow> window;

    explicit Rig(const fs::path& database = {}) {
        folders.master_database = database.empty() ? dir / "Database" : database;
        if (database.empty()) {
            fs::create_directories(folders.master_database);
            write_file(folders.master_database / "HPDB.config",
                       crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                             "StateInfo|StateId=6|CountryId=1|California|CA",
                             "StateInfo|StateId=12|CountryId=1|Florida|FL"}));
            write_file(folders.master_database / "s_000006.hpd",
                       crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                             "Conventional|CountyId=183|StateId=6|Alameda|Off||Conventional",
                             "AreaCounty|CountyId=183|CountyId=183",
                             "C-Group|CGroupId=1|CountyId=183|Fire|Off|37.7|-121.9|25.0|Circle",
                             "C-Freq|CFreqId=1|CGroupId=1|Tac 4|Off|154070000|NFM|TONE=C131.8|8",
                             "Conventional|CountyId=184|StateId=6|Alpine|Off||Conventional",
                             "C-Group|CGroupId=2|CountyId=184|Sheriff|Off|38.6|-119.8|25.0|Circle",
                             "C-Freq|CFreqId=2|CGroupId=2|Dispatch|Off|155610000|NFM||8"}));
        }
        make_window();
    }
    void make_window() {
        window = std::make_unique<MasterDbWindow>(settings, prompter, store, files, folders);
        window->setIndexDelay(-1);
        window->show();
        window->readIndex();
    }
    template <class T>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    QTreeWidget* systems() { return find<QTreeWidget>("systems"); }
};

}  // namespace

class TestMasterDbWindow : public QObject {
    Q_OBJECT
  private slots:
    void theSelectorListsTheStatesOfTheIndex() {
        Rig rig;
        auto* states = rig.find<QComboBox>("state_selector");
        QCOMPARE(states->count(), 3);
        QCOMPARE(states->itemText(0), QStringLiteral(" << Select File  >> "));
        QCOMPARE(states->itemText(2), QStringLiteral("Florida"));
        QCOMPARE(rig.find<QTreeWidget>("state_files")->topLevelItem(1)->text(1),
                 QStringLiteral("s_000012.hpd"));
    }

    void tickingASystemImportsIt() {
        Rig rig;
        QSignalSpy imported(rig.window.get(), &MasterDbWindow::systemsImported);
        rig.window->chooseState(1);
        QCOMPARE(rig.systems()->topLevelItemCount(), 2);
        QCOMPARE(rig.systems()->topLevelItem(1)->text(1), QStringLiteral("Conventional: Alpine"));
        QCOMPARE(rig.systems()->topLevelItem(1)->text(3), QStringLiteral("Sheriff"));
        QTest::mouseClick(rig.find<QPushButton>("import"), Qt::LeftButton);
        QCOMPARE(imported.count(), 0);  // nothing ticked
        rig.systems()->topLevelItem(1)->setCheckState(0, Qt::Checked);
        QTest::mouseClick(rig.find<QPushButton>("import"), Qt::LeftButton);
        QCOMPARE(imported.count(), 1);
        QCOMPARE(rig.store.get_node_text("SYS-001").find("Alpine") != std::string::npos, true);
        QCOMPARE(rig.files.read_lines(1, 0).size(), size_t(1));
        QVERIFY(fs::exists(rig.files.folder() / "import.hpd"));
        rig.window->close();
        QVERIFY(!fs::exists(rig.files.folder() / "import.hpd"));
    }

    void aStateWithoutItsFileLeavesTheListEmpty() {
        Rig rig;
        rig.window->chooseState(1);
        rig.window->chooseState(2);
        QCOMPARE(rig.systems()->topLevelItemCount(), 0);
    }

    void withoutAnIndexTheUserIsToldToInstallSentinel() {
        TempDir empty;
        Rig rig(empty.path());
        QCOMPARE(
            rig.prompter.told.back(),
            std::string("Database or Sentinel not found, please install Sentinel software first"));
        QCOMPARE(rig.find<QComboBox>("state_selector")->count(), 1);
    }

    void aChosenFolderIsRememberedAndAFileOpensTheSameWay() {
        TempDir empty;
        Rig rig(empty.path());
        fs::path other = rig.dir / "Database";
        fs::create_directories(other);
        write_file(other / "HPDB.config", crlf({"StateInfo|StateId=3|CountryId=1|Somewhere|SW"}));
        rig.window->chooseFolder = [&] { return QString::fromStdString(other.string()); };
        QTest::mouseClick(rig.find<QPushButton>("choose_folder"), Qt::LeftButton);
        QCOMPARE(rig.find<QComboBox>("state_selector")->count(), 2);
        rig.make_window();
        QCOMPARE(rig.window->folder(), other);

        write_file(
            rig.dir / "saved.hpd",
            crlf({"FormatVersion|2.03", "Trunk|||Metro|Off||P25Standard|Off|Off|Auto|Ignore|Srch",
                  "T-Group|TGroupId=0|TrunkId=0|Police|Off|0.0|0.0|0.0|Circle"}));
        rig.window->chooseFile = [&] {
            return QString::fromStdString((rig.dir / "saved.hpd").string());
        };
        QTest::mouseClick(rig.find<QPushButton>("open_file"), Qt::LeftButton);
        QCOMPARE(rig.systems()->topLevelItemCount(), 1);
        QCOMPARE(rig.systems()->topLevelItem(0)->text(1),
                 QStringLiteral("Trunk: Metro / P25Standard"));
    }

    void theRealDatabaseListsEveryState() {
        fs::path real = samples_dir().empty() ? fs::path() : samples_dir() / "hpdb";
        if (real.empty() || !fs::exists(real / "HPDB.config")) QSKIP("no sample master database");
        Rig rig(real);
        QCOMPARE(rig.find<QComboBox>("state_selector")->count(), 69);
        auto* states = rig.find<QComboBox>("state_selector");
        rig.window->chooseState(states->findText(QStringLiteral("Connecticut")));
        QVERIFY(rig.systems()->topLevelItemCount() > 10);
        QVERIFY(
            rig.systems()->topLevelItem(0)->text(1).startsWith(QStringLiteral("Conventional: ")));
    }
};

QTEST_MAIN(TestMasterDbWindow)
#include "test_masterdb_window.moc"
