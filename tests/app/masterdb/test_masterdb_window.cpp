// The master-database import window driven as a user would: the state selector, the systems
// list with its ticks, the import, another folder or a single file, the real database.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "app/masterdb/masterdb_window.h"
#include "app/masterdb/search_results_model.h"
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
        window->set_index_delay(-1);
        window->show();
        window->read_index();
    }
    template <class T>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    QTreeWidget* systems() { return find<QTreeWidget>("systems"); }
    QTreeView* results() { return find<QTreeView>("search_results"); }
    const SearchResultsModel& model() { return window->search_results(); }
    QString searchStatus() { return find<QLabel>("search_status")->text(); }
    void type(const QString& text, bool enter = true) {
        auto* box = find<QLineEdit>("search");
        box->clear();
        QTest::keyClicks(box, text);
        if (enter) QTest::keyClick(box, Qt::Key_Return);
    }
    void tick(int row) {
        QAbstractItemModel* m = results()->model();
        QVERIFY(m->setData(m->index(row, 0), Qt::Checked, Qt::CheckStateRole));
    }
};

// Two states with the same frequency in several systems, one system holding it twice.
fs::path search_database(const fs::path& dir) {
    fs::path db = dir / "Search";
    fs::create_directories(db);
    write_file(db / "HPDB.config", crlf({"StateInfo|StateId=6|CountryId=1|California|CA",
                                         "StateInfo|StateId=48|CountryId=1|Texas|TX"}));
    write_file(db / "s_000006.hpd",
               crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                     "Conventional|CountyId=1|StateId=6|Alameda|Off||Conventional",
                     "C-Group|CGroupId=1|CountyId=1|Fire|Off|37.7|-121.9|25.0|Circle",
                     "C-Freq|CFreqId=1|CGroupId=1|Tac 4|Off|155475000|NFM||8",
                     "Conventional|CountyId=2|StateId=6|Alpine|Off||Conventional",
                     "C-Group|CGroupId=2|CountyId=2|Sheriff|Off|38.6|-119.8|25.0|Circle",
                     "C-Freq|CFreqId=2|CGroupId=2|Dispatch|Off|155475000|NFM||8",
                     "C-Freq|CFreqId=3|CGroupId=2|Car to car|Off|155475000|NFM||8"}));
    write_file(db / "s_000048.hpd",
               crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                     "Conventional|CountyId=3|StateId=48|Anderson|Off||Conventional",
                     "C-Group|CGroupId=3|CountyId=3|Sheriff's Office|Off|0|0|0|Circle",
                     "C-Freq|CFreqId=4|CGroupId=3|Dispatch|Off|155475000|NFM||2"}));
    return db;
}

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
        QSignalSpy imported(rig.window.get(), &MasterDbWindow::systems_imported);
        rig.window->choose_state(1);
        QCOMPARE(rig.systems()->topLevelItemCount(), 2);
        QCOMPARE(rig.systems()->topLevelItem(1)->text(1), QStringLiteral("Alpine"));
        QVERIFY(rig.systems()->topLevelItem(1)->toolTip(1).startsWith(
            QStringLiteral("Conventional | CountyId=184 | StateId=6 | Alpine | Off")));
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

    void clickingAStateInTheListShowsItsSystems() {
        Rig rig;
        auto* states = rig.find<QTreeWidget>("state_files");
        QTreeWidgetItem* california = states->topLevelItem(0);
        QTest::mouseClick(states->viewport(), Qt::LeftButton, {},
                          states->visualItemRect(california).center());
        QCOMPARE(rig.systems()->topLevelItemCount(), 2);
        QCOMPARE(rig.find<QComboBox>("state_selector")->currentText(),
                 QStringLiteral("California"));
        // Choosing through the selector marks the state in the list.
        rig.window->choose_state(2);
        QCOMPARE(states->currentItem(), states->topLevelItem(1));
        QCOMPARE(rig.systems()->topLevelItemCount(), 0);
    }

    void theFilterTickButtonsAndSpaceTickWhatIsShownAndTheImportIsCounted() {
        Rig rig;
        rig.window->choose_state(1);
        QTreeWidget* list = rig.systems();
        auto* filter = rig.find<QLineEdit>("system_filter");
        QTest::keyClicks(filter, QStringLiteral("ALP"));
        QVERIFY(list->topLevelItem(0)->isHidden());  // Alameda
        QVERIFY(!list->topLevelItem(1)->isHidden());
        QTest::keyClicks(filter, QStringLiteral("ine"));
        QVERIFY(!list->topLevelItem(1)->isHidden());
        QTest::mouseClick(rig.find<QPushButton>("tick_all"), Qt::LeftButton);
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
        QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Checked);
        filter->clear();
        QVERIFY(!list->topLevelItem(0)->isHidden());
        QTest::mouseClick(rig.find<QPushButton>("untick_all"), Qt::LeftButton);
        QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
        // Space ticks the selected rows, and a second Space unticks them.
        list->setFocus();
        list->topLevelItem(0)->setSelected(true);
        list->topLevelItem(1)->setSelected(true);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Checked);
        QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Checked);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
        QTest::keyClick(list, Qt::Key_Space);
        QTest::mouseClick(rig.find<QPushButton>("import"), Qt::LeftButton);
        QCOMPARE(rig.window->last_import_report(),
                 QStringLiteral("Imported 2 systems, 2 groups and 2 channels."));
        QCOMPARE(rig.find<QLabel>("status")->text(), rig.window->last_import_report());
    }

    void aStateWithoutItsFileLeavesTheListEmpty() {
        Rig rig;
        rig.window->choose_state(1);
        rig.window->choose_state(2);
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

    void namesAreShownWholeUpToABound() {
        Rig rig;
        const QString name = QStringLiteral("Harbor Regional Trunked");
        const QString endless = QString(QLatin1Char('W')).repeated(120);
        write_file(
            rig.dir / "names.hpd",
            crlf({"FormatVersion|2.04",
                  "Trunk|||" + name.toStdString() + "|Off||P25Standard|Off|Off|Auto|Ignore",
                  "T-Group|TGroupId=0|TrunkId=0|County Sheriff Dispatch|Off|0|0|0|Circle",
                  "Trunk|||" + endless.toStdString() + "|Off||P25Standard|Off|Off|Auto|Ignore",
                  "T-Group|TGroupId=1|TrunkId=1|Police|Off|0|0|0|Circle"}));
        QVERIFY(rig.window->open_file(QString::fromStdString((rig.dir / "names.hpd").string())));
        QTreeWidget* systems = rig.systems();
        QCOMPARE(systems->topLevelItem(0)->text(1), name);
        const QFontMetrics metrics(systems->font());
        QVERIFY(systems->columnWidth(1) > metrics.horizontalAdvance(name));
        QVERIFY(systems->columnWidth(3) >
                metrics.horizontalAdvance(QStringLiteral("County Sheriff Dispatch")));
        // An endless name is cut (whole in the tooltip) rather than pushing the counts away.
        QVERIFY(systems->columnWidth(1) < metrics.horizontalAdvance(endless));
    }

    void aChosenFolderIsRememberedAndAFileOpensTheSameWay() {
        TempDir empty;
        Rig rig(empty.path());
        fs::path other = rig.dir / "Database";
        fs::create_directories(other);
        write_file(other / "HPDB.config", crlf({"StateInfo|StateId=3|CountryId=1|Somewhere|SW"}));
        rig.window->choose_folder = [&] { return QString::fromStdString(other.string()); };
        QTest::mouseClick(rig.find<QPushButton>("choose_folder"), Qt::LeftButton);
        QCOMPARE(rig.find<QComboBox>("state_selector")->count(), 2);
        rig.make_window();
        QCOMPARE(rig.window->folder(), other);

        write_file(
            rig.dir / "saved.hpd",
            crlf({"FormatVersion|2.03", "Trunk|||Metro|Off||P25Standard|Off|Off|Auto|Ignore|Srch",
                  "T-Group|TGroupId=0|TrunkId=0|Police|Off|0.0|0.0|0.0|Circle"}));
        rig.window->choose_file = [&] {
            return QString::fromStdString((rig.dir / "saved.hpd").string());
        };
        QTest::mouseClick(rig.find<QPushButton>("open_file"), Qt::LeftButton);
        QCOMPARE(rig.systems()->topLevelItemCount(), 1);
        QCOMPARE(rig.systems()->topLevelItem(0)->text(1), QStringLiteral("Metro"));
        QCOMPARE(rig.systems()->topLevelItem(0)->text(2), QStringLiteral("Trunk"));
    }

    void typingAFrequencyListsEveryChannelOnItInEveryState() {
        TempDir dir;
        Rig rig(search_database(dir.path()));
        QAbstractItemModelTester tester(rig.results()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(rig.find<QLineEdit>("search")->placeholderText(),
                 QString::fromUtf8("Search all states\u2026"));
        QVERIFY(!rig.results()->isVisible());
        rig.type(QStringLiteral("155.4750"));
        QTRY_VERIFY(!rig.window->searching());
        QVERIFY(rig.results()->isVisible());
        QCOMPARE(rig.model().rowCount(), 4);
        QCOMPARE(rig.searchStatus(), QStringLiteral("4 matches in 2 states"));
        auto cell = [&](int row, int column) {
            return rig.model().index(row, column).data().toString();
        };
        QCOMPARE(cell(0, 0), QStringLiteral("California"));
        QCOMPARE(cell(3, 0), QStringLiteral("Texas"));
        QCOMPARE(cell(2, 1), QStringLiteral("Alpine"));
        QCOMPARE(cell(2, 2), QStringLiteral("Sheriff"));
        QCOMPARE(cell(2, 3), QStringLiteral("Car to car"));
        QCOMPARE(cell(2, 4), QStringLiteral("155.4750"));
        QCOMPARE(rig.model().headerData(4, Qt::Horizontal).toString(), QStringLiteral("Value:"));

        // Typing alone searches once the typing pauses; a new text replaces the results.
        rig.type(QStringLiteral("sheriff"), false);
        QTRY_COMPARE(rig.model().rowCount(), 2);
        QTRY_VERIFY(!rig.window->searching());
        rig.type(QStringLiteral("\"155\""));
        QTRY_VERIFY(!rig.window->searching());
        QCOMPARE(rig.model().rowCount(), 0);
        QCOMPARE(rig.searchStatus(), QStringLiteral("0 matches in 0 states"));
    }

    void aSearchCanBeCancelledAndKeepsWhatItFound() {
        TempDir dir;
        Rig rig(search_database(dir.path()));
        rig.window->set_search_slice(0);  // one buffer of one state file per slice
        rig.type(QStringLiteral("155.475"));
        QVERIFY(rig.window->searching());
        QVERIFY(rig.find<QPushButton>("cancel_search")->isEnabled());
        rig.window->search_slice();
        QCOMPARE(rig.model().rowCount(), 3);  // California only, so far
        QTest::mouseClick(rig.find<QPushButton>("cancel_search"), Qt::LeftButton);
        QVERIFY(!rig.window->searching());
        QVERIFY(!rig.find<QPushButton>("cancel_search")->isEnabled());
        QCOMPARE(rig.searchStatus(), QStringLiteral("Search cancelled: 3 matches"));
        QTest::qWait(50);
        QCOMPARE(rig.model().rowCount(), 3);
        // Escape in the box cancels too.
        rig.type(QStringLiteral("155.475"));
        QVERIFY(rig.window->searching());
        QTest::keyClick(rig.find<QLineEdit>("search"), Qt::Key_Escape);
        QVERIFY(!rig.window->searching());
    }

    void tickedResultsImportEachSystemOnce() {
        TempDir dir;
        Rig rig(search_database(dir.path()));
        QSignalSpy imported(rig.window.get(), &MasterDbWindow::systems_imported);
        rig.type(QStringLiteral("155.475"));
        QTRY_VERIFY(!rig.window->searching());
        QTest::mouseClick(rig.find<QPushButton>("import"), Qt::LeftButton);
        QCOMPARE(imported.count(), 0);  // nothing ticked
        // Both channels of Alpine and Anderson of another state.
        rig.tick(1);
        rig.tick(2);
        rig.tick(3);
        QCOMPARE(rig.model().ticked_count(), size_t(3));
        QTest::mouseClick(rig.find<QPushButton>("import"), Qt::LeftButton);
        QCOMPARE(imported.count(), 1);
        QVERIFY(rig.store.get_node_text("SYS-001").find("Alpine") != std::string::npos);
        QVERIFY(rig.store.get_node_text("SYS-002").find("Anderson") != std::string::npos);
        QVERIFY(!rig.store.exists("SYS-003"));
        QCOMPARE(rig.files.read_lines(1, 0).size(), size_t(2));
    }

    void aSystemTickedInTheListAndInTheResultsComesInOnce() {
        TempDir dir;
        Rig rig(search_database(dir.path()));
        rig.window->choose_state(1);
        rig.systems()->topLevelItem(1)->setCheckState(0, Qt::Checked);  // Alpine
        rig.type(QStringLiteral("dispatch"));
        QTRY_VERIFY(!rig.window->searching());
        QCOMPARE(rig.model().rowCount(), 2);
        rig.tick(0);  // Alpine's Dispatch
        QTest::mouseClick(rig.find<QPushButton>("import"), Qt::LeftButton);
        QVERIFY(rig.store.get_node_text("SYS-001").find("Alpine") != std::string::npos);
        QVERIFY(!rig.store.exists("SYS-002"));
    }

    void doubleClickingAResultShowsItsSystem() {
        TempDir dir;
        Rig rig(search_database(dir.path()));
        rig.type(QStringLiteral("car to"));
        QTRY_VERIFY(!rig.window->searching());
        QCOMPARE(rig.model().rowCount(), 1);
        QModelIndex first = rig.model().index(0, 1);
        emit rig.results()->doubleClicked(first);
        QCOMPARE(rig.find<QComboBox>("state_selector")->currentText(),
                 QStringLiteral("California"));
        QCOMPARE(rig.systems()->topLevelItemCount(), 2);
        QCOMPARE(rig.systems()->currentItem(), rig.systems()->topLevelItem(1));
    }

    void aSearchStopsAtTheLongestListItKeeps() {
        TempDir dir;
        fs::path db = dir / "Big";
        fs::create_directories(db);
        write_file(db / "HPDB.config", crlf({"StateInfo|StateId=6|CountryId=1|California|CA"}));
        std::string state = crlf({"Conventional|CountyId=1|StateId=6|Busy|Off||Conventional",
                                  "C-Group|CGroupId=1|CountyId=1|All|Off|0|0|0|Circle"});
        const std::string channel = crlf({"C-Freq|CFreqId=1|CGroupId=1|Ch|Off|155475000|NFM"});
        for (size_t i = 0; i < k_max_listed_matches + 10; ++i) state += channel;
        write_file(db / "s_000006.hpd", state);
        Rig rig(db);
        rig.type(QStringLiteral("155.475"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.window->searching(), 30000);
        QCOMPARE(rig.model().rowCount(), static_cast<int>(k_max_listed_matches));
        QCOMPARE(rig.searchStatus(),
                 QStringLiteral("The first 100000 matches; type more to narrow the search"));
    }

    void searchingAFolderThatIsNoDatabaseSaysSo() {
        TempDir empty;
        Rig rig(empty.path());
        size_t told = rig.prompter.told.size();
        rig.type(QStringLiteral("sheriff"));
        QCOMPARE(rig.prompter.told.size(), told + 1);
        QCOMPARE(
            rig.prompter.told.back(),
            std::string("Database or Sentinel not found, please install Sentinel software first"));
        QVERIFY(!rig.window->searching());
        // Typing alone shows it without a message box.
        rig.type(QStringLiteral("fire"), false);
        QTRY_VERIFY(rig.searchStatus().startsWith(QStringLiteral("Database or Sentinel")));
        QCOMPARE(rig.prompter.told.size(), told + 1);
    }

    void theRealDatabaseListsEveryState() {
        fs::path real = samples_dir().empty() ? fs::path() : samples_dir() / "hpdb";
        if (real.empty() || !fs::exists(real / "HPDB.config")) QSKIP("no sample master database");
        Rig rig(real);
        QCOMPARE(rig.find<QComboBox>("state_selector")->count(), 69);
        auto* states = rig.find<QComboBox>("state_selector");
        rig.window->choose_state(states->findText(QStringLiteral("Connecticut")));
        QVERIFY(rig.systems()->topLevelItemCount() > 10);
        // Names, not record words: no row reads "Conventional".
        for (int i = 0; i < rig.systems()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = rig.systems()->topLevelItem(i);
            QVERIFY(!item->text(1).isEmpty());
            QVERIFY(!item->text(1).startsWith(QStringLiteral("Conventional")));
            QVERIFY(item->toolTip(1).contains(item->text(1)));
        }

        // The search over every state, ticking three channels of different systems.
        rig.type(QStringLiteral("155.475"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.window->searching(), 20000);
        QVERIFY(rig.model().rowCount() > 50);
        QSet<QPair<int, int>> systems;
        for (int row = 0; row < rig.model().rowCount() && systems.size() < 3; ++row) {
            const SearchMatch& m = rig.model().matches()[static_cast<size_t>(row)];
            if (m.kind != MatchKind::Channel || systems.contains({m.state, m.row})) continue;
            systems.insert({m.state, m.row});
            rig.tick(row);
        }
        QTest::mouseClick(rig.find<QPushButton>("import"), Qt::LeftButton);
        QVERIFY(rig.store.exists("SYS-003"));
        QVERIFY(!rig.store.exists("SYS-004"));
    }
};

QTEST_MAIN(TestMasterDbWindow)
#include "test_masterdb_window.moc"
