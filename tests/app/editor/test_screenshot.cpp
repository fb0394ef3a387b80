// The main window with the sample database open and a group in the grid, drawn as the user
// sees it. With TARVEX_SCREENSHOT set to a file name the picture is saved there (the README's
// screenshot is taken this way under Xvfb).
#include <QImage>
#include <QPixmap>
#include <QSet>

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
};

QTEST_MAIN(TestScreenshot)
#include "test_screenshot.moc"
