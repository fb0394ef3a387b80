// The RadioReference frequency search against the stand-in service: what it lists, and how its
// waits behave. A search that completes shows what it waits for and how much has arrived; one
// that is cancelled (button, Esc, closing the window) or fails says so and leaves the results
// of the search before it, with the window ready for the next one.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>

#include "app/platform/password_store.h"
#include "app/radioref/frm_rr_search.h"
#include "core/base/prompter.h"
#include "core/radioref/rr_settings.h"
#include "core/radioref/standin.h"
#include "core/settings/settings.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

struct Rig {
    MemorySettingsBackend main_backend, import_backend;
    Settings settings{main_backend, import_backend};
    RecordingPrompter prompter;
    std::unique_ptr<FrmRrSearch> window;

    explicit Rig(const std::string& base) {
        settings.SaveImportSetting(radioref::k_key_base_url, base);
        settings.SaveImportSetting(radioref::k_key_user, "user");
        settings.SaveImportSetting(radioref::k_key_pass, "pass");
        settings.SaveImportSetting("rr_src_state_text", "Iowa");
        window = std::make_unique<FrmRrSearch>(settings, prompter);
    }
    template <typename T>
    T* find(const char* name) {
        T* w = window->findChild<T*>(name);
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QString status() { return find<QLabel>("lbl_status")->text(); }
    // A county the service answers for in a particular way (see the stand-in's special ids).
    void pickCounty(const QString& name, int ctid) {
        auto* box = find<QComboBox>("cboCounty");
        box->addItem(name, ctid);
        box->setCurrentIndex(box->count() - 1);
    }
    QStringList column(int c) {
        QStringList out;
        for (int i = 0; i < window->results()->topLevelItemCount(); ++i)
            out << window->results()->topLevelItem(i)->text(c);
        return out;
    }
};

// Looks at the window every few milliseconds while a call waits (the call's own event loop
// runs the timer) and hands each look to `each`.
class Watch {
  public:
    explicit Watch(std::function<void()> each) {
        QObject::connect(&timer_, &QTimer::timeout, std::move(each));
        timer_.start(5);
    }

  private:
    QTimer timer_;
};

}  // namespace

