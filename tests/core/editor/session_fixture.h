#pragma once
// An editing session in a temporary folder with a scripted prompter and file chooser, and the
// bundled sample database at hand.
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/prompter.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

namespace tarvex::test {

inline DataFolders folders_in(const TempDir& dir) {
    DataFolders f;
    f.data = dir / "data";
    f.run_temp = dir / "run";
    f.master_database = dir / "master";
    std::filesystem::create_directories(f.data);
    return f;
}

struct SessionFixture {
    TempDir dir;
    RecordingPrompter prompter{Answer::No};
    EditingSession session{prompter, folders_in(dir)};
    ScriptedFileChooser chooser;

    SystemStore& store() { return session.store(); }
    static std::filesystem::path sample() { return resources_dir() / "sample" / "sample.hpd"; }
    // A copy of the sample under another name, so saving never touches the bundled file.
    std::string sample_copy(const std::string& name = "sample.hpd") {
        auto p = dir / name;
        std::filesystem::copy_file(sample(), p, std::filesystem::copy_options::overwrite_existing);
        return p.string();
    }
    std::vector<std::string> system_keys() {
        std::vector<std::string> out;
        for (const auto& k : store().child_keys(""))
            if (k.rfind("SYS-", 0) == 0) out.push_back(k);
        return out;
    }
    std::vector<std::string> children(const std::string& key, std::string_view prefix) {
        std::vector<std::string> out;
        for (const auto& k : store().child_keys(key))
            if (k.rfind(prefix, 0) == 0) out.push_back(k);
        return out;
    }
};

}  // namespace tarvex::test
