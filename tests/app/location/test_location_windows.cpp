// The location dialog and the lookup window driven as a user does, against the stand-in
// geocoding service on loopback; the map pages they write; "Show all on map".
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <memory>
#include <optional>

#include "../editor/editor_rig.h"
#include "app/editor/grid_editor.h"
#include "app/editor/site_editor.h"
#include "app/location/geocode_window.h"
#include "app/location/location_dialog.h"
#include "core/editor/session.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

void click(QWidget* w, const char* name) {
    auto* b = w->findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    b->click();
}

QLineEdit* edit(QWidget* w, const char* name) {
    return w->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// The stand-in service for one test: started, its port read, stopped at the end.
struct Stub {
    QProcess process;
    QString url;
    Stub() {
        process.start(QStringLiteral(GEOCODE_STUB_PATH), {});
        if (!process.waitForStarted(5000) || !process.waitForReadyRead(5000)) return;
        QString line = QString::fromLatin1(process.readLine()).trimmed();
        url = QStringLiteral("http://127.0.0.1:") + line.mid(5);
    }
    ~Stub() {
        process.kill();
        process.waitForFinished(3000);
    }
};

QString local_file(const std::string& url) {
    return QUrl(QString::fromStdString(url)).toLocalFile();
}

}  // namespace

class TestLocationWindows : public QObject {
    Q_OBJECT
  private slots:
    void siteLocationIsClampedAndAppliedToAllSitesOnlyAfterYes() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SIT-002-001"));
        SiteEditor* site = w.site_editor();
        std::string title;
        QString shown_lat;
        bool shown_used = false;
        site->run_dialog = [&](QDialog& dialog) {
            title = dialog.windowTitle().toStdString();
            auto* d = qobject_cast<LocationDialog*>(&dialog);
            shown_lat = d->latitude_edit()->text();
            shown_used = d->used_box()->isChecked();
            d->latitude_edit()->setText(QStringLiteral("95"));
            d->longitude_edit()->setText(QStringLiteral("-74.01"));
            d->range_edit()->setText(QStringLiteral("400"));
            click(d, "cmd_accept");
            return d->result();
        };
        site->open_location();
        QCOMPARE(title, std::string("GPS Location Data Editor:"));
        QCOMPARE(shown_lat, QStringLiteral("44.350200"));
        QVERIFY(shown_used);
        site->save();
        SystemStore& store = w.session().store();
        const std::string line = store.get_node_text("SIT-002-001");
        QCOMPARE(get_field(line, 6), std::string("90.000000"));
        QCOMPARE(get_field(line, 7), std::string("-74.010000"));
        QCOMPARE(get_field(line, 8), std::string("150"));