class TestFrmRrSearch : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { PasswordStore::set_keychain_enabled(false); }

    void listsUsersOfAFrequencyAndOpensTheirPages() {
        radioref::test::StandIn server(false);
        if (!server.ok()) QSKIP("python3 or the stand-in service is not available");
        MemorySettingsBackend a, b;
        Settings settings{a, b};
        RecordingPrompter prompter;
        FrmRrSearch empty(settings, prompter);
        QVERIFY(!empty.login());
        QCOMPARE(prompter.told.back(),
                 std::string("Please open Radioreference Import window and enter your username "
                             "and password."));
        Rig rig(server.base());
        FrmRrSearch& w = *rig.window;
        QAbstractItemModelTester tester(w.results()->model());
        QVERIFY(!rig.find<QWidget>("cboCounty")->isEnabled());
        QVERIFY(w.login());
        QCOMPARE(rig.status(), QString("Connected. Your subscription expires on: Never - Feed "
                                       "Provider"));
        QVERIFY(rig.find<QWidget>("cboCounty")->isEnabled());
        QVERIFY(rig.find<QComboBox>("cboCounty")->findData(900) >= 0);
        rig.find<QLineEdit>("txtFreq")->setText("155.475");
        rig.find<QPushButton>("cmdSearchState")->click();
        QCOMPARE(w.results()->topLevelItemCount(), 2);
        QCOMPARE(rig.column(10), QStringList({"Tarvex", ""}));
        QCOMPARE(rig.column(11).first(), QString("Iowa"));
        QCOMPARE(rig.status(), QString("Done: 2 results."));
        QString opened;
        w.openUrl = [&](const QString& url) { opened = url; };
        w.results()->setCurrentItem(w.results()->topLevelItem(1));
        w.openWebPage();
        QCOMPARE(opened, QString("https://www.radioreference.com/modules.php?name=RR&aid=77"));
        // The tag search fills in the county the answer leaves out.
        rig.find<QComboBox>("cboTag")->setCurrentIndex(rig.find<QComboBox>("cboTag")->findData(2));
        rig.find<QPushButton>("cmdSearchTag")->click();
        QVERIFY(w.results()->topLevelItemCount() > 0);
        QCOMPARE(rig.column(14).first(), QString("900"));
        // Another first state brings its own counties (the stand-in knows none of Ohio's).
        auto* state = rig.find<QComboBox>("cboState0");
        auto choose = [&](const char* name) {
            int at = state->findText(name);
            QVERIFY(at > 0);
            state->setCurrentIndex(at);
            QMetaObject::invokeMethod(state, "activated", Q_ARG(int, at));
        };
        choose("Ohio");
        QCOMPARE(rig.find<QComboBox>("cboCounty")->count(), 0);
        choose("Iowa");
        QCOMPARE(rig.find<QComboBox>("cboCounty")->count(), 2);
        rig.find<QLineEdit>("txtFreq")->setText("");
        size_t rows = static_cast<size_t>(w.results()->topLevelItemCount());
        w.searchCounty();
        QCOMPARE(rig.prompter.told.back(), std::string("Please enter a frequency"));
        QCOMPARE(static_cast<size_t>(w.results()->topLevelItemCount()), rows);
    }

    void aSearchShowsWhatItWaitsForAndHowMuchHasArrived() {
        radioref::test::StandIn server(false);
        if (!server.ok()) QSKIP("python3 or the stand-in service is not available");
        Rig rig(server.base());
        QVERIFY(rig.window->login());
        rig.pickCounty("Dripping", 888888);  // its answer arrives in eight pieces
        rig.find<QLineEdit>("txtFreq")->setText("155.475");
        auto* cancel = rig.find<QPushButton>("cmdCancel");
        auto* controls = rig.find<QWidget>("cboCounty");
        auto* bar = rig.find<QProgressBar>("rr_progress");
        QStringList statuses, received;
        bool cancel_offered = false, controls_locked = true, bar_moved = false;
        {
            Watch watch([&] {
                if (!cancel->isEnabled()) return;
                cancel_offered = true;
                controls_locked = controls_locked && !controls->isEnabled();
                if (!statuses.contains(rig.status())) statuses << rig.status();
                QString got = rig.find<QLabel>("lbl_progress")->text();
                if (!got.isEmpty() && !received.contains(got)) received << got;
                bar_moved = bar_moved || (bar->maximum() == 1000 && bar->value() > 0);
            });
            rig.find<QPushButton>("cmdSearchCounty")->click();
        }
        QVERIFY(cancel_offered);
        QVERIFY(controls_locked);
        QVERIFY2(statuses.contains("Wait searching Dripping for 155.475..."),
                 qPrintable(statuses.join(" | ")));
        // The answer (about 9 kB with its envelope) is seen arriving, not only complete.
        QVERIFY2(!received.isEmpty(), "no progress shown");
        QRegularExpression part("^Received [1-8] of 9 kB$");
        QVERIFY2(std::any_of(received.begin(), received.end(),
                             [&](const QString& t) { return part.match(t).hasMatch(); }),
                 qPrintable(received.join(" | ")));
        QVERIFY(bar_moved);
        QVERIFY(bar->isHidden());
        QCOMPARE(rig.window->results()->topLevelItemCount(), 30);
        QCOMPARE(rig.status(), QString("Done: 30 results."));
        QVERIFY(rig.find<QLabel>("lbl_progress")->text().isEmpty());
        QVERIFY(!cancel->isEnabled());
        QVERIFY(controls->isEnabled());
        QVERIFY(rig.prompter.told.empty());
    }

    void anEndedSearchKeepsTheResultsBeforeIt_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("county");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("told");
        QTest::newRow("Cancel button") << "button" << 999999 << "Cancelled." << false;
        QTest::newRow("Esc") << "esc" << 999999 << "Cancelled." << false;
        QTest::newRow("window closed") << "close" << 999999 << "Cancelled." << false;
        QTest::newRow("service failure")
            << "none" << 500500
            << "The search failed: The RadioReference service answered searchCountyFreq with "
               "HTTP 500 and no data."
            << true;
        QTest::newRow("unreadable answer") << "none" << 400400 << "" << true;
    }

    void anEndedSearchKeepsTheResultsBeforeIt() {
        QFETCH(QString, how);
        QFETCH(int, county);
        QFETCH(QString, status);
        QFETCH(bool, told);
        radioref::test::StandIn server(false, 3);
        if (!server.ok()) QSKIP("python3 or the stand-in service is not available");
        Rig rig(server.base());
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        rig.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        QVERIFY(rig.window->login());
        rig.find<QLineEdit>("txtFreq")->setText("155.475");
        rig.find<QPushButton>("cmdSearchState")->click();
        const QStringList before = rig.column(1);
        QCOMPARE(before.size(), 2);

        rig.pickCounty("Troubled", county);
        auto* cancel = rig.find<QPushButton>("cmdCancel");
        bool ended = false;
        QElapsedTimer clock;
        clock.start();
        {
            Watch watch([&] {
                if (ended || !cancel->isEnabled() || how == "none") return;
                ended = true;
                if (how == "button")
                    cancel->click();
                else if (how == "esc")
                    QTest::keyClick(rig.window.get(), Qt::Key_Escape);
                else
                    rig.window->close();
            });
            rig.find<QPushButton>("cmdSearchCounty")->click();
        }
        // The stand-in holds its answer for 3 s: an ended wait comes back well before that.
        if (how != "none")
            QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
        if (status.isEmpty())
            QVERIFY2(rig.status().startsWith("The search failed: Unreadable answer"),
                     qPrintable(rig.status()));
        else
            QCOMPARE(rig.status(), status);
        QCOMPARE(!rig.prompter.told.empty(), told);
        QCOMPARE(rig.column(1), before);
        QVERIFY(!cancel->isEnabled());
        QVERIFY(rig.find<QLabel>("lbl_progress")->text().isEmpty());
        if (how == "close") {
            QTRY_VERIFY(!rig.window->isVisible());
            return;
        }
        // Usable at once: the next search runs and replaces the results.
        QVERIFY(rig.find<QWidget>("cboCounty")->isEnabled());
        QVERIFY(rig.find<QWidget>("LogInBtn")->isEnabled());
        rig.pickCounty("Home", 900);
        rig.find<QPushButton>("cmdSearchCounty")->click();
        QCOMPARE(rig.column(1), QStringList({"Sheriff Dispatch"}));
        QCOMPARE(rig.status(), QString("Done: 1 result."));
    }

    void aCancelledLoginLeavesTheSearchesLocked() {
        radioref::test::StandIn server(false, 3);
        if (!server.ok()) QSKIP("python3 or the stand-in service is not available");
        Rig rig(server.base());
        QTcpServer silent;
        auto* cancel = rig.find<QPushButton>("cmdCancel");
        bool clicked = false;
        bool logged_in = true;
        {
            Watch watch([&] {
                if (clicked || !cancel->isEnabled()) return;
                clicked = true;
                QCOMPARE(rig.status(), QString("Wait connecting."));
                cancel->click();
            });
            // A server that takes the connection and never answers: the WSDL fetch waits
            // until cancelled.
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            rig.window->connection().base_url =
                QString("http://127.0.0.1:%1/soap2/").arg(silent.serverPort()).toStdString();
            logged_in = rig.window->login();
        }
        QVERIFY(clicked);
        QVERIFY(!logged_in);
        QCOMPARE(rig.status(), QString("Cancelled."));
        QVERIFY(rig.prompter.told.empty());
        QVERIFY(!rig.find<QWidget>("cboCounty")->isEnabled());
        QVERIFY(rig.find<QWidget>("LogInBtn")->isEnabled());
        rig.window->connection().base_url = server.base();
        QVERIFY(rig.window->login());
    }
};

QTEST_MAIN(TestFrmRrSearch)
#include "test_frm_rr_search.moc"
