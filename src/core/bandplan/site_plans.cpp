#include "core/bandplan/site_plans.h"

#include "core/base/text.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex::bandplan {

namespace {

bool zero_or_blank(const std::string& text) {
    std::string t = trim(text);
    return t.empty() || mhz_to_hz(t) == 0;
}

}  // namespace

Plan plan_from_site(const Bandplan& rows) {
    Plan plan;
    for (int i = 0; i < k_rows; ++i) {
        const BandplanRow& r = rows[static_cast<size_t>(i)];
        Row& out = plan[static_cast<size_t>(i)];
        out.lower = zero_or_blank(r.lower) ? std::string() : trim(r.lower);
        out.upper = zero_or_blank(r.upper) ? std::string() : trim(r.upper);
        out.step = trim(r.step).empty() ? "25.0" : trim(r.step);
        out.offset = out.lower.empty() ? std::string() : trim(r.offset);
    }
    return plan;
}

Bandplan plan_to_site(const Plan& plan) {
    Bandplan rows;
    for (int i = 0; i < k_rows; ++i) {
        const Row& r = plan[static_cast<size_t>(i)];
        rows[static_cast<size_t>(i)] = {r.lower, r.upper, r.step, r.offset};
    }
    return rows;
}

int apply_to_all_sites(SystemStore& store, int system, const Bandplan& rows) {
    const std::string line = bandplan_line(rows);
    const std::string sys = keys::system(system);
    int done = 0;
    for (const std::string& key : store.child_keys(sys)) {
        if (!starts_with(key, "SIT-")) continue;
        const std::string plan_key = "MCP-" + key.substr(4);
        if (store.exists(plan_key))
            store.set_node_text(plan_key, line);
        else
            store.add_node(sys, plan_key, line);
        ++done;
    }
    if (done > 0) store.mark_changed(system);
    return done;
}

}  // namespace tarvex::bandplan
