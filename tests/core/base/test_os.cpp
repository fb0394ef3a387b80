#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "core/base/os.h"
#include "support/test_support.h"

namespace tarvex {
namespace {

TEST(Os, ProcessAliveFollowsAChildFromStartToReaped) {
    EXPECT_TRUE(base::process_alive(base::current_process_id()));
    EXPECT_FALSE(base::process_alive(0));
    EXPECT_FALSE(base::process_alive(-1));
    pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    EXPECT_TRUE(base::process_alive(child));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_FALSE(base::process_alive(child));
}

TEST(Os, OpenFileKeepsNonAsciiNamesAndHidesTheDescriptorFromChildren) {
    test::TempDir dir;
    const auto path = dir.path() / std::filesystem::u8path("Fr\xc3\xa9quences \xe2\x84\x96 1.hpd");
    std::FILE* f = base::open_file(path, "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_NE(::fcntl(::fileno(f), F_GETFD) & FD_CLOEXEC, 0);
    std::fputs("abc", f);
    EXPECT_TRUE(base::sync_file(f));
    std::fclose(f);
    EXPECT_EQ(test::read_file(path), "abc");
    EXPECT_EQ(base::open_file(dir.path() / "missing" / "x", "rb"), nullptr);
}

TEST(Os, AppendDescriptorAddsToTheEndAcrossOpens) {
    test::TempDir dir;
    const auto path = dir.path() / "g.txt";
    for (const char* part : {"one\n", "two\n"}) {
        int fd = base::open_append(path);
        ASSERT_GE(fd, 0);
        EXPECT_TRUE(base::write_all(fd, part, std::strlen(part)));
        EXPECT_TRUE(base::close_descriptor(fd));
    }
    EXPECT_EQ(test::read_file(path), "one\ntwo\n");
    EXPECT_LT(base::open_append(dir.path() / "no" / "such"), 0);
}

TEST(Os, LocalTimeMatchesTheCLibraryInTheCurrentZone) {
    const std::time_t t = 1780000000;  // a fixed moment, compared field by field
    std::tm expected{};
    localtime_r(&t, &expected);
    std::tm got = base::local_time(t);
    EXPECT_EQ(std::mktime(&got), t);
    EXPECT_EQ(got.tm_hour, expected.tm_hour);
    EXPECT_EQ(got.tm_mday, expected.tm_mday);
}

}  // namespace
}  // namespace tarvex
