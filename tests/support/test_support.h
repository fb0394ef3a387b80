#pragma once
// Helpers shared by the core test programs.
#include <filesystem>
#include <string>
#include <vector>

namespace tarvex::test {

// A fresh temporary folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& p);
void write_file(const std::filesystem::path& p, const std::string& bytes);
std::vector<std::string> read_lines(const std::filesystem::path& p);  // without line ends

// The folder of real scanner files, or an empty path when it is not there (tests then skip).
std::filesystem::path samples_dir();
std::filesystem::path resources_dir();

// Sweeps over the whole real master database or over a thousand random cases take every n-th
// case in the sanitizer build (which runs the code many times slower); the default build takes
// every case.
int sweep_stride();

}  // namespace tarvex::test

namespace tarvex::test {
// Empty when equal, else "line N: <a> | <b>" of the first difference (keeps failures short).
std::string first_difference(const std::string& a, const std::string& b);
}  // namespace tarvex::test
