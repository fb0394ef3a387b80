#include "core/editor/recovery.h"

#include <algorithm>
#include <chrono>
#include <fstream>

#include "core/base/run_folders.h"
#include "core/base/text.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view k_header = "TARVEX-RECOVERY 1";
constexpr std::string_view k_end = "END";

std::string escape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char n = s[++i];
        out += n == 't' ? '\t' : n == 'n' ? '\n' : n == 'r' ? '\r' : n;
    }
    return out;
}

std::vector<std::string> split_tabs(std::string_view line) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        parts.push_back(unescape(line.substr(start, tab - start)));
        if (tab == std::string_view::npos) return parts;
        start = tab + 1;
    }
}

int number(const std::string& s) {
    auto v = parse_integer(s);
    return v && *v >= -1 && *v < 1000000 ? static_cast<int>(*v) : -2;
}

}  // namespace

std::string recovery_text(const SystemStore& store, const RecoveryMeta& meta) {
    std::string out(k_header);
    out += "\nF\t" + escape(meta.file_name) + "\nM\t" + (meta.multi ? "1" : "0") + "\n";
    for (const auto& l : meta.lists) {
        std::string systems;
        for (int s : l.systems) systems += (systems.empty() ? "" : ",") + std::to_string(s);
        out += "L\t" + escape(l.path) + "\t" + escape(l.name) + "\t" + systems + "\n";
    }
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        auto parent = store.parent_of(id);
        out += "N\t" +
               (parent == SystemStore::npos ? std::string() : escape(store.key_of(parent))) + "\t" +
               escape(store.key_of(id)) + "\t" + escape(store.text_of(id)) + "\n";
    }
    for (int s = 0; s <= k_max_systems; ++s) {
        for (int slot = 0; slot < k_system_slots; ++slot) {
            const std::string& v = store.system_slot(s, slot);
            if (!v.empty())
                out += "S\t" + std::to_string(s) + "\t" + std::to_string(slot) + "\t" + escape(v) +
                       "\n";
        }
        if (int c = store.change_counter(s); c > 0)
            out += "C\t" + std::to_string(s) + "\t" + std::to_string(c) + "\n";
    }
    store.for_each_group_slot([&](int s, int g, int slot, const std::string& v) {
        out += "G\t" + std::to_string(s) + "\t" + std::to_string(g) + "\t" + std::to_string(slot) +
               "\t" + escape(v) + "\n";
    });
    out += std::string(k_end) + "\n";
    return out;
}

bool read_recovery(const fs::path& file, SystemStore& store, RecoveryMeta& meta) {
    auto empty_store = [&] {
        store.clear_tree();
        for (int s = 0; s <= k_max_systems; ++s) store.clear_system_slots(s, 0);
        store.reset_all_change_counters();
    };
    empty_store();
    meta = {};
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != k_header) return false;
    while (std::getline(in, line)) {
        if (line == k_end) return true;
        auto f = split_tabs(line);
        const std::string& kind = f[0];
        bool ok = true;
        if (kind == "F" && f.size() == 2) {
            meta.file_name = f[1];
        } else if (kind == "M" && f.size() == 2) {
            meta.multi = f[1] == "1";
        } else if (kind == "L" && f.size() == 4) {
            HpdFileEntry e{f[1], f[2], {}};
            for (const auto& s : split(f[3], ','))
                if (int n = number(s); n > 0) e.systems.push_back(n);
            meta.lists.push_back(std::move(e));
        } else if (kind == "N" && f.size() == 4) {
            ok = store.add_node(f[1], f[2], f[3]);
        } else if (kind == "S" && f.size() == 4) {
            store.system_slot(number(f[1]), number(f[2])) = f[3];
        } else if (kind == "C" && f.size() == 3) {
            for (int i = number(f[2]); i > 0; --i) store.mark_changed(number(f[1]));
        } else if (kind == "G" && f.size() == 5) {
            store.group_slot(number(f[1]), number(f[2]), number(f[3])) = f[4];
        } else {
            ok = false;
        }
        if (!ok) break;
    }
    // Damaged or cut off: nothing half is taken over.
    empty_store();
    meta = {};
    return false;
}

std::string recovery_question(std::time_t when) {
    return "Recover unsaved changes from " + local_time_text(when) + "?";
}

std::vector<RecoverableRun> recoverable_runs(const fs::path& parent) {
    std::vector<RecoverableRun> out;
    for (const auto& folder : left_over_runs(parent, "temp")) {
        std::error_code ec;
        fs::path snap = folder / std::string(k_recovery_file);
        auto written = fs::last_write_time(snap, ec);
        if (ec) continue;
        auto system_time = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
            written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
        out.push_back({folder, std::chrono::system_clock::to_time_t(system_time)});
    }
    std::sort(out.begin(), out.end(),
              [](const RecoverableRun& a, const RecoverableRun& b) { return a.when > b.when; });
    return out;
}

}  // namespace tarvex
