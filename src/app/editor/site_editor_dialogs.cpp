// The site editor's dialogs: the Motorola and P25 bandplans and the location.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "app/bandplan/bandplan_dialogs.h"
#include "app/common/latin1.h"
#include "app/editor/site_editor.h"
#include "app/location/location_dialog.h"
#include "core/bandplan/site_plans.h"
#include "core/base/prompter.h"
#include "core/editor/session.h"

namespace tarvex {

int SiteEditor::run(QDialog& dialog) {
    return run_dialog ? run_dialog(dialog) : dialog.exec();
}

void SiteEditor::open_motorola_plan() {
    if (system_ <= 0) return;
    MotorolaPlanDialog dialog(bandplan::plan_from_site(collect().bandplan), this);
    if (run(dialog) != QDialog::Accepted) return;
    fill_bandplan(bandplan::plan_to_site(dialog.plan()));
    edited();
    if (dialog.outcome() != MotorolaPlanDialog::Outcome::AllSites) return;
    // The current site has the plan already; the question is only about the others.
    Answer a = session_.prompter().ask({std::string(bandplan::k_all_sites_question)}, "Warning",
                                       Buttons::YesNo);
    if (a != Answer::Yes) return;
    save();
    bandplan::apply_to_all_sites(session_.store(), system_, collect().bandplan);
    session_.mark_changed(system_);
}

void SiteEditor::open_p25_plan() {
    if (system_ <= 0) return;
    P25PlanDialog dialog(bandplan::plan_from_site(collect().bandplan), this);
    if (run(dialog) != QDialog::Accepted) return;
    const bandplan::Plan plan = dialog.plan();
    const bool was = loading_;
    loading_ = true;
    for (size_t i = 0; i < plan.size(); ++i) lower_[i]->setText(to_q(plan[i].lower));
    loading_ = was;
    edited();
}

void SiteEditor::open_location() {
    if (system_ <= 0) return;
    location::LocationValues shown = location::location_from_editor(
        from_q(latitude_->text()), from_q(longitude_->text()), from_q(range_->text()));
    LocationDialog dialog(session_, settings_, LocationDialog::Target::Site, system_, shown, this);
    dialog.open_url = open_url;
    if (run(dialog) != QDialog::Accepted) return;
    location::LocationValues v = dialog.values();
    latitude_->setText(to_q(v.latitude));
    longitude_->setText(to_q(v.longitude));
    range_->setText(to_q(v.range));
    edited();
    // Apply-to-all rewrote every site of the system, this one too: keep what the form shows.
    if (dialog.applied_to_all()) save();
}

}  // namespace tarvex
