// The Virtual Control window against the scanner simulator on a real pseudo-terminal: the user
// opens the window, the scanner is found, receptions fill the display and the log, the keys
// reach the scanner, silence and a pulled cable are recovered from, and the log persists.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/platform/serial_port_qt.h"
#include "app/remote/mini_vc_window.h"
#include "app/remote/virtual_control_window.h"
#include "core/base/prompter.h"
#include "core/remote/reception_log.h"
#include "core/settings/settings.h"

#ifndef HP_SIM_PATH
#define HP_SIM_PATH ""
#endif

using namespace tarvex;
using remote::VcTimer;

class TestVirtualControl : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void detectsTheScannerAndStarts();
    void followsReceptionsIntoTheLogWithHitCounts();
    void everyKeyReachesTheScanner();
    void buttonsKeepTheirPlaceWhenATransmissionComesAndGoes();
    void survivesSilenceThroughTheWatchdog();
    void recoversWhenTheCableIsPulledAndPluggedBack();
    void savesTheLogAndFindsItAgainNextTime();
    void cleanupTestCase();

  private:
    void sim(const QString& line);
    int count_commands(const QString& command) const;
    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    void hear(const QString& fields) { sim("rx " + fields); }
    void go_quiet() {
        sim("idle");
        QTRY_VERIFY_WITH_TIMEOUT(!window->core().display().busy, 5000);
    }
    std::unique_ptr<VirtualControlWindow> open_window();

    QTemporaryDir dir;
    QString link;
    QProcess simulator;
    QStringList sim_lines;
    MemorySettingsBackend main_store, import_store;
    Settings settings{main_store, import_store};
    RecordingPrompter prompter;
    std::unique_ptr<VirtualControlWindow> window;
};

void TestVirtualControl::sim(const QString& line) {
    simulator.write((line + "\n").toUtf8());
    simulator.waitForBytesWritten(1000);
}

int TestVirtualControl::count_commands(const QString& command) const {
    return static_cast<int>(sim_lines.count("cmd " + command));
}

std::unique_ptr<VirtualControlWindow> TestVirtualControl::open_window() {
    VcWindowOptions options;
    options.folders = {dir.path().toStdString(), dir.path().toStdString()};
    options.intervals = {10, 30, 400, 10, 150, 100, 100};
    options.find_scanner_by_usb = false;
    options.choose_file = [this](const QString&, const QString&, bool) {
        return dir.filePath("saved");
    };
    auto w = std::make_unique<VirtualControlWindow>(
        settings, prompter, [] { return std::make_unique<QtSerialPort>(); }, options);
    w->show();
    return w;
}

void TestVirtualControl::initTestCase() {
    QString program = qEnvironmentVariable("HP_SIM", QStringLiteral(HP_SIM_PATH));
    if (!QFileInfo::exists(program)) QSKIP("the scanner simulator hp_sim is not built");
    QVERIFY(dir.isValid());
    link = dir.filePath("ttyHP");
    connect(&simulator, &QProcess::readyReadStandardOutput, this, [this] {
        while (simulator.canReadLine())
            sim_lines << QString::fromUtf8(simulator.readLine()).trimmed();
    });
    simulator.start(program, {"--link", link});
    QVERIFY(simulator.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(sim_lines.contains("device " + link), 5000);

    settings.SaveSetting("com", "usbdevice", link.toStdString());
    settings.SaveSetting("vc", "autostart", "1");
    window = open_window();
}

void TestVirtualControl::detectsTheScannerAndStarts() {
    QTRY_VERIFY_WITH_TIMEOUT(window->core().link().port().is_open() &&
                                 window->findChild<QTimer*>("logtimer")->isActive(),
                             10000);
    QVERIFY(window->findChild<QTimer*>("Timer1")->isActive());
    QVERIFY(window->findChild<QLineEdit*>("txt_reply")->text().contains("HomePatrol-1"));
    QCOMPARE(window->findChild<QComboBox*>("cbo_port")->currentText(), link);
    QTRY_VERIFY_WITH_TIMEOUT(count_commands("JPM SCN_MODE") == 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(count_commands("STATUS") > 3, 5000);
    // The state line names the scanner and its port; Start shows that it runs.
    QTRY_COMPARE_WITH_TIMEOUT(text("lbl_state"), "Connected to HomePatrol-1 on " + link, 5000);
    auto* start = window->findChild<QPushButton*>("cmd_start");
    QVERIFY(start->isChecked());
    QCOMPARE(start->text(), QString::fromUtf8("Running\u2026"));
    // The window opens whole on the screen.
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
}

void TestVirtualControl::followsReceptionsIntoTheLogWithHitCounts() {
    // The simulator sends each reply in pieces, as a USB link may deliver it.
    sim("split 7");
    hear("freq=155.2250|mode=FM|tone=64|system=Oak County|dept=Fire|chan=Dispatch|sig=3|fav=Home");
    QTRY_COMPARE_WITH_TIMEOUT(text("lbl_channel"), QString("Dispatch"), 5000);
    QCOMPARE(text("txt_frequency"), QString("155.2250"));
    QCOMPARE(text("lbl_tone"), QString("67.0"));
    QCOMPARE(text("lbl_department"), QString("Fire"));
    const auto& log = window->core().log();
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(log.row(1)[remote::col_data]),
                              QString("155.2250"), 5000);
    go_quiet();
    QCOMPARE(text("lbl_channel"), QString("Channel"));
    hear("freq=460.1000|mode=NFM|system=Oak County|dept=Police|chan=Tac 2|sig=4|fav=Home|cavoid=1");
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(log.row(1)[remote::col_channel]),
                              QString("Tac 2"), 5000);
    QVERIFY(window->findChild<QLabel*>("lbl_avoid_channel")->isVisible());
    go_quiet();
    sim("split 0");
    hear("freq=155.2250|mode=FM|tone=64|system=Oak County|dept=Fire|chan=Dispatch|sig=2|fav=Home");
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(log.row(1)[remote::col_channel]),
                              QString("Dispatch"), 5000);
    QCOMPARE(log.row(1)[remote::col_hitcount], std::string("2"));
    QCOMPARE(log.row(2)[remote::col_channel], std::string("Tac 2"));
    QCOMPARE(log.row(2)[remote::col_hitcount], std::string("1"));
    QCOMPARE(log.used_rows(), 2);
}

