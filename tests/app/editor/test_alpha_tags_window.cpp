// Alpha tags from the menus and the "Justify Alpha Tags:" window, driven as a user does: the
// open grid (undoable), every group of a system, and the whole store.
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/justify_tags_window.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

constexpr int k_tag = 2;

std::string tag(MainWindow& w, int row) {
    return w.grid_editor()->model()->grid().at(row, k_tag);
}

}  // namespace

class TestAlphaTagsWindow : public QObject {
    Q_OBJECT
  private slots:
    void currentGroupIsJustifiedInTheGridAndUndoneInOneStep() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("GRP-999-001-000"));
        QCOMPARE(tag(w, 1), std::string("Sheriff Dispatch"));
        QVERIFY(w.dispatch(Menu::AlphaTags, QStringLiteral("Center")));
        QCOMPARE(tag(w, 1), std::string(7, ' ') + "Sheriff Dispatch");  // (30 - 16) / 2
        QCOMPARE(tag(w, 2), std::string(6, ' ') + "Sheriff Car-to-Car");
        QVERIFY(w.isWindowModified());
        QVERIFY(w.dispatch(Menu::AlphaTags, QStringLiteral("Upper Case")));
        QCOMPARE(tag(w, 1), std::string(7, ' ') + "SHERIFF DISPATCH");
        w.undo_action()->trigger();
        w.undo_action()->trigger();
        QCOMPARE(tag(w, 1), std::string("Sheriff Dispatch"));
        QCOMPARE(tag(w, 2), std::string("Sheriff Car-to-Car"));
    }

    void withoutAGridTheUserIsToldToClickOne() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SYS-001"));
        w.dispatch(Menu::AlphaTags, QStringLiteral("Right"));
        QCOMPARE(rig.prompter.told.back(), std::string("Please click on a grid first"));
    }

    void allGroupsOfTheSystemAreRewrittenAndTheOpenGridShowsThem() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("GRP-999-001-000"));
        // An edit in the grid that is not saved yet must survive the rewrite of the files.
        w.grid_editor()->model()->edit_hook(1, k_tag, "typed tag");
        QVERIFY(w.dispatch(Menu::AlphaTags, QStringLiteral("All Upper Case")));
        QCOMPARE(tag(w, 1), std::string("TYPED TAG"));
        GroupFiles& files = w.session().files();
        for (int g : {0, 1, 2})
            for (const auto& line : files.read_lines(1, g))
                QCOMPARE(get_field(line, 2), to_upper(get_field(line, 2)));
        QVERIFY(w.dispatch(Menu::AlphaTags, QStringLiteral("All Groups in System"),
                           QStringLiteral("Right")));
        QCOMPARE(tag(w, 1), std::string(21, ' ') + "TYPED TAG");
    }

    void advancedWindowAppliesToTheTickedKindsOnly() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("GRP-999-001-000"));
        QString title;
        w.run_dialog = [&](QDialog& dialog) {
            auto* window = qobject_cast<JustifyTagsWindow*>(&dialog);
            if (!window) return int(QDialog::Rejected);
            title = window->windowTitle();
            window->pages()->setCurrentIndex(1);  // "Convert To:"
            window->findChild<QRadioButton*>(QStringLiteral("opt_case0"))->setChecked(true);
            window->findChild<QCheckBox*>(QStringLiteral("chk_systems"))->setChecked(true);
            window->findChild<QCheckBox*>(QStringLiteral("chk_talkgroups"))->setChecked(true);
            window->findChild<QPushButton*>(QStringLiteral("cmd_apply"))->click();
            return window->result();
        };
        QVERIFY(w.dispatch(Menu::Options, QStringLiteral("Justify Alpha Tags")));
        QCOMPARE(title, QStringLiteral("Justify Alpha Tags:"));
        SystemStore& store = w.session().store();
        QCOMPARE(get_field(store.get_node_text("SYS-002"), 4),
                 std::string("HARBOR REGIONAL TRUNKED"));
        // group names were not ticked
        QCOMPARE(get_field(store.get_node_text("GRP-999-001-000"), 4),
                 std::string("Harbor County Sheriff"));
        // the open grid shows its rewritten file
        QCOMPARE(tag(w, 5), std::string("SHERIFF P25 DIGITAL"));
        QCOMPARE(tag(w, 8), std::string("DRUG TASK FORCE"));

        // Cancel changes nothing
        w.run_dialog = [](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("cmd_cancel"))->click();
            return dialog.result();
        };
        const std::string before = store.get_node_text("SYS-001");
        w.dispatch(Menu::Options, QStringLiteral("Justify Alpha Tags"));
        QCOMPARE(store.get_node_text("SYS-001"), before);
    }
};

QTEST_MAIN(TestAlphaTagsWindow)
#include "test_alpha_tags_window.moc"
