// The RadioReference import window against the stand-in service, driven as a user would: log in,
// walk to a county, import a trunked system and a conventional list, save, and read the file
// back; and the service's failures, which leave the editor's data as it was.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/platform/password_store.h"
#include "app/radioref/frm_import_rr.h"
#include "app/radioref/frm_rr_tag_filter.h"
#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "core/radioref/rr_settings.h"
#include "core/radioref/standin.h"
#include "core/settings/settings.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

struct Rig {
    TempDir dir;
    RecordingPrompter prompter;
    GroupFiles files{dir / "run"};
    SystemStore store{prompter};
    MemorySettingsBackend main_backend, import_backend;
    Settings settings{main_backend, import_backend};
    std::unique_ptr<FrmImportRR> window;

    explicit Rig(const std::string& base) {
        settings.SaveImportSetting(radioref::k_key_base_url, base);
        settings.SaveImportSetting(radioref::k_key_user, "user");
        settings.SaveImportSetting(radioref::k_key_pass, "pass");
        window = std::make_unique<FrmImportRR>(settings, prompter, store, files, DataFolders{});
        window->setLoginDelay(-1);
        window->connection().soap_folder = dir.path() / "soap";
    }
    template <typename T>
    T* find(const char* name) {
        return window->findChild<T*>(name);
    }
    void pick(const char* combo, int id) {
        auto* box = find<QComboBox>(combo);
        int at = box->findData(id);
        QVERIFY2(at >= 0, combo);
        box->setCurrentIndex(at);
        QMetaObject::invokeMethod(box, "activated", Q_ARG(int, at));
    }
};

}  // namespace

