// Setup -> "Software Options" as the user meets it in the main window: a changed card folder is
// searched at once, Cancel keeps everything, a refused value leaves the dialog open with nothing
// stored, a folder that does not exist is offered to be created; an open import or Virtual
// Control window moves to a changed folder or device without being reopened.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "../editor/editor_rig.h"
#include "app/card/favorites_window.h"
#include "app/masterdb/masterdb_window.h"
#include "app/remote/mini_vc_window.h"
#include "app/remote/virtual_control_window.h"
#include "app/settings/preferences_dialog.h"
#include "core/card/card_fixture.h"
#include "core/settings/preferences.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

PreferencesDialog* open_options(MainWindow& w) {
    if (!w.dispatch(Menu::Setup, QStringLiteral("Software Options"))) return nullptr;
    PreferencesDialog* d = w.preferences_dialog();
    if (d) (void)QTest::qWaitForWindowExposed(d);
    return d;
}

void press(PreferencesDialog* d, QDialogButtonBox::StandardButton which) {
    auto* box = d->findChild<QDialogButtonBox*>(QStringLiteral("buttons"));
    QVERIFY(box);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

QString native(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// A master database of one state named `state`, with one system.
std::filesystem::path master_database(const QString& folder, const std::string& state) {
    const std::filesystem::path root = folder.toStdString();
    std::filesystem::create_directories(root);
    write_file(root / "HPDB.config",
               "TargetModel\tHomePatrol-1\r\nFormatVersion\t2.04\r\n"
               "StateInfo\tStateId=6\tCountryId=1\t" +
                   state + "\tXX\r\n");
    write_file(root / "s_000006.hpd",
               "TargetModel\tHomePatrol-1\r\nFormatVersion\t2.04\r\n"
               "Conventional\tCountyId=1\tStateId=6\t" +
                   state + " County\tOff\t\tConventional\r\n");
    return root;
}

QString text_of(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

}  // namespace

class TestPreferencesDialog : public QObject {
    Q_OBJECT

  private slots:
    void aChangedCardFolderIsSearchedAtOnce() {
        EditorRig rig;
        Card card;
        card.identity("HomePatrol-1\tUS\t0012\t2.04.11");
        MainWindow& w = rig.start();
        QVERIFY(w.dispatch(Menu::Scanner, QStringLiteral("Read from HP1")));
        FavoritesWindow* fav = w.favorites_window();
        QVERIFY(fav);
        QTRY_VERIFY(!fav->detection().status.empty());
        QVERIFY(!fav->card_accepted());

        PreferencesDialog* d = open_options(w);
        QVERIFY(d);
        QCOMPARE(d->objectName(), QStringLiteral("frm_options"));
        QSignalSpy changed(d, &PreferencesDialog::preferences_changed);
        d->set_value("card_folders", native(card.root));
        press(d, QDialogButtonBox::Ok);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toStringList(), QStringList{QStringLiteral("card_folders")});
        QTRY_VERIFY(!d->isVisible());
        // The manager that was open found the card in the new folder without being asked.
        QVERIFY(fav->card_accepted());
        QVERIFY(fav->detection().found.front() == card.root);
        QVERIFY(rig.settings->GetSetting("card", "drive_folders", "x") == card.root.string());
        w.session().clear_changed();
    }

    void anOpenImportWindowReadsTheNewDatabaseFolderAtOnce() {
        EditorRig rig;
        const auto first = master_database(rig.home.filePath("first"), "Oregon");
        const auto second = master_database(rig.home.filePath("second"), "Nevada");
        rig.settings->SaveSetting(k_masterdb_section, k_masterdb_folder_key, first.string());
        MainWindow& w = rig.start();
        QVERIFY(w.dispatch(Menu::ImportExport, QStringLiteral("Import System(s) from Database")));
        MasterDbWindow* importer = w.masterdb_window();
        QVERIFY(importer);
        auto* states = importer->findChild<QComboBox*>(QStringLiteral("state_selector"));
        QTRY_COMPARE_WITH_TIMEOUT(states->count(), 2, 5000);
        QCOMPARE(states->itemText(1), QStringLiteral("Oregon"));

        PreferencesDialog* d = open_options(w);
        QVERIFY(d);
        d->set_value("masterdb_folder", native(second));
        press(d, QDialogButtonBox::Ok);
        QTRY_VERIFY(!d->isVisible());
        // Still the same window, now on the new folder and saying why.
        QCOMPARE(w.masterdb_window(), importer);
        QVERIFY(importer->folder() == second);
        QCOMPARE(states->count(), 2);
        QCOMPARE(states->itemText(1), QStringLiteral("Nevada"));
        QCOMPARE(text_of(importer, "folder"), native(second));
        QVERIFY2(text_of(importer, "status").contains(QStringLiteral("Software Options")),
                 qPrintable(text_of(importer, "status")));
        // The state chosen next comes from the new folder.
        emit states->activated(1);
        auto* systems = importer->findChild<QTreeWidget*>(QStringLiteral("systems"));
        QCOMPARE(systems->topLevelItemCount(), 1);
        QCOMPARE(systems->topLevelItem(0)->text(1), QStringLiteral("Nevada County"));
    }

    void anOpenVirtualControlUsesTheNewDeviceAtOnce_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a typed path") << "/dev/ttyTarvexAbsent9"
                                      << "/dev/ttyTarvexAbsent9";
        QTest::newRow("empty: search for the scanner") << ""
                                                       << "Automatic";
    }
    void anOpenVirtualControlUsesTheNewDeviceAtOnce() {
        QFETCH(QString, device);
        QFETCH(QString, shown);
        EditorRig rig;
        rig.settings->SaveSetting("com", "usbdevice", "/dev/ttyTarvexAbsent1");
        MainWindow& w = rig.start();
        QVERIFY(w.dispatch(Menu::Scanner, QStringLiteral("Virtual Control")));
        VirtualControlWindow* vc = w.virtual_control_window();
        QVERIFY(vc);
        auto* devices = vc->findChild<QComboBox*>(QStringLiteral("cbo_device"));
        QCOMPARE(devices->currentText(), QStringLiteral("/dev/ttyTarvexAbsent1"));

        PreferencesDialog* d = open_options(w);
        QVERIFY(d);
        d->set_value("serial_port", device);
        press(d, QDialogButtonBox::Ok);
        QTRY_VERIFY(!d->isVisible());
        QCOMPARE(w.virtual_control_window(), vc);
        QCOMPARE(devices->currentText(), shown);
        QVERIFY2(text_of(vc, "lbl_notice").contains(shown), qPrintable(text_of(vc, "lbl_notice")));
        if (!device.isEmpty())
            QCOMPARE(QString::fromStdString(vc->core().link().named_device()), device);
        // Choosing in the window afterwards is the user's own choice: the notice goes.
        vc->choose_device(QStringLiteral("/dev/ttyTarvexAbsent2"));
        QCOMPARE(text_of(vc, "lbl_notice"), QString());
        QVERIFY(rig.settings->GetSetting("com", "usbdevice", "x") == "/dev/ttyTarvexAbsent2");
    }

    void cancelKeepsEveryStoredValue() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.settings->SaveSetting("gps", "geocode_key", "before");
        PreferencesDialog* d = open_options(w);
        QVERIFY(d);
        QVERIFY(d->values().at("geocode_key") == "before");
        const PreferenceValues before = load_preferences(*rig.settings);
        const size_t told = rig.prompter.told.size();  // the firmware warning of the start
        QSignalSpy changed(d, &PreferencesDialog::preferences_changed);
        d->set_value("geocode_key", QStringLiteral("after"));
        d->set_value("rr_base_url", QStringLiteral("http://127.0.0.1:1/"));
        d->set_value("firmware_warning", QStringLiteral("0"));
        d->set_value("serial_port", QStringLiteral("/dev/ttyACM7"));
        press(d, QDialogButtonBox::Cancel);
        QTRY_VERIFY(!w.preferences_dialog());
        QCOMPARE(changed.count(), 0);
        QVERIFY(load_preferences(*rig.settings) == before);
        QCOMPARE(rig.prompter.told.size(), told);
    }

    void refusedValuesStoreNothingAndKeepTheDialogOpen_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("message");
        QTest::newRow("app key") << "rr_app_key"
                                 << "12ab"
                                 << "RadioReference"
                                 << "Application key";
        QTest::newRow("base address") << "rr_base_url"
                                      << "api.radioreference.com"
                                      << "RadioReference"
                                      << "http://";
        QTest::newRow("geocoding") << "geocode_service"
                                   << ""
                                   << "Geocoding"
                                   << "http://";
        QTest::newRow("relative folder") << "masterdb_folder"
                                         << "relative/db"
                                         << "Master Database"
                                         << "full folder path";
    }
    void refusedValuesStoreNothingAndKeepTheDialogOpen() {
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, page);
        QFETCH(QString, message);
        EditorRig rig;
        MainWindow& w = rig.start();
        PreferencesDialog* d = open_options(w);
        QVERIFY(d);
        const PreferenceValues before = load_preferences(*rig.settings);
        const size_t told = rig.prompter.told.size();
        d->set_value("geocode_key", QStringLiteral("would be kept"));
        d->set_value(id.toStdString(), value);
        press(d, QDialogButtonBox::Ok);
        QCOMPARE(rig.prompter.told.size(), told + 1);
        QVERIFY2(QString::fromStdString(rig.prompter.told.back()).contains(message),
                 rig.prompter.told.back().c_str());
        QVERIFY(d->isVisible());
        auto* pages = d->findChild<QTabWidget*>(QStringLiteral("pages"));
        QCOMPARE(pages->currentWidget()->objectName(), page);
        QVERIFY(load_preferences(*rig.settings) == before);
        d->reject();
    }

    void aMissingFolderIsOfferedToBeCreated_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("created");
        QTest::addColumn<bool>("stored");
        QTest::newRow("yes: created and kept") << int(Answer::Yes) << true << true;
        QTest::newRow("no: kept as typed") << int(Answer::No) << false << true;
        QTest::newRow("cancel: back to the dialog") << int(Answer::Cancel) << false << false;
    }
    void aMissingFolderIsOfferedToBeCreated() {
        QFETCH(int, answer);
        QFETCH(bool, created);
        QFETCH(bool, stored);
        EditorRig rig;
        MainWindow& w = rig.start();
        PreferencesDialog* d = open_options(w);
        QVERIFY(d);
        const QString folder = rig.home.filePath(QStringLiteral("hpdb/new"));
        rig.prompter.script({static_cast<Answer>(answer)});
        d->set_value("masterdb_folder", folder);
        press(d, QDialogButtonBox::Apply);
        QCOMPARE(rig.prompter.questions.size(), size_t(1));
        QVERIFY(
            QString::fromStdString(rig.prompter.questions[0]).contains(QStringLiteral("Create")));
        QCOMPARE(QFileInfo(folder).isDir(), created);
        QCOMPARE(rig.settings->GetSetting("masterdb", "folder", "x") == folder.toStdString(),
                 stored);
        // Apply leaves the dialog open either way.
        QVERIFY(d->isVisible());
        d->reject();
    }
};

QTEST_MAIN(TestPreferencesDialog)
#include "test_preferences_dialog.moc"
