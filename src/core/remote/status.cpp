#include "core/remote/status.h"

#include <algorithm>

#include "core/base/text.h"
#include "core/hpd/vocab.h"

namespace tarvex::remote {

std::string clean_status_line(std::string_view reply) {
    std::string s = replace_all(reply, ",", ";");
    replace_all_in_place(s, "\t", ",");
    replace_all_in_place(s, "\"", "'");
    return s;
}

std::string status_field(std::string_view cleaned, int n) {
    std::string line = strip_line_ends(cleaned);
    auto fields = split_view(line, ',');
    if (n < 0 || static_cast<size_t>(n) >= fields.size()) return {};
    return std::string(fields[n]);
}

const std::array<std::string, 241>& tone_code_table() {
    static const std::array<std::string, 241> table = [] {
        std::array<std::string, 241> t;
        auto ctcss = vocab::ctcss_tones();
        for (size_t i = 0; i < ctcss.size() && 64 + i < t.size(); ++i) t[64 + i] = ctcss[i];
        t[127] = "Search";
        auto dcs = vocab::dcs_codes();
        for (size_t i = 0; i < dcs.size() && 128 + i < t.size(); ++i) t[128 + i] = dcs[i];
        t[240] = "None";
        return t;
    }();
    return table;
}

std::string tone_for_code(long long code) {
    if (code < 0 || code > 240) return {};
    return tone_code_table()[static_cast<size_t>(code)];
}

namespace {

void show_line(DisplayLine& line, const std::string& text, std::string_view placeholder) {
    line.text = text.empty() ? std::string(placeholder) : text;
    line.placeholder = text.empty() && !placeholder.empty();
}

}  // namespace

std::string apply_status(DisplayModel& d, std::string_view reply) {
    std::string cleaned = clean_status_line(reply);
    std::string line = strip_line_ends(cleaned);
    auto field = [&](int n) { return status_field(line, n); };

    d.frequency = field(2);
    std::string mode = field(3);
    if (mode == "AM" || mode == "FM" || mode == "NFM") d.mode = mode;
    d.att_on = field(4) == "1";
    d.tone = tone_for_code(lenient_integer(field(5)));
    d.nac = field(6) == "NONE" ? std::string() : field(6);
    long long service = lenient_integer(field(7));
    if (service > 0) d.service = vocab::service_type_name(service);
    std::string system = field(8), department = field(9), channel = field(10);

    // A talkgroup the database does not know arrives without a frequency text; its number is
    // only in the channel line ("TGID : 12345").
    if (d.frequency.empty() && starts_with(department, "Unknown") && starts_with(channel, "TGID :"))
        d.frequency = trim(channel.size() > 6 ? channel.substr(6) : std::string());

    show_line(d.system, system, "");
    show_line(d.department, department, "Department");
    show_line(d.channel, channel, "Channel");
    d.details_shown = !channel.empty();

    d.signal =
        static_cast<int>(std::clamp<long long>(lenient_integer(field(13)), 0, k_signal_bars));
    d.favorites = field(14);
    d.uid = contains(d.frequency, ".") ? std::string() : field(15);
    d.system.avoided = field(16) == "1";
    d.department.avoided = field(17) == "1";
    d.channel.avoided = field(18) == "1";
    d.busy = !d.frequency.empty() || d.busy;
    return cleaned;
}

std::string status_summary(const DisplayModel& d) {
    auto line_text = [](const DisplayLine& l) {
        std::string t = l.value();
        if (l.held) t += " [HOLD]";
        if (l.avoided) t += " [AVOID]";
        return t;
    };
    std::string s =
        line_text(d.system) + " | " + line_text(d.department) + " | " + line_text(d.channel) + " |";
    auto add = [&](std::string_view label, const std::string& value) {
        if (value.empty()) return;
        s += ' ';
        if (!label.empty()) s += std::string(label) + ' ';
        s += value;
    };
    add("", d.frequency);
    add("", d.mode);
    add("tone", d.tone);
    add("NAC", d.nac);
    add("service", d.service);
    add("UID", d.uid);
    add("list", d.favorites);
    add("signal", signal_stars(d.signal));
    if (d.att_on) s += " ATT";
    return s;
}

std::string signal_stars(int level) {
    return std::string(static_cast<size_t>(std::clamp(level, 0, k_signal_bars)), '*');
}

}  // namespace tarvex::remote
