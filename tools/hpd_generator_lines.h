#pragma once
// The line writer of the HPD generator: every system, site and group line in the form saving
// writes, with the store positions the reader will give its nodes. Included by
// hpd_generator.h only.
#include <string>
#include <vector>

#include "hpd_generator_tables.h"

namespace tarvex::hpdgen::detail {

class Generator {
  public:
    Generator(const Options& o, Sink& out)
        : o_(o), out_(out), rng_(o.seed * 0x2545F4914F6CDD1Dull + 7) {}

    Counts run() {
        std::vector<SystemPlan> plan = plan_systems(o_);
        out_.raw("TargetModel HomePatrol-1");
        out_.end();
        out_.raw("FormatVersion   2.03");
        out_.end();
        long long group_ordinal = 0;
        for (size_t i = 0; i < plan.size(); ++i) {
            const SystemPlan& p = plan[i];
            // One draw per statement: the operands of "+" have no evaluation order, and the
            // file must be the same with every compiler.
            town_ = rng_.pick(k_town_heads);
            town_ += rng_.pick(k_town_tails);
            center_lat_ = 25000000 + rng_.below(23000000);
            center_lon_ = -(68000000 + static_cast<long long>(rng_.below(56000000)));
            if (p.trunk < 0)
                conventional(p, group_ordinal);
            else
                trunked(p, group_ordinal);
        }
        c_.store_nodes = nodes_;
        c_.lines = out_.lines();
        return c_;
    }

  private:
    int node() { return ++nodes_; }

    std::string date() {
        int parts[6] = {};
        const std::uint32_t ranges[6] = {12, 28, 10, 24, 60, 60};
        for (int i = 0; i < 6; ++i) parts[i] = static_cast<int>(rng_.below(ranges[i]));
        return two_digits(parts[0] + 1) + "/" + two_digits(parts[1] + 1) + "/" +
               std::to_string(2015 + parts[2]) + " " + two_digits(parts[3]) + ":" +
               two_digits(parts[4]) + ":" + two_digits(parts[5]);
    }
    std::string avoid(std::uint32_t percent_on) { return rng_.percent(percent_on) ? "On" : "Off"; }
    long long near(long long center, std::uint32_t spread) {
        return center - spread + rng_.below(2 * spread + 1);
    }

    long long rows_for_group(long long ordinal) const {
        return o_.rows / o_.groups + (ordinal < o_.rows % o_.groups ? 1 : 0);
    }

    void area_lines(std::string_view id_name, int id) {
        out_.begin("AreaState");
        out_.raw("\t");
        out_.raw(id_name);
        out_.number(id);
        out_.field("StateId=0");
        out_.end();
        out_.begin("AreaCounty");
        out_.raw("\t");
        out_.raw(id_name);
        out_.number(id);
        out_.field("CountyId=0");
        out_.end();
    }

    void group_line(bool conventional, int id, const std::string& name) {
        int pos = node();
        out_.begin(conventional ? "C-Group\tCGroupId=" : "T-Group\tTGroupId=");
        out_.number(pos);
        out_.raw(conventional ? "\tAgencyId=" : "\tTrunkId=");
        out_.number(id);
        out_.field(name);
        out_.field(avoid(2));
        out_.field(micro_degrees(near(center_lat_, 200000)));
        out_.field(micro_degrees(near(center_lon_, 200000)));
        out_.field(tenths(20 + rng_.below(500)));
        out_.field(rng_.percent(5) ? "Rectangles" : "Circle");
        out_.end();
        ++c_.groups;
    }

    std::string group_name(int g, int count, const Department& dept) const {
        std::string name = town_ + " " + std::string(dept.name);
        if (count > static_cast<int>(k_departments.size()))
            name += " " + std::to_string(g / static_cast<int>(k_departments.size()) + 1);
        return name;
    }

    void tail(bool talkgroup) {
        out_.field(rng_.percent(80) ? std::string_view("2") : rng_.pick(k_delays));
        if (rng_.percent(85))
            out_.field("0");
        else
            out_.field(static_cast<long long>(rng_.below(7)) - 3);
        if (rng_.percent(95))
            out_.field("Off");
        else
            out_.field(1 + static_cast<long long>(rng_.below(9)));
        if (rng_.percent(90))
            out_.field("Auto");
        else
            out_.field(1 + static_cast<long long>(rng_.below(15)));
        out_.raw(talkgroup ? "\tOff\tOn\tOff\tOff\t" : "\tOff\tOn\tOff\tOff");
        out_.end();
    }

    int service(const Department& dept) {
        if (rng_.percent(1)) return 208 + static_cast<int>(rng_.below(10));
        return dept.services[rng_.below(3)];
    }

    void tag(const Department& dept, long long k) {
        std::string t = std::string(dept.name) + " " + std::string(rng_.pick(k_functions)) + " " +
                        std::to_string(k);
        out_.field(t);
    }

