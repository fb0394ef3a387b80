// The desktop settings store: values written through QSettings come back byte for byte, in the
// key space they were written to, from INI files in a throw-away TARVEX_SETTINGS_DIR.
//
// QSettings caches a file it has written within the process, so "the next start" is simulated by
// copying the files to a fresh folder and pointing TARVEX_SETTINGS_DIR there: the read-back then
// comes from what is really on disk.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/platform/qt_folder_provider.h"
#include "app/platform/qt_settings_backend.h"
#include "core/settings/settings.h"

using tarvex::QtSettingsBackend;

class TestQtSettings : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir root_;
    int runs_ = 0;

    QString current_dir() const { return root_.filePath(QString::number(runs_)); }

    void start_run() {
        ++runs_;
        QDir().mkpath(current_dir());
        qputenv("TARVEX_SETTINGS_DIR", QFile::encodeName(current_dir()));
    }

    // A later start of the program: the same files, read afresh from disk.
    void next_start() {
        const QString previous = current_dir();
        start_run();
        for (const char* name : {"TARVEX.ini", "RRfetch.ini"}) {
            QFile::copy(QDir(previous).filePath(name), QDir(current_dir()).filePath(name));
        }
    }

  private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        qputenv("TARVEX_DATA_HOME", QFile::encodeName(root_.filePath("home")));
    }

    void init() { start_run(); }

    void valuesSurviveARestartByteForByte() {
        const std::string bytes = "Caf\xE9 \x80\x9F, @odd=value;x";
        {
            QtSettingsBackend main(QtSettingsBackend::Store::main);
            QCOMPARE(main.location(), QDir(current_dir()).filePath("TARVEX.ini"));
            main.write("vc", "VC_option1", bytes);
            main.write("", "wleft", "100x");
        }
        next_start();
        QtSettingsBackend main(QtSettingsBackend::Store::main);
        QCOMPARE(main.read("vc", "VC_option1").value_or("<absent>"), bytes);
        QCOMPARE(main.read("", "wleft").value_or("<absent>"), std::string("100x"));
        QVERIFY(!main.read("vc", "never").has_value());
    }

    void rootKeysAndSectionKeysStayApart() {
        {
            QtSettingsBackend main(QtSettingsBackend::Store::main);
            main.write("", "startup", "1x");
            main.write("startup", "startup", "2x");
            // The INI file keeps root values in a group called "General".
            main.write("general", "hpinfo", "3x");
            // A separator in a name would reach into another section: refused.
            main.write("", "startup/startup", "9x");
        }
        next_start();
        QtSettingsBackend main(QtSettingsBackend::Store::main);
        QCOMPARE(main.read("", "startup").value_or(""), std::string("1x"));
        QCOMPARE(main.read("startup", "startup").value_or(""), std::string("2x"));
        QCOMPARE(main.read("general", "hpinfo").value_or(""), std::string("3x"));
        QVERIFY(!main.read("", "hpinfo").has_value());
        QVERIFY(!main.read("", "startup/startup").has_value());
    }

    void importStoreIsItsOwnKeySpace() {
        {
            QtSettingsBackend main(QtSettingsBackend::Store::main);
            QtSettingsBackend import(QtSettingsBackend::Store::import);
            tarvex::Settings settings(main, import);
            settings.SaveSetting("", "country", "7");
            settings.SaveImportSetting("country", "2");
        }
        next_start();
        QSettings file(QDir(current_dir()).filePath("RRfetch.ini"), QSettings::IniFormat);
        QCOMPARE(file.value("settings/country").toString(), QStringLiteral("2x"));

        QtSettingsBackend main(QtSettingsBackend::Store::main);
        QtSettingsBackend import(QtSettingsBackend::Store::import);
        tarvex::Settings settings(main, import);
        QCOMPARE(settings.GetSetting("", "country", "1x"), std::string("7"));
        QCOMPARE(settings.GetImportSetting("country", "1x"), std::string("2"));
    }

    void folderRootsFollowTheDataHomeOverride() {
        tarvex::PlatformFolders f = tarvex::QtFolderProvider().folders();
        const QDir home(root_.filePath("home"));
        QCOMPARE(QDir(QString::fromStdU16String(f.documents.u16string())).absolutePath(),
                 home.absoluteFilePath("Documents"));
        QCOMPARE(QDir(QString::fromStdU16String(f.app_data.u16string())).absolutePath(),
                 home.absoluteFilePath("AppData"));
        QVERIFY(!f.install_dir.empty());
    }
};

QTEST_GUILESS_MAIN(TestQtSettings)
#include "test_qt_settings.moc"
