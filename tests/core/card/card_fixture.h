#pragma once
// A memory card laid out in a temporary folder: drive root, "HomePatrol" folder, identity and
// database files, favorites configuration and list files.
#include <string>
#include <vector>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/card/card_paths.h"
#include "core/card/drive_roots.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

namespace tarvex::test {

namespace fs = std::filesystem;

inline std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

struct Card {
    TempDir dir;
    fs::path root = dir / "drive";
    fs::path base = root / "HomePatrol";
    fs::path favorites = base / "favorites_lists";

    Card() { fs::create_directories(favorites); }

    // Identity line 3 of HomePatrol.info, e.g. "HomePatrol-1\tUS\t12345\t2.04.11".
    void identity(const std::string& line) {
        write_file(base / "HomePatrol.info", crlf({"Uniden", "HomePatrol info", line}));
    }
    void database(const std::string& date) {
        fs::create_directories(base / "HPDB");
        write_file(
            base / "HPDB" / "HPDB.config",
            crlf({"TargetModel\tHomePatrol-1", "FormatVersion\t2.04", "DateModified\t" + date}));
    }
    // "F-List" lines given as "name|file|location|monitor" ("|" for tabs).
    void config(const std::vector<std::string>& lists, const std::string& version = "2.00") {
        std::vector<std::string> lines{"TargetModel HomePatrol-1", "FormatVersion   " + version};
        for (auto l : lists) {
            for (auto& c : l)
                if (c == '|') c = '\t';
            lines.push_back("F-List\t" + l);
        }
        write_file(favorites / "favorites_lists.config", crlf(lines));
    }
    void list_file(int n, const std::string& bytes = "list\r\n") {
        write_file(favorites / list_file_name(n), bytes);
    }
    CardFolders folders() const { return card_folders_from_base(base); }
};

// A store with the systems of an HPD text, ready to upload.
struct Editor {
    TempDir dir;
    RecordingPrompter prompter;
    GroupFiles files{dir / "run"};
    SystemStore store{prompter};

    void read(const fs::path& file) { read_hpd(file, store, files, 0, 0, no_progress()); }
    void read_text(const std::vector<std::string>& lines) {
        write_file(dir / "in.hpd", crlf(lines));
        read(dir / "in.hpd");
    }
    std::vector<std::string> written() { return hpd_lines(store, files, 0); }
};

inline std::vector<std::string> harbor_hpd() {
    return {"TargetModel HomePatrol-1",
            "FormatVersion   2.03",
            "Conventional\tCountyId=1\tStateId=0\tHarbor County\tOff\t03/14/2024 "
            "09:30:00\tConventional",
            "C-Group\tCGroupId=2\tAgencyId=1\tSheriff\tOff\t44.352100\t-68.947300\t18.0\tCircle",
            "C-Freq\t\t\tDispatch\tOff\t155610000\tNFM\tTONE=C136."
            "5\t2\tOff\t2\t0\tOff\tAuto\tOff\tOn\tOff\tOff",
            "C-Freq\t\t\tTac "
            "2\tOff\t154680000\tNFM\tTONE=D244\t7\tOff\t2\t0\tOff\tAuto\tOff\tOn\tOff\tOff"};
}

struct RecordingProgress : Progress {
    std::vector<std::string> statuses;
    void status(std::string_view text) override { statuses.emplace_back(text); }
};

}  // namespace tarvex::test