class TestFrmImportRR : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { PasswordStore::set_keychain_enabled(false); }

    void importsATrunkedSystemAndAConventionalListThatSaveAndReadBack() {
        radioref::test::StandIn server(false);
        if (!server.ok()) QSKIP("python3 or the stand-in service is not available");
        Rig rig(server.base());
        rig.window->show();
        rig.window->login();
        QCOMPARE(rig.find<QLabel>("lbl_status")->text(),
                 QString("Subscription expires on: Never - Feed Provider"));
        QVERIFY(rig.window->connection().logged_in);
        // Timer6 loads the country's states.
        QTRY_VERIFY(rig.find<QComboBox>("CboState")->count() > 1);
        rig.pick("CboState", 19);
        QCOMPARE(rig.find<QLabel>("lbl_status")->text(), QString("Please select County or Agency"));
        rig.pick("CboCounty", 900);
        auto* cats = rig.find<QTreeWidget>("tv_cats");
        QAbstractItemModelTester cat_tester(cats->model());
        QCOMPARE(cats->topLevelItemCount(), 2);
        QCOMPARE(cats->topLevelItem(0)->child(0)->text(0), QString("Dispatch, Main"));

        // The trunked system: sites, frequencies and talkgroups all ticked.
        rig.pick("CboSystem", 101);
        auto* tgs = rig.find<QTreeWidget>("tggrid");
        QAbstractItemModelTester tg_tester(tgs->model());
        QCOMPARE(rig.find<QTreeWidget>("sitegrid")->topLevelItemCount(), 2);
        QCOMPARE(rig.find<QTreeWidget>("freqgrid")->topLevelItemCount(), 4);
        QCOMPARE(tgs->topLevelItemCount(), 3);
        QCOMPARE(rig.find<QLabel>("lbl_trunkcount")->text(), QString("3 / 3"));
        tgs->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(rig.find<QLabel>("lbl_trunkcount")->text(), QString("2 / 3"));
        QSignalSpy imported(rig.window.get(), &FrmImportRR::systemsImported);
        rig.window->importTicked();
        QCOMPARE(imported.count(), 1);
        QVERIFY(rig.window->lastReport().ok);
        QCOMPARE(rig.window->lastReport().rows, 2);
        QCOMPARE(QString::fromStdString(rig.store.get_node_text("SYS-001")).left(28),
                 QString("SIN,Motorola,101,StateId=0,T"));
        QCOMPARE(rig.files.read_lines(1, 0).at(0),
                 std::string("1,1001,SO Disp,Off,Analog,Law Dispatch,2,0,Off,Auto"));

        // The conventional list: two subcategories ticked, fetched, imported.
        QTreeWidgetItem* dispatch = cats->topLevelItem(0)->child(0);
        QTreeWidgetItem* fire = cats->topLevelItem(1)->child(0);
        dispatch->setCheckState(0, Qt::Checked);
        fire->setCheckState(0, Qt::Checked);
        rig.window->fetchSubcategories();
        auto* conv = rig.find<QTreeWidget>("convgrid");
        QAbstractItemModelTester conv_tester(conv->model());
        QCOMPARE(conv->topLevelItemCount(), 5);
        QCOMPARE(rig.find<QLabel>("lbl_convcount")->text(), QString("5 / 5"));
        QCOMPARE(rig.find<QLabel>("lbl_status")->text(), QString("Done...."));
        rig.find<QTabWidget>("tabMode")->setCurrentIndex(0);
        rig.find<QLineEdit>("txtName1")->setText("Tarvex Conv");
        rig.window->importTicked();
        QCOMPARE(imported.count(), 2);
        QCOMPARE(rig.store.get_node_text("SYS-002"),
                 std::string("SIN,Conventional,0,StateId=0,TarvexConv,Off,01/01/2010 10:00:00,"
                             "Conventional"));
        QCOMPARE(rig.files.read_lines(2, 0).size(), size_t(3));
        QVERIFY(rig.prompter.told.back().find("Added: system 2") != std::string::npos);

        // Saved and read back, the file is the same.
        std::string path = (rig.dir / "rr.hpd").string();
        int format = 0;
        QVERIFY(write_hpd(path, rig.store, rig.files, 0, format, 0, false, rig.prompter,
                          no_progress()));
        std::vector<std::string> first = hpd_lines(rig.store, rig.files, 0);
        RecordingPrompter p2;
        SystemStore store2{p2};
        GroupFiles files2{rig.dir / "run2"};
        ReadStats st = read_hpd(path, store2, files2, k_read_all, 0, no_progress());
        QCOMPARE(st.systems_added, 2);
        QCOMPARE(hpd_lines(store2, files2, 0), first);
        // The options survive in the import settings.
        rig.window->close();
        QCOMPARE(rig.settings.GetImportSetting("useroptc4", "x"), std::string("1"));
    }

    void failuresShowTheServicesTextAndLeaveTheDataAlone() {
        radioref::test::StandIn server(false, 3);
        if (!server.ok()) QSKIP("python3 or the stand-in service is not available");
        Rig rig(server.base());
        rig.store.add_node("", "SYS-001", "SIN,Conventional,0,StateId=0,Mine,Off,x,Conventional");
        rig.find<QLineEdit>("txtPass")->setText("wrong");
        rig.window->login();
        QCOMPARE(rig.find<QLabel>("lbl_status")->text(),
                 QString("INIT not ok, can't read user data."));
        QCOMPARE(QString::fromStdString(rig.prompter.told.back()).left(29),
                 QString("Invalid Username or Password."));
        rig.find<QLineEdit>("txtPass")->setText("pass");
        rig.window->login();
        QVERIFY(rig.window->connection().logged_in);
        // A system whose answer is slower than the time-out: told, nothing loaded, not hung.
        rig.window->connection().soap_timeout_ms = 1000;
        auto* box = rig.find<QComboBox>("CboSystem");
        box->addItem("slow", 999999);
        QElapsedTimer clock;
        clock.start();
        rig.window->chooseSystem(box->count() - 1);
        QVERIFY(clock.elapsed() < 2900);
        QCOMPARE(rig.prompter.told.back(),
                 std::string("No answer from the RadioReference service within 1 seconds."));
        QCOMPARE(rig.find<QTreeWidget>("sitegrid")->topLevelItemCount(), 0);
        // Cancel ends a slow call at once: nothing told, nothing loaded, the window usable.
        rig.window->connection().soap_timeout_ms = 60000;
        size_t told = rig.prompter.told.size();
        auto* cancel = rig.find<QPushButton>("cmdCancel");
        QTimer::singleShot(300, cancel, [cancel] {
            QVERIFY(cancel->isEnabled());
            cancel->click();
        });
        clock.restart();
        rig.window->chooseSystem(box->count() - 1);
        QVERIFY(clock.elapsed() < 2900);
        QCOMPARE(rig.find<QLabel>("lbl_status")->text(), QString("Cancelled."));
        QCOMPARE(rig.prompter.told.size(), told);
        QCOMPARE(rig.find<QTreeWidget>("sitegrid")->topLevelItemCount(), 0);
        QVERIFY(!cancel->isEnabled());
        QVERIFY(rig.find<QPushButton>("cmdImport")->isEnabled());
        // A key of the wrong form is refused before anything is sent.
        rig.settings.SaveImportSetting(radioref::k_key_app_key, "1234");
        rig.window->login();
        QCOMPARE(rig.prompter.told.back(),
                 std::string("The RadioReference application key must be 8 decimal digits "
                             "(setting rr_app_key is \"1234\")."));
        rig.settings.SaveImportSetting(radioref::k_key_app_key, "");
        // Importing with nothing ticked is refused with the window's message.
        rig.find<QTabWidget>("tabMode")->setCurrentIndex(1);
        rig.window->importTicked();
        QCOMPARE(rig.prompter.told.back(), std::string("Please select at least one site."));
        QCOMPARE(rig.store.size(), size_t(1));
    }

    void theTagFilterStoresEveryServiceType() {
        MemorySettingsBackend a, b;
        Settings settings{a, b};
        FrmRrTagFilter dialog(settings);
        QAbstractItemModelTester tester(dialog.list()->model());
        QCOMPARE(dialog.list()->topLevelItemCount(), 39);
        QCOMPARE(dialog.list()->headerItem()->text(0), QString("Service Type:"));
        dialog.list()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);  // Multi-Dispatch
        dialog.accept();
        QCOMPARE(settings.GetSetting("RRservicetype", "servtype1", "x"), std::string("False"));
        QCOMPARE(settings.GetSetting("RRservicetype", "servtype2", "x"), std::string("True"));
        QCOMPARE(radioref::load_service_type_filter(settings).size(), size_t(38));
    }
};

QTEST_MAIN(TestFrmImportRR)
#include "test_frm_import_rr.moc"
