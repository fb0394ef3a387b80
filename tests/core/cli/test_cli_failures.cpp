// tarvex-cli when the input or the machine is not what it should be: a full scratch disk, a
// line too long, a full store, things that are not files. Each must end with exit 1, one clear
// message, and no output file.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "core/base/text.h"
#include "core/cli/cli_run.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

// `prefix` goes before the program ("TMPDIR=... ", "ulimit -f 64; ").
CliRun cli(const std::string& prefix, const std::string& args, const TempDir& dir) {
    return tarvex::test::cli(args, dir, prefix);
}

const std::string k_header = "TargetModel\tHomePatrol-1\r\nFormatVersion\t2.00\r\n";

// A conventional system with `channels` channels in one group: about 100 bytes a channel.
std::string many_channels(int channels) {
    std::string s = k_header + "Conventional\t\t\tCounty\tOff\t\tConventional\r\n" +
                    "C-Group\t\t\tFire\tOff\t0\t0\t0\tCircle\r\n";
    for (int i = 0; i < channels; ++i)
        s += "C-Freq\t\t\tChannel " + std::to_string(i) + "\tOff\t" +
             std::to_string(150000000 + i * 125) +
             "\tNFM\t\t3\tOff\t2\t0\tOff\tAuto\tOff\tOff\tOff\tOff\r\n";
    return s;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Every reading command must refuse the same way.
const char* const k_readers[] = {"convert -o OUT", "dump", "check", "info"};

std::string command(const char* reader, const TempDir& dir) {
    return replace_all(reader, "OUT", (dir / "out.hpd").string());
}

}  // namespace

TEST(CliFailures, AScratchFileLimitStopsEveryReaderWithoutOutput) {
    // An injected write failure: the shell's file-size limit makes the group file appends fail
    // (EFBIG) long before the 3 MB of channels are written.
    TempDir dir;
    write_file(dir / "big.hpd", many_channels(30000));
    for (const char* reader : k_readers) {
        CliRun r = cli("trap \"\" XFSZ; ulimit -f 256; ",
                       command(reader, dir) + " " + (dir / "big.hpd").string(), dir);
        EXPECT_EQ(r.code, 1) << reader << ": " << r.err;
        EXPECT_NE(r.err.find("big.hpd:"), std::string::npos) << reader << ": " << r.err;
        EXPECT_NE(r.err.find("could not be written"), std::string::npos) << reader << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.hpd")) << reader;
    }
}

TEST(CliFailures, ARealFullDiskStopsConvertAndMasterDatabaseImport) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    TempDir dir;
    const auto mount_point = dir / "small";
    std::filesystem::create_directories(mount_point);
    if (::mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=384k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        std::filesystem::path p;
        ~Unmount() { ::umount2(p.c_str(), MNT_DETACH); }
    } unmount{mount_point};

    write_file(dir / "big.hpd", many_channels(30000));
    const std::string tmp = "TMPDIR=" + mount_point.string() + " ";
    CliRun r = cli(tmp, command(k_readers[0], dir) + " " + (dir / "big.hpd").string(), dir);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.err.find("could not be written"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.hpd"));

    // The master database import reads the same way, through its own "import.hpd".
    const auto db = dir / "db";
    std::filesystem::create_directories(db);
    write_file(db / "HPDB.config",
               k_header + "StateInfo\tStateId=47\tCountryId=1\tTennessee\tTN\r\n");
    // import.hpd (about 270 kB) fits; the group files written from it then do not.
    write_file(db / "s_000047.hpd", many_channels(3500));
    CliRun m =
        cli(tmp, "masterdb import " + db.string() + " 47 1 -o " + (dir / "out.hpd").string(), dir);
    EXPECT_EQ(m.code, 1) << m.err;
    EXPECT_NE(m.err.find("could not be written"), std::string::npos) << m.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.hpd"));

    // Nothing is left behind on the full disk either.
    EXPECT_TRUE(std::filesystem::is_empty(mount_point));
}

TEST(CliFailures, ALineOverOneMebibyteIsNamedNotCut) {
    TempDir dir;
    std::string s = many_channels(2);
    s += "C-Freq\t\t\t" + std::string(2 << 20, 'N') + "\tOff\t155000000\tNFM\t\t3\r\n";
    write_file(dir / "long.hpd", s);
    for (const char* reader : k_readers) {
        CliRun r = cli("", command(reader, dir) + " " + (dir / "long.hpd").string(), dir);
        EXPECT_EQ(r.code, 1) << reader;
        EXPECT_NE(r.err.find("long.hpd:7: line longer than 1 MiB"), std::string::npos)
            << reader << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.hpd")) << reader;
    }
}

TEST(CliFailures, AFullStoreIsToldOnceWithTheLineAndFails) {
    TempDir dir;
    std::string s = k_header;
    for (int i = 0; i < 1005; ++i)
        s += "Conventional\t\t\tS" + std::to_string(i) + "\tOff\t\tConventional\r\n";
    write_file(dir / "many.hpd", s);
    CliRun r = cli("", command(k_readers[0], dir) + " " + (dir / "many.hpd").string(), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(count(r.err, "Out of storage space"), 1u) << r.err;
    EXPECT_NE(r.err.find("many.hpd:1002:"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.hpd"));
}

TEST(CliFailures, ThingsThatAreNotFilesAreNamedForWhatTheyAre) {
    TempDir dir;
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path, says;
    } cases[] = {{dir.path().string(), "is a folder"},
                 {fifo.string(), "is a named pipe (FIFO)"},
                 {"/dev/zero", "is a device"},
                 {(dir / "missing.hpd").string(), "no such file"}};
    for (const auto& c : cases)
        for (const char* reader : k_readers) {
            // A hang here would be the FIFO opened for reading: the test would time out.
            CliRun r = cli("", command(reader, dir) + " " + c.path, dir);
            EXPECT_EQ(r.code, 1) << reader << " " << c.path;
            EXPECT_NE(r.err.find(c.says), std::string::npos) << reader << ": " << r.err;
        }
}
