// The bandplan dialogs driven as a user does: presets, the upper-edge calculation, the key
// filters, and the write-back to the site editor with "Ok, All Sites".
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../editor/editor_rig.h"
#include "app/bandplan/bandplan_dialogs.h"
#include "app/editor/site_editor.h"
#include "core/editor/session.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

void click(QWidget* dialog, const char* name) {
    auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

void type(QLineEdit* edit, const QString& keys) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, keys);
}

}  // namespace

class TestBandplanDialogs : public QObject {
    Q_OBJECT
  private slots:
    void presetsFillTheirRowsAndClearKeepsTheSteps() {
        MotorolaPlanDialog d(bandplan::Plan{});
        QCOMPARE(d.windowTitle(), QStringLiteral("Motorola Custom Plan:"));
        d.step_box(5)->setCurrentText(QStringLiteral("12.5"));
        click(&d, "cmd_preset_Splinter 800");
        QCOMPARE(d.lower_edit(5)->text(), QStringLiteral("868.9750"));
        QCOMPARE(d.offset_edit(5)->text(), QStringLiteral("958"));
        QCOMPARE(d.step_box(5)->currentText(), QStringLiteral("25.0"));
        click(&d, "cmd_preset_Rebanded");
        QCOMPARE(d.lower_edit(0)->text(), QStringLiteral("851.025"));
        QVERIFY(d.lower_edit(2)->text().isEmpty());
        d.step_box(1)->setCurrentText(QStringLiteral("6.25"));
        click(&d, "cmd_clear");
        for (int r = 0; r < bandplan::k_rows; ++r)
            QVERIFY(d.lower_edit(r)->text().isEmpty() && d.offset_edit(r)->text().isEmpty());
        QCOMPARE(d.step_box(1)->currentText(), QStringLiteral("6.25"));
    }

    void keyFiltersDropWhatDoesNotBelong() {
        MotorolaPlanDialog d(bandplan::Plan{});
        d.show();
        type(d.lower_edit(0), QStringLiteral("1a3x6.-0"));
        QCOMPARE(d.lower_edit(0)->text(), QStringLiteral("136.0"));
        type(d.offset_edit(0), QStringLiteral("-1.0x24"));
        QCOMPARE(d.offset_edit(0)->text(), QStringLiteral("-1024"));
        P25PlanDialog p(bandplan::Plan{});
        p.show();
        type(p.base_edit(0), QStringLiteral("851,0125MHz"));
        QCOMPARE(p.base_edit(0)->text(), QStringLiteral("8510125"));
    }

    void calculateUpperThenOkNormalises() {
        MotorolaPlanDialog d(bandplan::Plan{});
        d.lower_edit(0)->setText(QStringLiteral("136"));
        d.step_box(0)->setCurrentText(QStringLiteral("12.5"));
        d.offset_edit(0)->setText(QStringLiteral("0"));
        d.lower_edit(1)->setText(QStringLiteral("150"));
        d.offset_edit(1)->setText(QStringLiteral("380"));
        click(&d, "cmd_calc");
        QCOMPARE(d.upper_edit(0)->text(), QStringLiteral("140.7375"));
        QVERIFY(d.offset_edit(2)->text().isEmpty());  // the closing 760 went again
        click(&d, "cmd_ok");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.outcome(), MotorolaPlanDialog::Outcome::Ok);
        QCOMPARE(d.lower_edit(0)->text(), QStringLiteral("136.0000"));
        // row 2 runs from channel 380 to the closing 759 at its own 25 kHz step
        QCOMPARE(d.plan()[1].upper, std::string("159.4750"));
    }

    void siteEditorTakesThePlanAndOffersItToAllSites() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SIT-002-001"));
        SiteEditor* site = w.site_editor();
        auto fill_vhf = [](QDialog& dialog) {
            auto* d = qobject_cast<MotorolaPlanDialog*>(&dialog);
            if (!d) return int(QDialog::Rejected);
            click(d, "cmd_clear");
            d->lower_edit(0)->setText(QStringLiteral("136"));
            d->step_box(0)->setCurrentText(QStringLiteral("12.5"));
            d->offset_edit(0)->setText(QStringLiteral("0"));
            click(d, "cmd_ok_all");
            return d->result();
        };
        site->run_dialog = fill_vhf;
        rig.prompter.script({Answer::No});
        site->open_motorola_plan();
        QCOMPARE(rig.prompter.questions.back(),
                 std::string("This may overwrite existing bandplan data. Continue?"));
        QCOMPARE(site->bandplan_edit(0, 1)->text(), QStringLiteral("145.4875"));
        SystemStore& store = w.session().store();
        const std::string other_before = store.get_node_text("MCP-002-002");

        rig.prompter.script({Answer::Yes});
        site->open_motorola_plan();
        const std::string expected =
            "MCP,type,136.0000,145.4875,12.5,0,0,0,25.0,0,0,0,25.0,0,0,0,25.0,0,0,0,25.0,0,0,0,"
            "25.0,0";
        for (const char* key : {"MCP-002-001", "MCP-002-002", "MCP-002-003"})
            QCOMPARE(store.get_node_text(key), expected);
        QVERIFY(other_before != expected);

        // Saved and read back, the plan is still there.
        const QString out = rig.home.filePath("vhf.hpd");
        QVERIFY(w.session().save_to(out.toStdString()));
        EditorRig again;
        MainWindow& w2 = again.start();
        again.open(out);
        // Saving a site moves it to the end of its system, so it is found by its name.
        std::string north_ridge;
        for (const auto& key : w2.session().store().child_keys("SYS-002"))
            if (get_field(w2.session().store().get_node_text(key), 4) == "North Ridge")
                north_ridge = key;
        QVERIFY(again.click(north_ridge));
        QCOMPARE(w2.site_editor()->bandplan_edit(0, 1)->text(), QStringLiteral("145.4875"));
    }

    void p25PlanWritesOnlyTheBaseFrequencies() {
        EditorRig rig;
        MainWindow& w = rig.start();
        rig.open(sample_hpd());
        QVERIFY(rig.click("SIT-003-001"));
        SiteEditor* site = w.site_editor();
        const QString offset_before = site->bandplan_edit(0, 3)->text();
        QString title;
        int steps = 0;
        site->run_dialog = [&](QDialog& dialog) {
            auto* d = qobject_cast<P25PlanDialog*>(&dialog);
            if (!d) return int(QDialog::Rejected);
            title = d->windowTitle();
            steps = d->step_box(0)->count();
            d->base_edit(0)->setText(QStringLiteral("851.00625"));
            d->base_edit(1)->setText(QStringLiteral("762006250"));
            click(d, "cmd_ok");
            return d->result();
        };
        site->open_p25_plan();
        QCOMPARE(title, QStringLiteral("Motorola P25 Plan:"));
        QCOMPARE(steps, 32);
        QCOMPARE(site->bandplan_edit(0, 0)->text(), QStringLiteral("851.00625"));
        QCOMPARE(site->bandplan_edit(1, 0)->text(), QStringLiteral("762.00625"));
        QCOMPARE(site->bandplan_edit(0, 3)->text(), offset_before);
        QVERIFY(site->is_dirty());
    }
};

QTEST_MAIN(TestBandplanDialogs)
#include "test_bandplan_dialogs.moc"
