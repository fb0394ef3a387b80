#include <gtest/gtest.h>

#include <cstdlib>

#include "core/settings/folders.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

TEST(ScratchFolder, RunTempGoesToTheScratchFolderWhenThePlatformHasOne) {
    TempDir dir;
    PlatformFolders platform{dir / "Documents", dir / "AppData", dir / "ProgramData", {}, {}};
    DataFolders on_disk = fix_data_folders(platform, 100);
    EXPECT_EQ(on_disk.run_temp.parent_path(), dir / "AppData" / "norvane" / "TARVEX" / "temp");

    platform.scratch = dir / "ram";
    DataFolders in_ram = fix_data_folders(platform, 100);
    EXPECT_EQ(in_ram.run_temp, dir / "ram" / "norvane" / "TARVEX" / "temp" / "temp100");
    EXPECT_TRUE(std::filesystem::is_directory(in_ram.run_temp));
    EXPECT_EQ(in_ram.data, on_disk.data) << "only the scratch files move";
}

#if defined(__linux__)
TEST(ScratchFolder, PrefersTheUsersRuntimeFolder) {
    TempDir dir;
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    std::string saved = old ? old : "";
    ::setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
    EXPECT_EQ(ram_scratch_folder(), dir.path());
    ::setenv("XDG_RUNTIME_DIR", (dir / "missing").c_str(), 1);
    EXPECT_NE(ram_scratch_folder(), dir / "missing");
    if (old)
        ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}
#endif
