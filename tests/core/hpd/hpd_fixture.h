#pragma once
// A store, its group files and a prompter in a temporary folder, with helpers to read HPD text.
#include <string>
#include <vector>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

namespace tarvex::test {

struct Db {
    TempDir dir;
    RecordingPrompter prompter;
    GroupFiles files{dir / "run"};
    SystemStore store{prompter};

    // Tab-separated lines joined with CR LF into a file, then read.
    ReadStats read_text(const std::vector<std::string>& lines, uint16_t flags = 0,
                        const std::string& name = "in.hpd") {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        write_file(dir / name, bytes);
        return read_hpd(dir / name, store, files, flags, 0, no_progress());
    }
    std::string text(const std::string& key) const { return store.get_node_text(key); }
    std::vector<std::string> rows(int system, int group) const {
        return files.read_lines(system, group);
    }
    std::vector<std::string> written(int system = 0) { return hpd_lines(store, files, system); }
};

// "a|b|c" with "|" standing for a tab keeps the file lines readable in tests.
inline std::string tabs(std::string_view s) {
    return replace_all(s, "|", "\t");
}

}  // namespace tarvex::test