    void channel(const Department& dept, long long k) {
        out_.begin("C-Freq\t\t");
        tag(dept, k);
        out_.field(avoid(3));
        std::uint32_t band = rng_.below(100);
        long long hz;
        bool air = false, low = false;
        if (band < 45) {
            hz = 150800000 + 2500LL * rng_.below(9280);
        } else if (band < 80) {
            hz = 450000000 + 6250LL * rng_.below(3200);
        } else if (band < 90) {
            hz = 851012500 + 12500LL * rng_.below(799);
        } else if (band < 95) {
            hz = 33000000 + 20000LL * rng_.below(676);
            low = true;
        } else {
            hz = 118000000 + 25000LL * rng_.below(760);
            air = true;
        }
        out_.field(hz);
        std::uint32_t m = rng_.below(100);
        out_.field(air ? "AM" : low ? "FM" : m < 70 ? "NFM" : m < 85 ? "FM" : "AUTO");
        std::uint32_t t = air ? 99 : rng_.below(100);
        if (t < 40) {
            out_.field("TONE=C");
            out_.raw(rng_.pick(k_ctcss));
        } else if (t < 60) {
            out_.field("TONE=D");
            out_.raw(rng_.pick(k_dcs));
        } else if (t < 68) {
            out_.field("NAC=");
            out_.raw(hex_upper(1 + rng_.below(0xFFE)));
        } else if (t < 72) {
            out_.field("TONE=Srch");
        } else if (t < 74) {
            out_.field("NAC=Srch");
        } else if (t < 76) {
            out_.field("ColorCode=");
            out_.number(1 + rng_.below(15));
        } else if (t < 77) {
            out_.field("ColorCode=Srch");
        } else {
            out_.field("");
        }
        out_.field(air ? 15 : service(dept));
        out_.field(avoid(5));
        tail(false);
        ++c_.channels;
    }

    void talkgroup(int type, const Department& dept, long long k, long long base) {
        out_.begin("TGID\t\t");
        tag(dept, k);
        out_.field(avoid(3));
        std::string_view audio = "ALL";
        switch (type) {
            case 0:  // Motorola: decimal, on the 16-step grid of type II
                out_.field(16 * (1 + (base / 16 + k) % 4062));
                if (rng_.percent(10)) audio = rng_.percent(50) ? "ANALOG" : "DIGITAL";
                break;
            case 1:  // EDACS: agency-fleet/subfleet
                out_.field(two_digits(static_cast<int>(base % 16)) + "-" +
                           std::to_string(100 + (base / 16 + k) % 900).substr(0, 3));
                if (rng_.percent(10)) audio = "ANALOG";
                break;
            case 3: {  // LTR: area-home repeater-ID
                std::string id = std::to_string(1000 + (base + k) % 254 + 1).substr(1);
                out_.field(std::to_string(base % 2) + "-" +
                           two_digits(1 + static_cast<int>((base / 2 + k / 254) % 20)) + "-" + id);
                break;
            }
            default:
                out_.field(1 + (base + k) % 65000);
                if (type >= 4 && rng_.percent(15)) audio = "DIGITAL";
                break;
        }
        out_.field(audio);
        out_.field(service(dept));
        tail(true);
        ++c_.talkgroups;
    }

    void conventional(const SystemPlan& p, long long& group_ordinal) {
        int id = node();
        out_.begin("Conventional\tCountyId=");
        out_.number(id);
        out_.field("StateId=0");
        out_.field(town_ + (rng_.percent(50) ? " County" : " City"));
        out_.field(avoid(2));
        out_.field(date());
        out_.field("Conventional");
        out_.end();
        area_lines("AgencyId=", id);
        for (int g = 0; g < p.groups; ++g) {
            const Department& dept = k_departments[static_cast<size_t>(g) % k_departments.size()];
            group_line(true, id, group_name(g, p.groups, dept));
            long long rows = rows_for_group(group_ordinal++);
            for (long long k = 1; k <= rows; ++k) channel(dept, k);
        }
        ++c_.systems;
        ++c_.conventional_systems;
    }

    long long site_frequency(int type, bool custom, int plan, int site_index) {
        if (custom) {
            const Plan& b = k_plans[static_cast<size_t>(plan)];
            return b.lower + b.step * rng_.below(static_cast<std::uint32_t>(
                                          (b.upper - b.lower) / b.step + 1));
        }
        switch (type) {
            case 0:  // the third Motorola site is a splinter site, on the 866-869 MHz channels
                return site_index == 2 ? 866000000 + 12500LL * rng_.below(240)
                                       : 851012500 + 12500LL * rng_.below(800);
            case 1:
                return 851012500 + 12500LL * rng_.below(1440);
            case 2:
            case 3:
            case 7:
            case 8:
                return 450000000 + 12500LL * rng_.below(1600);
            case 4:
                return 769006250 + 6250LL * rng_.below(960);
            case 5:
                return 150800000 + 2500LL * rng_.below(9280);
            case 6:
                return 770006250 + 6250LL * rng_.below(800);
            default:
                return 460000000 + 6250LL * rng_.below(1600);
        }
    }

