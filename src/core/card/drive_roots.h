#pragma once
// Where the memory card may be: the platform lists the candidate root folders (mounted
// volumes, drive letters D to Z on Windows, folders the user added); tests give temporary
// folders laid out like a card.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarvex {

class DriveRoots {
  public:
    virtual ~DriveRoots() = default;
    // Candidate roots in probing order.
    virtual std::vector<std::filesystem::path> roots() = 0;
    // The machine's drive list as written at the top of "drivetest.txt".
    virtual std::string drive_list() {
        std::string out;
        for (const auto& r : roots()) {
            if (!out.empty()) out += ' ';
            out += r.string();
        }
        return out;
    }
};

class FixedDriveRoots : public DriveRoots {
  public:
    explicit FixedDriveRoots(std::vector<std::filesystem::path> roots) : roots_(std::move(roots)) {}
    std::vector<std::filesystem::path> roots() override { return roots_; }

  private:
    std::vector<std::filesystem::path> roots_;
};

}  // namespace tarvex
