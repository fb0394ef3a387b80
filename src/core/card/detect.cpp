#include "core/card/detect.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/base/line_reader.h"
#include "core/base/os.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"
#include "core/card/drive_roots.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {

// Line 3 of a card text file; lines 1 and 2 belong to the scanner and are skipped.
bool third_line(const fs::path& file, std::string& line) {
    LineReader in(file);
    if (!in.is_open()) return false;
    for (int i = 0; i < 3; ++i)
        if (!in.next(line)) return false;
    line = strip_line_ends(line);
    return true;
}

std::string field(std::string_view line, size_t n) {
    auto parts = split_view(line, '\t');
    return n < parts.size() ? trim(parts[n]) : std::string();
}

std::string probe_line(const fs::path& tried, int err, std::string_view text) {
    return tried.string() + " / " + std::to_string(err) + " / " + std::string(text);
}

void read_database_date(ScannerInfo& info) {
    auto hpdb = find_child_ci(info.base, "HPDB");
    if (!hpdb) return;
    auto config = find_child_ci(*hpdb, "HPDB.config");
    std::string line;
    if (!config || !third_line(*config, line)) return;
    if (contains(line, "DateModified")) info.database_date = field(line, 1);
}

void append_version_txt(const fs::path& folder, const std::string& text) {
    std::FILE* f = base::open_file(folder / "version.txt", "ab");
    if (!f) return;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fwrite("\r\n", 1, 2, f);
    std::fclose(f);
}

}  // namespace

bool read_scanner_info(const fs::path& root, ScannerInfo& info, std::string& probe) {
    fs::path tried = root / "HomePatrol" / "HomePatrol.info";
    auto base = find_child_ci(root, "HomePatrol");
    std::optional<fs::path> file;
    if (base) {
        tried = *base / "HomePatrol.info";
        file = find_child_ci(*base, "HomePatrol.info");
    }
    if (!file) {
        probe = probe_line(tried, ENOENT, std::strerror(ENOENT));
        return false;
    }
    std::FILE* f = base::open_file(*file, "rb");
    if (!f) {
        int err = errno;
        probe = probe_line(*file, err, std::strerror(err));
        return false;
    }
    std::fclose(f);
    std::string line;
    if (!third_line(*file, line) || line.empty() || !contains(line, "HomePatrol")) {
        probe = probe_line(*file, 0, "no identity line");
        return false;
    }
    probe = probe_line(*file, 0, "found");
    info = ScannerInfo{};
    info.root = root;
    info.base = *base;
    info.hpinfo = line;
    info.serial = field(line, 2);
    info.firmware = field(line, 3);
    info.hp2 = contains(line, "HomePatrol-2");
    info.file_format = (starts_with(info.firmware, "2.") || info.hp2) ? 2 : 1;
    return true;
}

std::string detected_status(const ScannerInfo& info) {
    return "HP-1/2 detected at drive " + info.root.string() + " DBase=" + info.database_date +
           " Firmware=" + info.firmware + " Serial=" + info.serial +
           " FileFormat:" + std::to_string(info.file_format);
}

Detection detect_hp1(DriveRoots& roots, const fs::path& working_folder, Settings* settings) {
    Detection d;
    std::vector<ScannerInfo> scanners;
    std::vector<std::string> versions;
    for (const auto& root : roots.roots()) {
        ScannerInfo info;
        std::string line;
        if (read_scanner_info(root, info, line)) {
            versions.push_back("hpfversie: " + std::to_string(info.file_format));
            d.found.push_back(root);
            scanners.push_back(std::move(info));
        }
        d.probe_lines.push_back(std::move(line));
    }
    if (scanners.empty()) {
        d.decision = CardDecision::NotFound;
        d.status = std::string(k_not_found_status);
    } else {
        // With several cards attached, the first that this program can work with is used.
        const ScannerInfo* chosen = &scanners.front();
        for (const auto& s : scanners)
            if (s.file_format == 2) {
                chosen = &s;
                break;
            }
        d.info = *chosen;
        read_database_date(d.info);
        d.status = detected_status(d.info);
        d.decision =
            d.info.file_format == 2 ? CardDecision::Accepted : CardDecision::FirmwareTooOld;
        if (settings) {
            settings->SaveSetting("general", "firmware", d.info.firmware);
            settings->SaveSetting("general", "serienum", d.info.serial);
            settings->SaveSetting("general", "hpinfo", d.info.hpinfo);
            settings->SaveSetting("general", "hpdbase", d.info.database_date);
        }
    }
    if (!working_folder.empty()) {
        SafeFileWriter test(working_folder / "drivetest.txt");
        test.write_line_crlf(roots.drive_list());
        for (const auto& l : d.probe_lines) test.write_line_crlf(l);
        test.commit();
        for (const auto& v : versions) append_version_txt(working_folder, v);
        append_version_txt(working_folder, d.status);
    }
    return d;
}

}  // namespace tarvex
