// Crash recovery as a user meets it: the editor dies with unsaved changes (kill -9) and the next
// start offers them back, whole; what a saved session or a clean exit leaves is nothing.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <random>

#include "core/base/run_folders.h"
#include "core/base/text.h"
#include "core/settings/settings.h"
#include "session_fixture.h"

using namespace tarvex;
using namespace tarvex::test;
namespace fs = std::filesystem;

namespace {

// What the user would see again: the store with its side tables and every group file.
std::string state_of(EditingSession& s) {
    std::string out;
    const SystemStore& store = s.store();
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id))
        out += store.key_of(id) + "|" + store.text_of(id) + "\n";
    for (int sys = 1; sys <= 40; ++sys)
        out += store.system_slot(sys, k_slot_name) + "/" + store.system_slot(sys, k_slot_type_code);
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(s.files().folder()))
        if (e.path().extension() == ".tmp") files[e.path().filename().string()] = read_file(e);
    for (const auto& [name, bytes] : files) out += name + ":" + bytes;
    return out + "file=" + s.file_name();
}

DataFolders run_in(const fs::path& parent, const fs::path& data, int number) {
    DataFolders f;
    f.data = data;
    f.data_temp = data / "temp";
    f.run_temp = parent / ("temp" + std::to_string(number));
    fs::create_directories(f.data_temp);
    return f;
}

// One random edit of the kinds a user makes: structure in the store, rows in group files.
void random_edit(EditingSession& s, std::mt19937& random) {
    auto systems = s.store().child_keys("");
    if (systems.empty()) return;
    const std::string sys = systems[random() % systems.size()];
    const int n = keys::system_of(sys);
    s.select(sys);
    switch (random() % 5) {
        case 0:
            s.new_group();
            break;
        case 1:
            if (systems.size() > 2) s.remove_system(n);
            break;
        case 2: {
            EditingSession::Change change(s, "Edit cell");
            s.files().write_lines(n, 0, {"1,155." + std::to_string(random() % 1000) + ",Typed"});
            s.mark_changed(n);
            break;
        }
        case 3: {
            EditingSession::Change change(s, "Rename");
            s.store().set_node_field(sys, 4, "Renamed " + std::to_string(random() % 100));
            s.store().system_slot(n, k_slot_name) = "Renamed";
            s.mark_changed(n);
            break;
        }
        default:
            s.new_system(NewSystemKind::P25);
            break;
    }
}

}  // namespace

TEST(Recovery, TheSnapshotGivesBackTheStoreWithItsTablesAndRefusesACutOffFile) {
    SessionFixture f;
    ASSERT_TRUE(f.session.open_hpd_path(f.sample_copy()));
    f.session.select("SYS-002");
    f.session.new_site();
    f.store().set_node_field("SYS-001", 4, "Tab\there, back\\slash");
    RecoveryMeta meta{"/data/My File.hpd", true, {{"/a.hpd", "A", {1, 2}}, {"", "", {3}}}};
    const std::string text = recovery_text(f.store(), meta);
    write_file(f.dir / "snap", text);

    RecordingPrompter p;
    SystemStore back(p);
    RecoveryMeta meta_back;
    ASSERT_TRUE(read_recovery(f.dir / "snap", back, meta_back));
    EXPECT_EQ(recovery_text(back, meta_back), text);
    EXPECT_EQ(meta_back, meta);
    EXPECT_EQ(back.get_node_text("SYS-001"), f.store().get_node_text("SYS-001"));
    EXPECT_EQ(back.system_type_code(2), f.store().system_type_code(2));
    EXPECT_TRUE(back.g_n_i(IndexKind::Site, 2).has_value()) << "indexes in use are known again";

    write_file(f.dir / "cut", text.substr(0, text.size() / 2));
    EXPECT_FALSE(read_recovery(f.dir / "cut", back, meta_back));
    EXPECT_TRUE(back.empty());
}