        // "Apply To Grp/Site": No leaves the other sites alone, Yes writes them all.
        const std::string other = store.get_node_text("SIT-002-002");
        auto apply_all = [&](QDialog& dialog) {
            auto* d = qobject_cast<LocationDialog*>(&dialog);
            d->latitude_edit()->setText(QStringLiteral("40.2096"));
            d->range_edit()->setText(QStringLiteral("12"));
            click(d, "cmd_all");
            return d->result();
        };
        site->run_dialog = apply_all;
        rig.prompter.script({Answer::No});
        site->open_location();
        QCOMPARE(rig.prompter.questions.back(),
                 std::string("This may overwrite existing GPS data. Continue?"));
        QCOMPARE(store.get_node_text("SIT-002-002"), other);
        rig.prompter.script({Answer::Yes});
        site->open_location();
        for (const char* key : {"SIT-002-001", "SIT-002-002", "SIT-002-003"}) {
            QCOMPARE(get_field(store.get_node_text(key), 6), std::string("40.209600"));
            QCOMPARE(get_field(store.get_node_text(key), 8), std::string("12"));
        }
        QCOMPARE(get_field(store.get_node_text("SIT-003-001"), 6), std::string("44.286300"));
    }

    void homeAndDefaultsAreRememberedAndUsedForNewSites() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SIT-002-001"));
        SiteEditor* site = w.site_editor();
        QString home, def_lat;
        site->run_dialog = [&](QDialog& dialog) {
            auto* d = qobject_cast<LocationDialog*>(&dialog);
            d->latitude_edit()->setText(QStringLiteral("40.2096"));
            d->longitude_edit()->setText(QStringLiteral("-74.01"));
            d->range_edit()->setText(QStringLiteral("7"));
            click(d, "cmd_home");
            home = edit(d, "txt_home")->text();
            click(d, "cmd_default");
            def_lat = edit(d, "txt_def_lat")->text();
            click(d, "cmd_cancel");
            return d->result();
        };
        site->open_location();
        QVERIFY(home.contains(QStringLiteral("40.209600")));
        QCOMPARE(def_lat, QStringLiteral("40.209600"));
        QCOMPARE(rig.settings->GetSetting("gps", "home_lat", "x"), std::string("40.209600"));
        QCOMPARE(rig.settings->GetSetting("gps", "def_range", "x"), std::string("7"));
        // Cancel kept the site as it was ...
        QCOMPARE(get_field(w.session().store().get_node_text("SIT-002-001"), 6),
                 std::string("44.350200"));
        // ... and a new site has the defaults.
        QVERIFY(w.dispatch(Menu::Add, QStringLiteral("New Site")));
        const std::string fresh = w.session().store().get_node_text("SIT-002-004");
        QCOMPARE(get_field(fresh, 6), std::string("40.209600"));
        QCOMPARE(get_field(fresh, 8), std::string("7.0"));
    }

    void setupGpsHomeAndDefaultsEditTheSettingsAlone() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        const std::string sites_before = w.session().store().get_node_text("SIT-002-001");
        bool apply_enabled = true;
        w.run_dialog = [&](QDialog& dialog) {
            auto* d = qobject_cast<LocationDialog*>(&dialog);
            if (!d) return int(QDialog::Rejected);
            apply_enabled = d->findChild<QPushButton*>(QStringLiteral("cmd_all"))->isEnabled();
            d->latitude_edit()->setText(QStringLiteral("40.2096"));
            d->longitude_edit()->setText(QStringLiteral("-74.01"));
            d->range_edit()->setText(QStringLiteral("9"));
            click(d, "cmd_accept");
            return d->result();
        };
        QVERIFY(w.dispatch(Menu::Setup, QStringLiteral("GPS Home")));
        QVERIFY(!apply_enabled);
        QCOMPARE(rig.settings->GetSetting("gps", "home_lat", "x"), std::string("40.209600"));
        QCOMPARE(rig.settings->GetSetting("gps", "home_range", "x"), std::string("9"));

        // "GPS Defaults" opens at the home just set; Accept keeps the typed defaults.
        QString shown_lat;
        w.run_dialog = [&](QDialog& dialog) {
            auto* d = qobject_cast<LocationDialog*>(&dialog);
            if (!d) return int(QDialog::Rejected);
            shown_lat = d->latitude_edit()->text();
            d->default_latitude_edit()->setText(QStringLiteral("41.5"));
            edit(d, "txt_def_range")->setText(QStringLiteral("5"));
            click(d, "cmd_accept");
            return d->result();
        };
        QVERIFY(w.dispatch(Menu::Setup, QStringLiteral("GPS Defaults")));
        QCOMPARE(shown_lat, QStringLiteral("40.209600"));
        QCOMPARE(rig.settings->GetSetting("gps", "def_lat", "x"), std::string("41.5"));
        QCOMPARE(rig.settings->GetSetting("gps", "def_range", "x"), std::string("5"));
        QCOMPARE(rig.settings->GetSetting("gps", "home_lat", "x"), std::string("40.209600"));
        // Neither touched a site.
        QCOMPARE(w.session().store().get_node_text("SIT-002-001"), sites_before);
        QVERIFY(!w.session().changed());
    }

    void findGpsDataAsksTheOlderServiceAndKeepsFieldsOnFailure() {
        struct Fake : location::HttpClient {
            location::HttpAnswer reply;
            std::string* asked;
            location::HttpAnswer get(const std::string& url, int) override {
                *asked = url;
                return reply;
            }
        };
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SIT-002-001"));
        SiteEditor* site = w.site_editor();
        std::string asked;
        QString lat_after_ok, lat_after_bad;
        auto run_find = [&](const std::string& body, QString& lat) {
            site->run_dialog = [&, body](QDialog& dialog) {
                auto* d = qobject_cast<LocationDialog*>(&dialog);
                auto fake = std::make_unique<Fake>();
                fake->asked = &asked;
                fake->reply.ok = true;
                fake->reply.status = 200;
                fake->reply.body = body;
                d->find_http = std::move(fake);
                d->ask_place = [] { return std::optional<std::string>("Asbury Park NJ"); };
                click(d, "cmd_find");
                lat = d->latitude_edit()->text();
                click(d, "cmd_cancel");
                return d->result();
            };
            site->open_location();
        };
        // Without the service's address: said so, nothing asked.
        run_find("", lat_after_ok);
        QVERIFY(asked.empty());
        QVERIFY(rig.prompter.told.back().find("find_service") != std::string::npos);

        rig.settings->SaveSetting("gps", "find_service", "http://127.0.0.1:9");
        run_find(
            "<ResultSet><Result><Latitude>40.2204</Latitude><Longitude>-74.0121</Longitude>"
            "</Result></ResultSet>",
            lat_after_ok);
        QCOMPARE(asked,
                 std::string("http://127.0.0.1:9/geocode?q=Asbury+Park+NJ&country=US&appid="));
        QCOMPARE(lat_after_ok, QStringLiteral("40.2204"));
        run_find("<ResultSet><Result></Result>", lat_after_bad);
        QCOMPARE(lat_after_bad, QStringLiteral("44.350200"));
    }

    void showMapWritesThePageWithItsLibrary() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("GRP-999-001-000"));
        std::string opened;
        w.grid_editor()->run_dialog = [&](QDialog& dialog) {
            auto* d = qobject_cast<LocationDialog*>(&dialog);
            d->open_url = [&](const std::string& url) { opened = url; };
            click(d, "cmd_map");
            click(d, "cmd_clear");
            click(d, "cmd_accept");
            return d->result();
        };
        w.grid_editor()->open_location();
        const QString page = local_file(opened);
        QVERIFY(page.endsWith(QStringLiteral("map.html")));
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("L.latLng(44.352100, -68.947300)"));
        QVERIFY(
            QFile::exists(QFileInfo(page).dir().filePath(QStringLiteral("leaflet/leaflet.js"))));
        // "Clear" then Accept: the group has no location any more
        QCOMPARE(edit(w.grid_editor(), "txt_lat")->text(), QStringLiteral("0.000000"));
    }

    void lookupFillsTheLocationAndFailedAnswersChangeNothing() {
        Stub stub;
        QVERIFY2(!stub.url.isEmpty(), "the stand-in geocoding service did not start");
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.settings->SaveSetting("gps", "geocode_service", stub.url.toStdString());
        rig.open(sample_hpd());
        QVERIFY(rig.click("SIT-002-001"));
        SiteEditor* site = w.site_editor();
        QString postal, after_broken, status, taken_lon;
        site->run_dialog = [&](QDialog& dialog) {
            auto* d = qobject_cast<LocationDialog*>(&dialog);
            d->run_lookup = [&](GeocodeWindow& g) {
                g.findChild<QRadioButton*>(QStringLiteral("opt_gps0"))->setChecked(true);
                edit(&g, "txt_street")->setText(QStringLiteral("1 Main St"));
                edit(&g, "txt_city")->setText(QStringLiteral("Asbury Park"));
                click(&g, "cmd_search");
                postal = g.postal_code();
                // a broken answer afterwards leaves the result as it was
                edit(&g, "txt_city")->setText(QStringLiteral("malformed"));
                click(&g, "cmd_search");
                after_broken = g.latitude();
                status = g.findChild<QLabel*>(QStringLiteral("lbl_status"))->text();
                click(&g, "cmd_use");
                return g.result() == QDialog::Accepted;
            };
            click(d, "cmd_search");
            taken_lon = d->longitude_edit()->text();
            click(d, "cmd_accept");
            return d->result();
        };
        site->open_location();
        QCOMPARE(postal, QStringLiteral("07712"));
        QCOMPARE(after_broken, QStringLiteral("40.2096000"));
        QCOMPARE(status, QStringLiteral("No location found."));
        QCOMPARE(taken_lon, QStringLiteral("-74.0100000"));
        site->save();
        const std::string line = w.session().store().get_node_text("SIT-002-001");
        QCOMPARE(get_field(line, 6), std::string("40.209600"));
        QCOMPARE(get_field(line, 7), std::string("-74.010000"));
    }

    void lookupWindowRemembersItsQueryAndReportsTimeOuts() {
        Stub stub;
        QVERIFY(!stub.url.isEmpty());
        EditorRig rig;
        rig.start();
        rig.settings->SaveSetting("gps", "geocode_service", stub.url.toStdString());
        {
            GeocodeWindow g(*rig.settings, false);
            QCOMPARE(edit(&g, "txt_place")->text(), QStringLiteral("Grand Canyon"));
            QCOMPARE(edit(&g, "txt_airport")->text(), QStringLiteral("AMS"));
            g.findChild<QRadioButton*>(QStringLiteral("opt_gps1"))->setChecked(true);
            edit(&g, "txt_zip")->setText(QStringLiteral("slow"));
            g.timeout_ms = 300;
            g.search();
            QCOMPARE(g.findChild<QLabel*>(QStringLiteral("lbl_status"))->text(),
                     QStringLiteral("Operation timed out"));
            QVERIFY(g.latitude().isEmpty());
            g.timeout_ms = 10000;
            edit(&g, "txt_zip")->setText(QStringLiteral("nogeometry"));
            g.search();
            QVERIFY(g.latitude().isEmpty());
            QVERIFY(g.postal_code().isEmpty());
            g.reject();
        }
        GeocodeWindow again(*rig.settings, false);
        QVERIFY(again.findChild<QRadioButton*>(QStringLiteral("opt_gps1"))->isChecked());
        QCOMPARE(edit(&again, "txt_zip")->text(), QStringLiteral("nogeometry"));
    }

    void showAllOnMapPutsEverySiteAndGroupOnOnePage() {
        EditorRig rig;
        MainWindow& w = rig.start();
        std::string opened;
        w.open_url = [&](const std::string& url) { opened = url; };
        w.dispatch(Menu::Tools, QStringLiteral("Show all on map"));
        QCOMPARE(rig.prompter.told.back(), std::string("No site or group has a location."));
        rig.open(sample_hpd());
        QVERIFY(w.dispatch(Menu::Tools, QStringLiteral("Show all on map")));
        QFile file(local_file(opened));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray html = file.readAll();
        QVERIFY(html.contains("'Harbor Simulcast', 44.350200, -68.950100"));
        QVERIFY(html.contains("'Harbor County Sheriff', 44.352100, -68.947300"));
        QVERIFY(html.contains("L.circle("));
    }
};

QTEST_MAIN(TestLocationWindows)
#include "test_location_windows.moc"