void TestVirtualControl::everyKeyReachesTheScanner() {
    sim_lines.clear();
    for (int k = 0; k < 5; ++k)
        window->findChild<QPushButton*>(QStringLiteral("cmd_key%1").arg(k))->click();
    for (int n = 0; n < 9; ++n)
        window->findChild<QPushButton*>(QStringLiteral("cmd_nav%1").arg(n))->click();
    QTest::mouseClick(window->findChild<QLabel*>("lbl_department"), Qt::LeftButton);
    emit window->findChild<QComboBox*>("cbo_volume")->activated(9);
    emit window->findChild<QComboBox*>("cbo_squelch")->activated(2);
    window->show_mini();
    window->mini_window()->findChild<QPushButton*>("cmd_mini_next")->click();
    for (const char* c : {"JPM REP_MODE", "REC ON", "MUTE ON", "GATT ON", "SHOLD OFF", "DHOLD OFF",
                          "CHOLD OFF", "SPREV", "SNEXT", "DPREV", "DNEXT", "CPREV", "SAVOID ON",
                          "DAVOID ON", "DHOLD ON", "VOL 9", "SQL 2"})
        QTRY_VERIFY2_WITH_TIMEOUT(count_commands(c) >= 1, c, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(count_commands("CNEXT") >= 3, 5000);  // Resume, key 5, mini
    QTRY_VERIFY_WITH_TIMEOUT(count_commands("CAVOID ON") >= 1, 5000);
    // The scanner now reports the channel avoided; double-clicking the mark releases it.
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<QLabel*>("lbl_avoid_channel")->isVisible(), 5000);
    QTest::mouseDClick(window->findChild<QLabel*>("lbl_avoid_channel"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(count_commands("CAVOID OFF") == 1, 5000);
    QVERIFY(!sim_lines.filter(QRegularExpression("^bad ")).size());
    window->mini_window()->close();
}

void TestVirtualControl::buttonsKeepTheirPlaceWhenATransmissionComesAndGoes() {
    auto* start = window->findChild<QPushButton*>("cmd_start");
    auto* resume = window->findChild<QPushButton*>("cmd_key4");
    go_quiet();
    const QPoint quiet_start = start->mapTo(window.get(), QPoint());
    const QPoint quiet_resume = resume->mapTo(window.get(), QPoint());
    hear("freq=155.2250|mode=FM|tone=64|system=Oak County|dept=Fire|chan=Dispatch|sig=3");
    QTRY_COMPARE_WITH_TIMEOUT(text("txt_frequency"), QString("155.2250"), 5000);
    QCOMPARE(start->mapTo(window.get(), QPoint()), quiet_start);
    QCOMPARE(resume->mapTo(window.get(), QPoint()), quiet_resume);
    go_quiet();
    QCOMPARE(start->mapTo(window.get(), QPoint()), quiet_start);
    // The companion's next key shows an arrow, not a letter.
    window->show_mini();
    QCOMPARE(window->mini_window()->findChild<QPushButton*>("cmd_mini_next")->text(),
             QString::fromUtf8("\u25B6"));
    window->mini_window()->close();
}

void TestVirtualControl::survivesSilenceThroughTheWatchdog() {
    window->findChild<QCheckBox*>("chk_trace")->click();
    QVERIFY(window->trace().enabled());
    sim("silence on");
    sim("garbage RMT\\tSTAT");  // half a reply that never ends
    QTest::qWait(1000);         // longer than the watchdog's 400 ms
    sim("silence off");
    hear("freq=851.0125|mode=FM|system=Metro|dept=Fire|chan=Fire Disp|sig=1");
    QTRY_COMPARE_WITH_TIMEOUT(text("lbl_channel"), QString("Fire Disp"), 5000);
    QCOMPARE(text("txt_frequency"), QString("851.0125"));
    QFile trace(dir.filePath("vc_trace.txt"));
    QVERIFY(trace.open(QIODevice::ReadOnly));
    QByteArray traced = trace.readAll();
    QVERIFY(traced.contains("> RMT\\tSTATUS\\t745\\r"));
    QVERIFY(traced.contains("* close"));
    QVERIFY(traced.count("* open") >= 1);  // the watchdog reopened the port
}

void TestVirtualControl::recoversWhenTheCableIsPulledAndPluggedBack() {
    hear("freq=154.4300|mode=FM|system=Metro|dept=Fire|chan=Paging|sig=3");
    QTRY_VERIFY_WITH_TIMEOUT(window->core().display().busy, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(
        QString::fromStdString(window->core().log().row(1)[remote::col_channel]), QString("Paging"),
        5000);
    sim("unplug");
    QTRY_COMPARE_WITH_TIMEOUT(text("lbl_system"), QString("HP-1 Virtual Control"), 5000);
    QCOMPARE(text("lbl_department"), QString("Plug USB cable in and select 'Serial Port'"));
    QVERIFY(window->core().link().detecting());
    // The lost link ends the reception: lamp out, fields empty, nothing more logged.
    QCOMPARE(text("lbl_state"), QString("Searching for a scanner..."));
    QVERIFY(!window->core().display().busy);
    QVERIFY(!window->findChild<QLabel*>("txt_frequency")->isVisible());
    const remote::LogRow last = window->core().log().row(1);
    const int rows = window->core().log().used_rows();
    QTest::qWait(2500);
    QCOMPARE(window->core().log().used_rows(), rows);
    QVERIFY(window->core().log().row(1) == last);
    sim("replug");
    hear("freq=460.5000|mode=FM|system=Metro|dept=EMS|chan=Med 1|sig=3");
    QTRY_COMPARE_WITH_TIMEOUT(text("lbl_channel"), QString("Med 1"), 10000);
    QVERIFY(!window->core().link().detecting());
    QTRY_COMPARE_WITH_TIMEOUT(
        QString::fromStdString(window->core().log().row(1)[remote::col_channel]), QString("Med 1"),
        5000);
    QVERIFY(prompter.told.empty());
}

void TestVirtualControl::savesTheLogAndFindsItAgainNextTime() {
    window->findChild<QPushButton*>("cmd_save_log")->click();
    QFile saved(dir.filePath("saved.csv"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = saved.readAll().split('\n');
    QVERIFY(lines.value(0).startsWith("TARVEX software,Norvane,The Netherlands,"));
    QVERIFY(lines.value(2).startsWith("LOG,460.5000,Med 1,"));

    const remote::LogRow top = window->core().log().row(1);
    const int rows = window->core().log().used_rows();
    window->close();
    window.reset();
    QVERIFY(QFileInfo::exists(dir.filePath("loggrid.ini")));
    QCOMPARE(QString::fromStdString(settings.GetSetting("vc", "autostart", "x")), QString("1"));

    settings.SaveSetting("vc", "autostart", "0");
    window = open_window();
    QCOMPARE(window->core().log().used_rows(), rows);
    QVERIFY(window->core().log().row(1) == top);
    QVERIFY(!window->findChild<QTimer*>("Timer4")->isActive());
    // The grid shows the kept log at once.
    QAbstractItemModel* grid = window->findChild<QTableView*>("loggrid")->model();
    QCOMPARE(grid->index(0, remote::col_data).data().toString(),
             QString::fromStdString(top[remote::col_data]));
    QCOMPARE(text("lbl_state"),
             QString("Not connected: choose the scanner's device and press Start"));
    QVERIFY(!window->findChild<QPushButton*>("cmd_start")->isChecked());

    // The device is chosen in the window: used at once and remembered.
    auto* devices = window->findChild<QComboBox*>("cbo_device");
    QCOMPARE(devices->currentText(), link);
    QCOMPARE(devices->itemText(0), QString("Automatic"));
    devices->setCurrentIndex(0);
    emit devices->activated(0);
    QCOMPARE(QString::fromStdString(settings.GetSetting("com", "usbdevice", "x")), QString());
    devices->setEditText(link);
    emit devices->lineEdit()->editingFinished();
    QCOMPARE(QString::fromStdString(settings.GetSetting("com", "usbdevice", "x")), link);
    window->findChild<QPushButton*>("cmd_start")->click();
    QTRY_COMPARE_WITH_TIMEOUT(text("lbl_state"), "Connected to HomePatrol-1 on " + link, 5000);
    window->close();
}

void TestVirtualControl::cleanupTestCase() {
    window.reset();
    if (simulator.state() == QProcess::Running) {
        sim("quit");
        if (!simulator.waitForFinished(3000)) simulator.kill();
    }
}

QTEST_MAIN(TestVirtualControl)
#include "test_virtual_control.moc"
