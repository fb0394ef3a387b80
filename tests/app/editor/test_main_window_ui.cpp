// The main window as a new user finds it: menus that open from the keyboard, the platform's
// keys, Recent Files, tool-bar icons and tips, the browser's legend, the start page, windows
// that fit the screen, the close question's buttons and the first-run note in its bar.
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "app/common/qt_prompter.h"
#include "core/editor/command_help.h"
#include "core/editor/recent_files.h"
#include "core/editor/session.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

// A copy of the sample under a name of its own, so Recent Files sees distinct files.
QString sample_copy(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile::remove(path);
    QFile::copy(sample_hpd(), path);
    QFile(path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return path;
}

QStringList recent_entries(MainWindow& w) {
    QStringList out;
    for (QAction* a : w.recent_menu()->actions()) out << a->data().toString();
    return out;
}

// Presses a button of the message box the next event turn shows, and reports the buttons seen.
struct BoxAnswerer {
    QStringList seen;
    QString press;
    void arm() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                seen << b->text();
                if (b->text() == press) chosen = b;
            }
            if (chosen) chosen->click();
        });
    }
};

}  // namespace

class TestMainWindowUi : public QObject {
    Q_OBJECT

  private slots:
    void altKeysOpenTheMenusAndEveryMenuHasItsMnemonic() {
        EditorRig rig;
        MainWindow& w = rig.start();
        auto* file = w.findChild<QMenu*>(QStringLiteral("mnu_File"));
        QVERIFY(file);
        QCOMPARE(file->title(), QStringLiteral("&File"));
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(file));
        file->close();
        // Every top-level menu and every item in it is reachable by a letter, none twice.
        for (QAction* top : w.menuBar()->actions()) {
            QVERIFY2(top->text().contains(QLatin1Char('&')), qPrintable(top->text()));
            QMenu* menu = top->menu();
            QSet<QChar> letters;
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) continue;
                const QString t = a->text();
                const int at = t.indexOf(QLatin1Char('&'));
                if (at < 0 || at + 1 >= t.size()) continue;
                QVERIFY2(!letters.contains(t[at + 1].toLower()), qPrintable(t));
                letters.insert(t[at + 1].toLower());
            }
            QVERIFY2(letters.size() >= std::min<qsizetype>(menu->actions().size(), 20) / 2,
                     qPrintable(top->text()));
        }
    }

    void theStandardKeysRunTheirCommands() {
        EditorRig rig;
        MainWindow& w = rig.start();
        QTemporaryDir dir;
        rig.open(sample_copy(dir, QStringLiteral("keys.hpd")));
        struct Case {
            const char* caption;
            QKeySequence key;
        };
        const Case cases[] = {
            {"Open HPD File", QKeySequence(Qt::CTRL | Qt::Key_O)},
            {"Save HPD File", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"Save HPD File As", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
            {"Exit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        };
        for (const Case& c : cases) {
            QAction* a = w.action(Menu::File, QString::fromLatin1(c.caption));
            QVERIFY2(a && a->shortcut() == c.key, c.caption);
        }
        QCOMPARE(w.action(Menu::Help, QStringLiteral("Open Software Manual"))->shortcut(),
                 QKeySequence(Qt::Key_F1));
        // No two actions of the window answer one key.
        QMap<QString, QString> owner;
        for (QAction* a : w.findChildren<QAction*>()) {
            if (!a->isVisible()) continue;
            for (const QKeySequence& k : a->shortcuts()) {
                const QString key = k.toString();
                QVERIFY2(!owner.contains(key) || owner[key] == a->objectName(),
                         qPrintable(key + QLatin1Char(' ') + a->objectName() + QLatin1Char('/') +
                                    owner.value(key)));
                owner[key] = a->objectName();
            }
        }
        // Ctrl+Shift+S asks for the new name.
        rig.chooser.push(std::nullopt);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!rig.chooser.asked.empty());
        QCOMPARE(rig.chooser.asked.back(), std::string("Save HPD File As"));
    }

    void recentFilesListTheLastTenNewestFirstAndDropMissingOnes() {
        EditorRig rig;
        MainWindow& w = rig.start();
        QTemporaryDir dir;
        QStringList opened;
        for (int i = 0; i < 11; ++i) {
            opened << sample_copy(dir, QStringLiteral("r%1.hpd").arg(i));
            rig.open(opened.back());
        }
        QStringList expected;
        for (int i = 10; i >= 1; --i) expected << opened[i];
        QCOMPARE(recent_entries(w), expected);
        QVERIFY(w.recent_menu()->actions().front()->text().startsWith(QStringLiteral("&1 r10")));

        // Choosing an entry opens it and moves it to the front.
        w.recent_menu()->actions().at(4)->trigger();
        QCOMPARE(QString::fromStdString(w.session().file_name()), opened[6]);
        QCOMPARE(recent_entries(w).front(), opened[6]);

        // A file that is gone: a message, and it leaves the list (for the next start too).
        QFile::remove(opened[3]);
        QVERIFY(!w.open_recent(opened[3]));
        QVERIFY(!rig.prompter.told.empty());
        QVERIFY(QString::fromStdString(rig.prompter.told.back()).contains(opened[3]));
        QVERIFY(!recent_entries(w).contains(opened[3]));
        QCOMPARE(recent_entries(w).size(), 9);
        QCOMPARE(QString::fromStdString(w.session().file_name()), opened[6]);
        rig.prompter.script({Answer::Discard});
        w.close();
        MainWindow& again = rig.start();
        QCOMPARE(recent_entries(again).size(), 9);
        QCOMPARE(recent_entries(again).front(), opened[6]);
    }

    void toolBarAndAddButtonsSayWhatTheyDo() {
        EditorRig rig;
        MainWindow& w = rig.start();
        auto* bar = w.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QVERIFY(bar);
        int buttons = 0;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator()) continue;
            ++buttons;
            QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
            QVERIFY2(!a->icon().pixmap(22, 22).isNull(), qPrintable(a->text()));
            QVERIFY2(!a->toolTip().isEmpty() && a->toolTip() != a->text(), qPrintable(a->text()));
        }
        QVERIFY(buttons >= 15);
        // The tip carries the key of the command.
        QCOMPARE(w.action(Menu::ToolBar, QStringLiteral("Save"))->toolTip(),
                 QStringLiteral("Save the HPD file (%1)")
                     .arg(QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText)));
        // The add buttons keep their captions and name the system type they add.
        auto* lt = w.findChild<QPushButton*>(QStringLiteral("add_LT"));
        QVERIFY(lt);
        QCOMPARE(lt->text(), QStringLiteral("LT"));
        QVERIFY(lt->toolTip().contains(QStringLiteral("LTR trunked system")));
        QVERIFY(lt->accessibleName().contains(QStringLiteral("LTR")));
        for (QPushButton* b : w.findChildren<QPushButton*>())
            if (b->objectName().startsWith(QStringLiteral("add_")))
                QVERIFY2(b->toolTip() != b->text(), qPrintable(b->text()));
    }

    void systemNodesNameTheirTypeAndTheStartPageNamesTheFile() {
        EditorRig rig;
        MainWindow& w = rig.start();
        auto start = [&w] { return qobject_cast<QLabel*>(w.start_page())->text(); };
        QVERIFY(start().contains(QStringLiteral("Open an HPD file")));
        rig.open(sample_hpd());
        QVERIFY(!start().contains(QStringLiteral("Open an HPD file")));
        QVERIFY(start().contains(QStringLiteral("sample.hpd")));
        BrowserModel* model = w.browser_model();
        int systems = 0;
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex i = model->index(r, 0);
            const QString tip = i.data(Qt::ToolTipRole).toString();
            QVERIFY(tip.startsWith(i.data(Qt::DisplayRole).toString()));
            if (tip.contains(QStringLiteral(" system ("))) ++systems;
        }
        QCOMPARE(systems, 5);
        // The browser widened to show the names (the user never set its width).
        auto* tree = static_cast<QAbstractItemView*>(w.browser());
        QTRY_VERIFY(w.browser()->viewport()->width() >= tree->sizeHintForColumn(0));
    }

    void notePadOpensTheFileWithTheDesktopsEditorOrSaysWhy() {
        EditorRig rig;
        MainWindow& w = rig.start();
        QStringList asked;
        w.open_local_file = [&asked](const QString& path) {
            asked << path;
            return true;
        };
        QVERIFY(w.dispatch(Menu::Tools, QStringLiteral("Open NotePad")));
        // No file open: the user's notes file, made when missing.
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.front().endsWith(QStringLiteral("notes.txt")));
        QVERIFY(QFileInfo::exists(asked.front()));
        rig.open(sample_hpd());
        w.dispatch(Menu::Tools, QStringLiteral("Open NotePad"));
        QCOMPARE(asked.back(), sample_hpd());
        w.open_local_file = [](const QString&) { return false; };
        rig.prompter.told.clear();
        w.dispatch(Menu::Tools, QStringLiteral("Open NotePad"));
        QCOMPARE(rig.prompter.told.size(), size_t(1));
        QVERIFY(QString::fromStdString(rig.prompter.told.front()).contains(sample_hpd()));
    }

    void aWindowSavedOnABiggerScreenComesBackWhollyOnThisOne() {
        EditorRig rig;
        for (auto [key, value] : {std::pair{"wleft", "30000"}, std::pair{"wtop", "20000"},
                                  std::pair{"wwidth", "60000"}, std::pair{"wheight", "40000"}})
            rig.settings->SaveSetting("", key, value);
        MainWindowOptions options;
        options.prompter = &rig.prompter;
        options.chooser = &rig.chooser;
        options.run_number = 777;
        MainWindow w(*rig.settings, QtFolderProvider().folders(), options);
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(avail.contains(QRect(w.pos(), w.size())), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                          .arg(w.x())
                                                                          .arg(w.y())
                                                                          .arg(w.width())
                                                                          .arg(w.height())));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The browser keeps a width that shows names.
        QVERIFY(w.browser()->width() >= w.fontMetrics().horizontalAdvance(QLatin1Char('M')) * 12);
    }

    void theCloseQuestionsButtonsSayWhatTheyDo() {
        QWidget owner;
        QtPrompter prompter(&owner);
        struct Case {
            Buttons buttons;
            QString press;
            QStringList words;
            Answer expected;
        };
        const Case cases[] = {
            {Buttons::SaveDiscardCancel,
             QStringLiteral("Don't Save"),
             {QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")},
             Answer::Discard},
            {Buttons::SaveDiscardCancel,
             QStringLiteral("Save"),
             {QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")},
             Answer::Save},
            {Buttons::YesNoCancel,
             QStringLiteral("Yes"),
             {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")},
             Answer::Yes},
        };
        for (const Case& c : cases) {
            BoxAnswerer answerer;
            answerer.press = c.press;
            answerer.arm();
            QCOMPARE(prompter.ask({"Changes are not saved yet."}, "Warning", c.buttons),
                     c.expected);
            QStringList seen = answerer.seen;
            seen.sort();
            QStringList words = c.words;
            words.sort();
            QCOMPARE(seen, words);
        }
    }

    void closingWithUnsavedChangesCanSaveFirst() {
        EditorRig rig;
        MainWindow& w = rig.start();
        QTemporaryDir dir;
        const QString path = sample_copy(dir, QStringLiteral("close.hpd"));
        rig.open(path);
        w.dispatch(Menu::AddButtons, QStringLiteral("Con"));
        const auto before = QFileInfo(path).size();
        rig.prompter.script({Answer::Save});
        QVERIFY(w.close());
        QCOMPARE(rig.prompter.offered.back(), Buttons::SaveDiscardCancel);
        QVERIFY(QFileInfo(path).size() > before);
    }
};

QTEST_MAIN(TestMainWindowUi)
#include "test_main_window_ui.moc"
