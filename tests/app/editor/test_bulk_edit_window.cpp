// "Bulk Channel Edit" driven as a user drives it: opened from the Options menu, lines and
// settings ticked with the mouse, Apply, the open grid following, Edit -> Undo taking the whole
// edit back, and the result saved to an HPD file that reads back unchanged.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <set>

#include "app/editor/bulk_edit_window.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

// Every talkgroup line of every group file of the session, in file order.
std::vector<std::string> all_talkgroups(EditingSession& s) {
    std::vector<std::string> out;
    for (const BulkLine& l :
         bulk_fill_list(s.files(), s.store(), BulkKind::Talkgroups, 0, s.prompter()))
        out.push_back(l.key + " " + l.text);
    return out;
}

void click(QWidget* w) {
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton);
}

// Ticks a setting and picks its value as the user does.
void choose(BulkEditWindow* w, const QString& caption, const QString& value) {
    QComboBox* box = w->value_box(caption);
    QVERIFY(box && box->isVisible());
    int i = box->findText(value);
    QVERIFY(i >= 0);
    box->setCurrentIndex(i);
    emit box->activated(i);
    QVERIFY(w->setting_box(caption)->isChecked());
}

// Three Motorola systems with 170, 170 and 160 talkgroups in two groups each.
QString write_big_hpd(const QString& folder) {
    QString path = folder + QStringLiteral("/big.hpd");
    std::string text = "TargetModel HomePatrol-1\r\nFormatVersion   2.03\r\n";
    int tg = 1000;
    for (int s = 1; s <= 3; ++s) {
        text += "Trunk\t\t\tSystem " + std::to_string(s) +
                "\tOff\t01/01/2010 10:00:00\tMotorola\tOff\tOff\tAuto\tIgnore\tSrch\r\n";
        text +=
            "Site\tSiteId=1\tTrunkId=1\tSite\tOff\t44.350200\t-68.950100\t25.0\tAUTO\t"
            "Standard\tWide\tCircle\tOff\r\n";
        for (int g = 0; g < 2; ++g) {
            text += "T-Group\tTGroupId=1\tTrunkId=1\tGroup " + std::to_string(g) +
                    "\tOff\t44.352100\t-68.947300\t25.0\tCircle\r\n";
            const int count = s == 3 ? 80 : 85;
            for (int n = 0; n < count; ++n, ++tg)
                text += "TGID\t\t\tTG " + std::to_string(tg) + "\tOff\t" + std::to_string(tg) +
                        "\tALL\t2\t2\t0\tOff\tAuto\tOff\tOn\tOff\tOff\t\r\n";
        }
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(text.data(), static_cast<qint64>(text.size()));
    return path;
}

}  // namespace

class TestBulkEditWindow : public QObject {
    Q_OBJECT

    EditorRig* rig_ = nullptr;

    BulkEditWindow* open_window() {
        rig_->window->dispatch(Menu::Options, QStringLiteral("Bulk Channel Edit"));
        BulkEditWindow* w = rig_->window->bulk_edit_window();
        if (w) (void)QTest::qWaitForWindowExposed(w);
        return w;
    }
    QAction* undo_action() { return rig_->window->findChild<QAction*>(QStringLiteral("Undo")); }

  private slots:
    void init() {
        rig_ = new EditorRig;
        rig_->start();
    }
    void cleanup() {
        rig_->window->session().clear_changed();
        delete rig_;
    }