    void trunked(const SystemPlan& p, long long& group_ordinal) {
        const int type = p.trunk;
        const int id = node();
        node();  // the unit-ID holder the reader adds beneath every trunked system
        out_.begin("Trunk\t\t");
        out_.field(town_ + " " + std::string(k_trunk_labels[static_cast<size_t>(type)]));
        out_.field(avoid(2));
        out_.field(date());
        out_.field(k_trunk_words[static_cast<size_t>(type)]);
        out_.raw("\tOff\tOff\tAuto\tIgnore\t");
        bool p25 = type == 4 || type == 5 || type == 6;
        if (p25 && rng_.percent(30))
            out_.raw(hex_upper(1 + rng_.below(0xFFE)));
        else
            out_.raw("Srch");
        out_.end();
        area_lines("TrunkId=", id);

        if (p.fleet_map) {
            node();
            out_.begin("FleetMap\tTrunkId=");
            out_.number(id);
            // Block size codes 0..14; the last block always non-zero so the map is never the
            // default one.
            for (int b = 0; b < 8; ++b) {
                unsigned code =
                    b == 7 ? 1 + rng_.below(14) : (rng_.percent(50) ? 0 : rng_.below(15));
                out_.field(hex_upper(code));
            }
            out_.end();
            ++c_.fleet_maps;
        }
        long long unit_base = 1000 + rng_.below(60000);
        for (int u = 1; u <= p.unit_ids; ++u) {
            node();
            out_.begin("UnitIds\t\t");
            out_.field(town_ + " Unit " + std::to_string(u));
            out_.field(std::min(65000LL, unit_base + u));
            if (rng_.percent(90)) {
                out_.raw("\tOff\tAuto");
            } else {
                out_.field(1 + static_cast<long long>(rng_.below(9)));
                out_.field(1 + static_cast<long long>(rng_.below(15)));
            }
            out_.end();
            ++c_.unit_ids;
        }
        for (size_t s = 0; s < p.sites.size(); ++s) {
            const SitePlan& site = p.sites[s];
            int pos = node();
            out_.begin("Site\tSiteId=");
            out_.number(pos);
            out_.raw("\tTrunkId=");
            out_.number(id);
            out_.field(town_ + " " + std::string(k_site_names[s % k_site_names.size()]));
            out_.field(avoid(2));
            out_.field(micro_degrees(near(center_lat_, 300000)));
            out_.field(micro_degrees(near(center_lon_, 300000)));
            out_.field(tenths(50 + rng_.below(550)));
            std::uint32_t m = rng_.below(10);
            out_.field(m < 8 ? "AUTO" : m < 9 ? "NFM" : "FM");
            bool sprinter = type == 0 && s == 2;
            out_.field(site.custom ? "Custom" : sprinter ? "Sprinter" : "Standard");
            out_.field(type == 1 && rng_.percent(40) ? "Narrow" : "Wide");
            out_.field("Circle");
            out_.field(rng_.percent(5) ? "On" : "Off");
            out_.end();
            ++c_.sites;

            int plan = static_cast<int>(rng_.below(static_cast<std::uint32_t>(k_plans.size())));
            if (site.custom) {
                node();
                const Plan& b = k_plans[static_cast<size_t>(plan)];
                out_.begin("BandPlan_Mot\tSiteId=");
                out_.number(pos);
                out_.field(b.lower);
                out_.field(b.upper);
                out_.field(b.step);
                out_.field(b.offset);
                // The reader keeps four rows, so rows five and six come back empty, as zeros.
                out_.raw(
                    "\t0\t0\t25000\t0\t0\t0\t25000\t0\t0\t0\t25000\t0\t0\t0\t0\t0\t0\t0\t0\t0");
                out_.end();
                ++c_.bandplans;
            }
            bool dmr = type == 7 || type == 8;
            int color = 1 + static_cast<int>(rng_.below(15));
            for (int f = 1; f <= site.freqs; ++f) {
                node();
                out_.begin("T-Freq\tTFreqId=0\tSiteId=");
                out_.number(pos);
                out_.raw("\t\tOff");
                out_.field(site_frequency(type, site.custom, plan, static_cast<int>(s)));
                out_.field(f);
                if (dmr)
                    out_.field(color);
                else
                    out_.field("Srch");
                out_.end();
                ++c_.site_frequencies;
            }
        }
        for (int g = 0; g < p.groups; ++g) {
            const Department& dept = k_departments[static_cast<size_t>(g) % k_departments.size()];
            group_line(false, id, group_name(g, p.groups, dept));
            long long rows = rows_for_group(group_ordinal++);
            long long base = 100 + static_cast<long long>(rng_.below(40000));
            for (long long k = 1; k <= rows; ++k) talkgroup(type, dept, k, base);
        }
        ++c_.systems;
        ++c_.trunked_systems;
        ++c_.trunked_by_type[static_cast<size_t>(type)];
    }

    const Options& o_;
    Sink& out_;
    Rng rng_;
    Counts c_;
    int nodes_ = 0;
    std::string town_;
    long long center_lat_ = 0;
    long long center_lon_ = 0;
};

}  // namespace tarvex::hpdgen::detail
