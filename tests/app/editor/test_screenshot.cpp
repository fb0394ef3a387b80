// The main window with the sample database open and a group in the grid, drawn as the user
// sees it. With TARVEX_SCREENSHOT set to a file name the picture is saved there (the README's
// screenshot is taken this way under Xvfb).
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include "app/editor/grid_editor.h"
#include "app/editor/grid_view.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

class TestScreenshot : public QObject {
    Q_OBJECT

  private slots:
    void mainWindowDrawsTheSampleWithAGroupOpen() {
        EditorRig rig;
        // Widths a user would have dragged the name columns to in an earlier run.
        rig.settings->SaveSetting("colwidth", "ccol_width2", "2700");
        rig.settings->SaveSetting("colwidth", "ccol_width7", "1700");
        rig.settings->SaveSetting("all", "browser_left", "3600");
        MainWindow& w = rig.start();
        w.resize(1280, 760);
        rig.open(sample_hpd());
        QVERIFY(rig.click("GRP-999-001-001"));
        w.grid_editor()->view()->move_to(2, 2);
        QTest::qWait(200);
        const QPixmap shot = w.grab();
        QCOMPARE(shot.size(), w.size());
        // Something was drawn: text, lines and icons give many colours, a blank window one.
        const QImage image = shot.toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 8);
        const QByteArray target = qgetenv("TARVEX_SCREENSHOT");
        if (!target.isEmpty()) QVERIFY(shot.save(QString::fromLocal8Bit(target), "PNG"));
        w.session().clear_changed();
    }

    // `tarvex --screenshot WINDOW FILE.png FILE.hpd`, as scripts/screenshots.sh runs it.
    void screenshotOptionWritesThePictureOfTheWindow_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("size");
        QTest::newRow("main window") << "main" << QSize(1280, 760);
        QTest::newRow("preferences") << "preferences" << QSize(640, 380);
    }
    void screenshotOptionWritesThePictureOfTheWindow() {
        QFETCH(QString, window);
        QFETCH(QSize, size);
        QTemporaryDir home;
        const QString png = home.filePath(window + QStringLiteral(".png"));
        QProcess app;
        app.setProcessEnvironment(fresh_environment(home));
        app.start(QStringLiteral(TARVEX_APP_PATH),
                  {QStringLiteral("--screenshot"), window, png, sample_hpd()});
        QVERIFY(app.waitForFinished(60000));
        QCOMPARE(app.exitCode(), 0);
        QImage image(png, "PNG");
        QVERIFY2(!image.isNull(), qPrintable(QString::fromLocal8Bit(app.readAllStandardError())));
        QCOMPARE(image.size(), size);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 5)
            for (int x = 0; x < image.width(); x += 5) colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 8);
    }

    void screenshotOptionRefusesAnUnknownWindow() {
        QTemporaryDir home;
        QProcess app;
        app.setProcessEnvironment(fresh_environment(home));
        app.start(QStringLiteral(TARVEX_APP_PATH),
                  {QStringLiteral("--screenshot"), QStringLiteral("nonesuch"),
                   home.filePath(QStringLiteral("x.png"))});
        QVERIFY(app.waitForFinished(60000));
        QCOMPARE(app.exitCode(), 2);
        QVERIFY(
            QString::fromLocal8Bit(app.readAllStandardError()).contains(QStringLiteral("main")));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("x.png"))));
    }

  private:
    static QProcessEnvironment fresh_environment(const QTemporaryDir& home) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TARVEX_SETTINGS_DIR"),
                   home.filePath(QStringLiteral("settings")));
        env.insert(QStringLiteral("TARVEX_DATA_HOME"), home.filePath(QStringLiteral("data")));
        return env;
    }
};

QTEST_MAIN(TestScreenshot)
#include "test_screenshot.moc"