    void listsTheLinesOfTheChosenKindAndSystem() {
        rig_->open(sample_hpd());
        BulkEditWindow* w = open_window();
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("frm_bulk_edit"));
        QAbstractItemModelTester tester(w->line_model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(w->system_box()->itemText(0), QStringLiteral("   < All Systems >"));
        QCOMPARE(w->line_model()->rowCount(), 34);
        // Settings of channels only are not offered for talkgroups.
        QVERIFY(!w->value_box(QStringLiteral("Mode"))->isVisible());
        QVERIFY(w->value_box(QStringLiteral("AudioType"))->isVisible());

        w->system_box()->setCurrentIndex(2);  // the second trunked system
        emit w->system_box()->activated(2);
        QCOMPARE(w->line_model()->rowCount(), 7);

        click(w->findChild<QRadioButton*>(QStringLiteral("opt_channels")));
        QCOMPARE(w->kind(), BulkKind::Channels);
        QCOMPARE(w->line_model()->rowCount(), 32);
        QVERIFY(w->value_box(QStringLiteral("Mode"))->isVisible());
        QVERIFY(!w->value_box(QStringLiteral("AudioType"))->isVisible());

        // The line in focus is described beside the list.
        QListView* list = w->line_view();
        list->setCurrentIndex(w->line_model()->index(0));
        auto labels = w->findChildren<QLabel*>();
        bool group_shown = std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
            return l->text() == QStringLiteral("Harbor County Sheriff");
        });
        QVERIFY(group_shown);
    }

    void applyRefusesWithoutLinesOrSettings() {
        rig_->open(sample_hpd());
        BulkEditWindow* w = open_window();
        const auto before = all_talkgroups(rig_->window->session());
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_apply")));
        QCOMPARE(rig_->prompter.told.back(), std::string("Please select one or more channels"));
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_select_all")));
        QCOMPARE(w->line_model()->ticked_count(), 34);
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_apply")));
        QCOMPARE(rig_->prompter.told.back(), std::string("Please select which item to change."));
        QCOMPARE(all_talkgroups(rig_->window->session()), before);
        QVERIFY(!rig_->window->isWindowModified());
    }

    void applyReachesTheOpenGridWhichIsSavedFirstAndUndoTakesItAllBack() {
        rig_->open(sample_hpd());
        QVERIFY(rig_->click("GRP-999-002-000"));
        GridEditor* grid = rig_->window->grid_editor();
        // An edit in the grid that is not on file yet.
        grid->model()->setData(grid->model()->index(0, 2), QStringLiteral("Typed Tag"));
        EditingSession& session = rig_->window->session();
        const auto before = all_talkgroups(session);

        BulkEditWindow* w = open_window();
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_select_all")));
        choose(w, QStringLiteral("Alert Tone"), QStringLiteral("3"));
        choose(w, QStringLiteral("Alert Level"), QStringLiteral("12"));
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_apply")));
        QCOMPARE(w->changed_label()->text(), QStringLiteral("Lines changed: 34"));
        QVERIFY(rig_->window->isWindowModified());

        // The grid shows the new values and kept what was typed.
        const TextGrid& g = grid->model()->grid();
        QCOMPARE(g.at(1, 2), std::string("Typed Tag"));
        QCOMPARE(g.at(1, 8), std::string("3"));
        QCOMPARE(g.at(2, 9), std::string("12"));
        for (const std::string& line : all_talkgroups(session)) {
            auto text = line.substr(line.find(' ') + 1);
            QCOMPARE(get_field(text, 8), std::string("3"));
            QCOMPARE(get_field(text, 9), std::string("12"));
        }

        QAction* undo = undo_action();
        QVERIFY(undo && undo->isEnabled());
        QVERIFY(undo->text().contains(QStringLiteral("Bulk edit")));
        undo->trigger();
        auto undone = all_talkgroups(session);
        QCOMPARE(undone.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            // The typed tag reached the file before the bulk edit; everything else is as it was.
            if (i == 0) continue;
            QCOMPARE(undone[i], before[i]);
        }
        QCOMPARE(get_field(undone[0], 8), get_field(before[0], 8));
        QCOMPARE(grid->model()->grid().at(1, 8),
                 get_field(before[0].substr(before[0].find(' ') + 1), 8));

        rig_->window->findChild<QAction*>(QStringLiteral("Redo"))->trigger();
        QCOMPARE(grid->model()->grid().at(1, 8), std::string("3"));
    }

    void selectionByDistanceFromHome() {
        rig_->open(sample_hpd());
        rig_->settings->SaveSetting("gps", "home_lat", "44.2863");
        rig_->settings->SaveSetting("gps", "home_long", "-68.8744");
        rig_->settings->SaveSetting("gps", "home_range", "1");
        BulkEditWindow* w = open_window();
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_location")));
        // Only the Bayview groups sit at the home location itself.
        std::set<int> systems;
        for (const BulkLine& l : w->line_model()->ticked()) systems.insert(l.system());
        QCOMPARE(systems, std::set<int>{3});
        QCOMPARE(w->line_model()->ticked_count(), 7);

        rig_->settings->SaveSetting("gps", "home_lat", "");
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_location")));
        QVERIFY(QString::fromStdString(rig_->prompter.told.back()).startsWith("No home location"));
    }

    void fiveHundredTalkgroupsAcrossSystemsSetUndoneAndSaved() {
        QString big = write_big_hpd(rig_->home.path());
        QVERIFY(!big.isEmpty());
        rig_->open(big);
        EditingSession& session = rig_->window->session();
        const auto before = all_talkgroups(session);
        QCOMPARE(before.size(), size_t(500));

        BulkEditWindow* w = open_window();
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_select_all")));
        choose(w, QStringLiteral("Alert Tone"), QStringLiteral("5"));
        click(w->findChild<QPushButton*>(QStringLiteral("cmd_apply")));
        QCOMPARE(w->changed_label()->text(), QStringLiteral("Lines changed: 500"));
        undo_action()->trigger();
        QCOMPARE(all_talkgroups(session), before);
        rig_->window->findChild<QAction*>(QStringLiteral("Redo"))->trigger();
        const auto edited = all_talkgroups(session);

        // Saved and read back: the same lines.
        QString out = rig_->home.filePath(QStringLiteral("big_out.hpd"));
        rig_->chooser.push(QFile::encodeName(out).toStdString());
        rig_->window->dispatch(Menu::File, QStringLiteral("Save HPD File As"));
        QVERIFY(QFile::exists(out));
        rig_->open(out);
        QCOMPARE(all_talkgroups(rig_->window->session()), edited);
        for (const std::string& line : edited)
            QCOMPARE(get_field(line.substr(line.find(' ') + 1), 8), std::string("5"));
    }
};

QTEST_MAIN(TestBulkEditWindow)
#include "test_bulk_edit_window.moc"
