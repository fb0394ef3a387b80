// tarvex-cli killed or stopped in the middle of its work: the file it was replacing stays whole,
// and what the dead run left behind (its scratch folder, its half-written ".part" file) is
// swept by the next run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;
namespace fs = std::filesystem;

extern char** environ;

namespace {

// A database big enough that writing it takes a while: the sample read many times over.
std::vector<std::string> convert_args(const fs::path& out) {
    std::vector<std::string> args{TARVEX_CLI_PATH, "convert", "-o", out.string()};
    for (int i = 0; i < 190; ++i)
        args.push_back((resources_dir() / "sample" / "sample.hpd").string());
    return args;
}

pid_t spawn(const std::vector<std::string>& args, const fs::path& tmpdir) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> env_text{"TMPDIR=" + tmpdir.string()};
    std::vector<char*> env{env_text[0].data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int wait_for(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

fs::path part_of(const fs::path& target, pid_t pid) {
    fs::path p = target;
    p += ".tarvex-" + std::to_string(pid) + ".part";
    return p;
}

int count_named(const fs::path& folder, std::string_view piece) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find(piece) != std::string::npos) ++n;
    return n;
}

}  // namespace

TEST(InterruptedRuns, AKillDuringSaveLeavesThePreviousFileWholeEveryTime) {
    TempDir dir;
    fs::path scratch = dir / "scratch";
    fs::create_directories(scratch);
    const fs::path out = dir / "out.hpd";
    const std::string previous = "FormatVersion\t2.03\r\nthe previous file, whole\r\n";

    // One run to the end gives the new file's bytes.
    ASSERT_TRUE(WIFEXITED(wait_for(spawn(convert_args(dir / "full.hpd"), scratch))));
    const std::string complete = read_file(dir / "full.hpd");
    ASSERT_GT(complete.size(), 1000000u);

    std::mt19937 random(20261206);
    int killed_while_writing = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        write_file(out, previous);
        pid_t pid = spawn(convert_args(out), scratch);
        ASSERT_GT(pid, 0);
        // Wait until the writer has started its temporary file, then kill it at a random
        // moment of the write.
        const fs::path part = part_of(out, pid);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(part) && std::chrono::steady_clock::now() < deadline &&
               ::waitpid(pid, nullptr, WNOHANG) == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        if (fs::exists(part)) ++killed_while_writing;
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        ::kill(pid, SIGKILL);
        wait_for(pid);
        const std::string now = read_file(out);
        EXPECT_TRUE(now == previous || now == complete)
            << "attempt " << attempt << ": a file of " << now.size() << " bytes";
    }
    EXPECT_GE(killed_while_writing, 10) << "the kills should land while the file is written";

    // The next write in that folder sweeps the dead runs' half files, and the next command
    // their scratch folders.
    ASSERT_GT(count_named(dir.path(), ".part") + count_named(scratch, "tarvex-cli-"), 0);
    ASSERT_TRUE(WIFEXITED(wait_for(spawn(convert_args(out), scratch))));
    EXPECT_EQ(read_file(out), complete);
    EXPECT_EQ(count_named(dir.path(), ".part"), 0);
    EXPECT_EQ(count_named(scratch, "tarvex-cli-"), 0);
}

TEST(InterruptedRuns, TerminateAndInterruptRemoveTheScratchFolderLikeANormalEnd) {
    for (int sig : {SIGTERM, SIGINT}) {
        TempDir dir;
        fs::path scratch = dir / "scratch";
        fs::create_directories(scratch);
        pid_t pid = spawn(convert_args(dir / "out.hpd"), scratch);
        ASSERT_GT(pid, 0);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (count_named(scratch, "tarvex-cli-") == 0 &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ::kill(pid, sig);
        int status = wait_for(pid);
        // The run ends by itself (the signal's 128 + n, or 0 when it had just finished; 1 when
        // the interrupted write was reported first), never killed with its folder left.
        ASSERT_TRUE(WIFEXITED(status)) << "signal " << sig;
        const int code = WEXITSTATUS(status);
        EXPECT_TRUE(code == 128 + sig || code == 0 || code == 1) << "exit " << code;
        EXPECT_EQ(count_named(scratch, "tarvex-cli-"), 0) << "signal " << sig;
        EXPECT_EQ(count_named(dir.path(), ".part"), 0) << "signal " << sig;
    }
}
