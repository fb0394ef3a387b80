// The main window as a user meets it: start-up, the menus, opening the sample database, adding,
// copying and deleting systems, the system and site forms, dropping files, and quitting with
// unsaved changes.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <filesystem>

#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "app/editor/site_editor.h"
#include "app/editor/system_editor.h"
#include "core/editor/commands.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

int systems_in(const SystemStore& store) {
    int n = 0;
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id))
        if (store.key_of(id).rfind("SYS-", 0) == 0) ++n;
    return n;
}

bool told(const RecordingPrompter& p, std::string_view text) {
    return std::find(p.told.begin(), p.told.end(), text) != p.told.end();
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private slots:
    void startUpWarnsAboutFirmwareOnlyOnceInABarNotABox() {
        EditorRig rig;
        rig.start();
        // The warning waits in the window's bar instead of stopping the start with a box.
        QVERIFY(!told(rig.prompter, k_firmware_warning));
        QVERIFY(rig.window->message_bar()->isVisible());
        QCOMPARE(rig.window->message_bar_text()->text(), QString::fromLatin1(k_firmware_warning));
        auto* close =
            rig.window->message_bar()->findChild<QToolButton*>(QStringLiteral("message_bar_close"));
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!rig.window->message_bar()->isVisible());
        QCOMPARE(rig.window->status_label()->text(), QStringLiteral("Ready"));
        QCOMPARE(rig.window->windowTitle(), QStringLiteral("Tarvex[*]"));
        rig.window->close();
        rig.start();
        QVERIFY(!rig.window->message_bar()->isVisible());
        QVERIFY(!told(rig.prompter, k_firmware_warning));
    }

    void everyCaptionOfTheTableIsInTheMenusAndUnavailableOnesAreDisabled() {
        EditorRig rig;
        MainWindow& w = rig.start();
        for (const CommandEntry& e : command_table()) {
            if (e.menu == Menu::AddButtons) continue;
            QAction* a = w.action(e.menu, QString::fromLatin1(e.caption.data(), e.caption.size()));
            if (e.menu == Menu::ToolBar && !a) continue;  // aliases share one button
            QVERIFY2(a, e.caption.data());
            if (!e.available) QVERIFY2(!a->isEnabled(), e.caption.data());
        }
        // A disabled command reached anyway runs nothing.
        QVERIFY(!w.dispatch(Menu::Scanner, QStringLiteral("Bulk Edit Database")));
        // ... and says why, as its tool tip does.
        QCOMPARE(w.status_label()->text().toStdString(),
                 std::string(unavailable_reason(CommandId::BulkEditDatabase)));
        QCOMPARE(w.action(Menu::Scanner, QStringLiteral("Bulk Edit Database"))->toolTip(),
                 w.status_label()->text());
        QVERIFY(!w.dispatch(Menu::Setup, QStringLiteral("Nonexistent")));
        QVERIFY(told(rig.prompter, k_no_item_assigned));
    }

    void openingTheSampleShowsItsSystemsAndFileName() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QCOMPARE(systems_in(w.session().store()), 5);
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("Tarvex - file: ")));
        QVERIFY(w.windowTitle().contains(QStringLiteral("sample.hpd")));
        QVERIFY(!w.isWindowModified());
        QVERIFY(w.browser_model()->index_of_key("GRP-999-001-000").isValid());
        // Nothing changed: opening again asks nothing.
        rig.open(sample_hpd());
        QVERIFY(rig.prompter.questions.empty());
    }

    void addButtonsMakeSystemsSitesAndGroups() {
        EditorRig rig;
        MainWindow& w = rig.start();
        QVERIFY(w.dispatch(Menu::AddButtons, QStringLiteral("Mot")));
        SystemStore& store = w.session().store();
        QCOMPARE(systems_in(store), 1);
        QVERIFY(w.isWindowModified());
        QVERIFY(store.exists("SIT-001-001") && store.exists("GRP-999-001-000"));
        QCOMPARE(w.session().selection().key, std::string("SYS-001"));
        QCOMPARE(w.editor_tabs()->currentWidget(), w.system_editor());

        w.dispatch(Menu::AddButtons, QStringLiteral("Site"));
        QVERIFY(store.exists("SIT-001-002"));
        w.dispatch(Menu::AddButtons, QStringLiteral("Con"));
        QVERIFY(store.exists("SYS-002"));
        w.dispatch(Menu::AddButtons, QStringLiteral("Site"));
        QVERIFY(told(rig.prompter, "error, not a trunk system."));
        w.dispatch(Menu::AddButtons, QStringLiteral("Group"));
        QVERIFY(store.exists("GRP-999-002-001"));
        QVERIFY(w.browser_model()->index_of_key("GRP-999-002-001").isValid());
    }

    void treePopUpCopiesPastesAndDeletesSystemsAfterAsking() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        SystemStore& store = w.session().store();
        QVERIFY(rig.click("SYS-002"));
        w.dispatch(Menu::TreePopup, QStringLiteral("Copy System"));
        w.dispatch(Menu::TreePopup, QStringLiteral("Paste System"));
        QCOMPARE(systems_in(store), 6);
        QVERIFY(w.session().files().exists(6, 0));

        QVERIFY(rig.click("SYS-006"));
        rig.prompter.script({Answer::No});
        w.dispatch(Menu::TreePopup, QStringLiteral("Delete System"));
        QCOMPARE(systems_in(store), 6);
        rig.prompter.script({Answer::Yes});
        w.dispatch(Menu::TreePopup, QStringLiteral("Delete System"));
        QCOMPARE(systems_in(store), 5);
        QVERIFY(!w.browser_model()->index_of_key("SYS-006").isValid());
    }

    void systemFormStoresCommasAsSemicolonsAndDropsAnEmptyFleetMap() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SYS-002"));
        SystemEditor* form = w.system_editor();
        QCOMPARE(w.editor_tabs()->currentWidget(), form);
        form->name_edit()->selectAll();
        QTest::keyClicks(form->name_edit(), "Harbor, Regional");
        // The browser follows the name while it is typed.
        QCOMPARE(w.browser_model()->data(w.browser_model()->index_of_key("SYS-002")).toString(),
                 QStringLiteral("Harbor, Regional"));
        for (int i = 0; i < 8; ++i) form->fleet_block(i)->setValue(0);
        // Clicking another node writes the shown record back first.
        QVERIFY(rig.click("SYS-003"));
        SystemStore& store = w.session().store();
        QCOMPARE(get_field(store.get_node_text("SYS-002"), 4), std::string("Harbor; Regional"));
        QVERIFY(!store.exists("FMP-002-000"));
        QVERIFY(w.isWindowModified());
    }

    void siteFormRebuildsFrequenciesInGridOrder() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SIT-002-001"));
        SiteEditor* site = w.site_editor();
        QCOMPARE(w.editor_tabs()->currentWidget(), site);
        QCOMPARE(site->frequency_model()->grid().at(2, 1), std::string("852.4125"));
        site->frequency_view()->move_to(1, 1);  // the second frequency
        site->findChild<QPushButton*>(QStringLiteral("cmd_delete_rows"))->click();
        site->findChild<QPushButton*>(QStringLiteral("cmd_default"))->click();
        site->findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
        SystemStore& store = w.session().store();
        std::vector<std::string> tfq;
        for (const auto& k : store.child_keys("SIT-002-001")) tfq.push_back(store.get_node_text(k));
        QCOMPARE(int(tfq.size()), 4);
        QCOMPARE(get_field(tfq[0], 1), std::string("851.2375"));
        QCOMPARE(get_field(tfq[1], 1), std::string("853.0625"));
        QVERIFY(
            store.get_node_text("MCP-002-001").rfind("MCP,type,851.0250,854.0000,25.0,440", 0) ==
            0);

        std::string opened;
        site->open_url = [&](const std::string& url) { opened = url; };
        site->findChild<QPushButton*>(QStringLiteral("cmd_map"))->click();
        QVERIFY(opened.find("44.350200") != std::string::npos);

        rig.prompter.script({Answer::Yes});
        site->findChild<QPushButton*>(QStringLiteral("cmd_delete"))->click();
        QVERIFY(!store.exists("SIT-002-001"));
    }

    void openingOverUnsavedChangesAsksAndCancelKeepsThem() {
        EditorRig rig;
        MainWindow& w = rig.start();
        w.dispatch(Menu::AddButtons, QStringLiteral("Con"));
        rig.prompter.script({Answer::Cancel});
        rig.open(sample_hpd());
        QCOMPARE(rig.prompter.questions.back(),
                 std::string("This will delete all data.\nIf not saved, data is lost!\nContinue?"));
        QCOMPARE(systems_in(w.session().store()), 1);
        QVERIFY(w.isWindowModified());
    }

    void savingWithoutAFileNameAsksForOne() {
        EditorRig rig;
        MainWindow& w = rig.start();
        w.dispatch(Menu::AddButtons, QStringLiteral("P25"));
        const QString target = rig.home.filePath("new.hpd");
        rig.chooser.push(QFile::encodeName(target).toStdString());
        w.dispatch(Menu::ToolBar, QStringLiteral("Save"));
        QCOMPARE(int(rig.chooser.asked.size()), 1);
        QVERIFY(QFile::exists(target));
        QVERIFY(!w.isWindowModified());
        QVERIFY(w.windowTitle().contains(QStringLiteral("new.hpd")));
        QVERIFY(w.status_label()->text().startsWith(QStringLiteral("Saved: ")));
        // Known now: the next save asks nothing.
        w.dispatch(Menu::File, QStringLiteral("Save HPD File"));
        QCOMPARE(int(rig.chooser.asked.size()), 1);
    }

    void highlightMenusMarkTheMatchingNodes() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        w.dispatch(Menu::Browser, QStringLiteral("Conv Groups"));
        auto marked = [&](const char* key) {
            return w.browser_model()
                ->data(w.browser_model()->index_of_key(key), Qt::BackgroundRole)
                .isValid();
        };
        QVERIFY(marked("GRP-999-001-000"));
        QVERIFY(!marked("GRP-999-002-000"));
        QVERIFY(!marked("SYS-001"));
    }

    void severalFilesModeShowsEachFileAsAList() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        w.findChild<QAction*>(QStringLiteral("multihpd"))->trigger();
        QVERIFY(w.session().multi_mode());
        QVERIFY(w.browser_model()->index_of_key("FAV-001").isValid());
        QVERIFY(w.action(Menu::MultiFile, QStringLiteral("Remove HPD"))->isEnabled());
        QVERIFY(rig.click("SYS-001"));
        w.dispatch(Menu::MultiFile, QStringLiteral("Remove HPD"));
        QVERIFY(told(rig.prompter, "Click on Fav file first"));
    }

    void windowPlaceAndBrowserWidthComeFromTheSettings() {
        EditorRig rig;
        rig.settings->SaveSetting("", "wwidth", "10500");
        rig.settings->SaveSetting("", "wheight", "7500");
        rig.settings->SaveSetting("all", "browser_left", "3000");
        MainWindowOptions options;
        options.prompter = &rig.prompter;
        options.chooser = &rig.chooser;
        MainWindow w(*rig.settings, QtFolderProvider().folders(), options);
        QCOMPARE(w.size(), QSize(700, 500));
        w.show_in_place();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(w.findChild<QSplitter*>(QStringLiteral("splitter"))->sizes().value(0), 200);
    }

    void gridCommandWithoutAGridLeavesADiagnosticLine() {
        EditorRig rig;
        MainWindow& w = rig.start();
        w.dispatch(Menu::Edit, QStringLiteral("Fill Down"));
        QVERIFY(told(rig.prompter, "no grid selected"));
        QCOMPARE(w.diagnostics()->count(), 1);
        QVERIFY(w.diagnostics()->item(0)->text().endsWith(QStringLiteral(" fill_down no_invoer")));
        QVERIFY(w.diagnostics()->isHidden());
    }

    void droppedFilesOpenOneByOne() {
        EditorRig rig;
        MainWindow& w = rig.start();
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(sample_hpd()), QUrl::fromLocalFile(sample_hpd())});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QTRY_COMPARE(systems_in(w.session().store()), 10);
        // Names the Open dialog would not take are not taken from a drop either.
        mime->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/list.Hpd")),
                       QUrl::fromLocalFile(QStringLiteral("/tmp/list.csv"))});
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton,
                                Qt::NoModifier);
        refused.setAccepted(false);
        QApplication::sendEvent(&w, &refused);
        QVERIFY(!refused.isAccepted());
        delete mime;
    }

    void quittingWithUnsavedChangesAsksAndNoKeepsEverything() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        const std::filesystem::path temp = w.session().files().folder();
        w.dispatch(Menu::AddButtons, QStringLiteral("Con"));
        rig.prompter.script({Answer::No});
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(rig.prompter.questions.back(),
                 std::string("Changes are not saved yet.\nIf not saved, data is lost!\n"
                             "Continue without saving ?"));
        QVERIFY(w.session().files().exists(1, 0));

        rig.prompter.script({Answer::Yes});
        QVERIFY(w.close());
        QVERIFY(!std::filesystem::exists(temp));
        // The window's place and the browser width are remembered.
        QVERIFY(rig.settings->GetSetting("all", "browser_left", "x") != "");
        QVERIFY(rig.settings->GetSetting("", "wwidth", "x") != "");
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