TEST(Recovery, KilledSessionsComeBackWhole) {
    TempDir dir;
    const fs::path parent = dir / "runs", data = dir / "data";
    fs::copy_file(SessionFixture::sample(), dir / "sample.hpd");
    int recovered = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        int pipe_fds[2];
        ASSERT_EQ(::pipe(pipe_fds), 0);
        std::mt19937 random(1000 + attempt);
        const int edits = 1 + static_cast<int>(random() % 12);
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // The editor: opens a file, edits, reports what it shows, and is killed while it
            // waits for the next keystroke.
            ::close(pipe_fds[0]);
            RecordingPrompter prompter{Answer::Yes};
            EditingSession s(prompter, run_in(parent, data, 100 + attempt));
            s.open_hpd_path((dir / "sample.hpd").string());
            {
                EditingSession::Change change(s, "Edit cell");
                s.files().write_lines(1, 1, {"1,460.1,First edit"});
                s.mark_changed(1);
            }
            for (int i = 0; i < edits; ++i) random_edit(s, random);
            std::string shown = state_of(s);
            std::string size = std::to_string(shown.size()) + "\n";
            (void)!::write(pipe_fds[1], size.data(), size.size());
            (void)!::write(pipe_fds[1], shown.data(), shown.size());
            ::pause();
            ::_exit(0);
        }
        ::close(pipe_fds[1]);
        std::string shown;
        {
            FILE* in = ::fdopen(pipe_fds[0], "r");
            size_t size = 0;
            ASSERT_EQ(std::fscanf(in, "%zu\n", &size), 1);
            shown.resize(size);
            ASSERT_EQ(std::fread(shown.data(), 1, size, in), size);
            std::fclose(in);
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        RecordingPrompter prompter{Answer::Yes};
        EditingSession next(prompter, run_in(parent, data, 500 + attempt));
        ASSERT_TRUE(next.offer_recovery()) << "attempt " << attempt;
        ASSERT_EQ(prompter.questions.size(), 1u);
        EXPECT_TRUE(starts_with(prompter.questions[0], "Recover unsaved changes from 20"));
        EXPECT_TRUE(next.changed());
        if (state_of(next) == shown) ++recovered;
        EXPECT_EQ(state_of(next), shown) << "attempt " << attempt;
        // The dead run's folder went once its changes were taken over.
        EXPECT_FALSE(fs::exists(parent / ("temp" + std::to_string(100 + attempt))));
        next.clear_changed();
    }
    EXPECT_EQ(recovered, 20);
}

TEST(Recovery, DeclinedRunsGoLiveOnesStayAndASavedSessionLeavesNothingToOffer) {
    TempDir dir;
    const fs::path parent = dir / "runs", data = dir / "data";
    fs::copy_file(SessionFixture::sample(), dir / "sample.hpd");
    RecordingPrompter prompter{Answer::No};

    // A live session with unsaved changes: its folder is not touched by another start.
    EditingSession live(prompter, run_in(parent, data, 1));
    live.open_hpd_path((dir / "sample.hpd").string());
    live.remove_system(1);
    EXPECT_TRUE(fs::exists(parent / "temp1" / std::string(k_recovery_file)));
    // Saving removes the snapshot: a crash now has nothing unsaved to offer.
    ASSERT_TRUE(live.save_to((dir / "saved.hpd").string()));
    EXPECT_FALSE(fs::exists(parent / "temp1" / std::string(k_recovery_file)));
    live.undo();
    EXPECT_TRUE(fs::exists(parent / "temp1" / std::string(k_recovery_file)));

    // A dead run (the owner file names a process that is gone) with changes, and one without.
    fs::copy(parent / "temp1", parent / "temp2", fs::copy_options::recursive);
    fs::create_directories(parent / "temp3");
    write_file(parent / "temp2" / "owner", "999999999\n");
    write_file(parent / "temp3" / "owner", "999999999\n");
    // Half-written saves: one of a dead writer, one of this (live) process.
    write_file(data / "a.hpd.tarvex-999999999.part", "half");
    write_file(data / ("b.hpd.tarvex-" + std::to_string(::getpid()) + ".part"), "mine");

    EditingSession next(prompter, run_in(parent, data, 4));
    EXPECT_FALSE(next.offer_recovery());
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_FALSE(fs::exists(parent / "temp2")) << "declined";
    EXPECT_FALSE(fs::exists(parent / "temp3")) << "nothing to recover: swept";
    EXPECT_TRUE(fs::exists(parent / "temp1")) << "its owner still runs";
    EXPECT_FALSE(fs::exists(data / "a.hpd.tarvex-999999999.part"));
    EXPECT_TRUE(fs::exists(data / ("b.hpd.tarvex-" + std::to_string(::getpid()) + ".part")));

    // A clean exit leaves nothing behind.
    MemorySettingsBackend main, import;
    Settings settings(main, import);
    live.shut_down(settings);
    EXPECT_FALSE(fs::exists(parent / "temp1"));
}
