#pragma once
// What every database command of tarvex-cli needs: a store, a private run temp folder for the
// group channel files (removed when the command ends) and a prompter that prints to stderr.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/prompter.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"

namespace tarvex::cli {

class Workspace {
  public:
    Workspace();
    ~Workspace();
    StreamPrompter prompter{stderr};
    std::unique_ptr<GroupFiles> files;
    std::unique_ptr<SystemStore> store;

  private:
    std::filesystem::path folder_;
};

// Options shared by the reading commands.
struct ReadOptions {
    uint16_t flags = 0;
    std::vector<std::string> files;
};

// Takes --conventional-only / --trunked-only out of args; false (with a message) on a clash.
bool take_read_flags(std::vector<std::string>& args, ReadOptions& out);
// Reads every file in order into the workspace; false (with a message naming the file) when a
// file is missing or unreadable.
bool read_all(Workspace& ws, const ReadOptions& options);
bool wants_help(const std::vector<std::string>& args);

}  // namespace tarvex::cli
