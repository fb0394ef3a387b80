// Undo over the whole session: every store command and every group file it touches comes back
// exactly, redo repeats it, and the unsaved-changes flag follows the history.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/base/text.h"
#include "core/model/record_line.h"
#include "session_fixture.h"

using namespace tarvex;
using namespace tarvex::test;
namespace fs = std::filesystem;

namespace {

// Everything a user could see change: the store in store order and every group file's bytes.
struct State {
    std::vector<std::string> nodes;
    std::map<std::string, std::string> files;
    bool operator==(const State&) const = default;
};

State state_of(EditingSession& s) {
    State st;
    const SystemStore& store = s.store();
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id))
        st.nodes.push_back(store.key_of(id) + "|" + store.text_of(id) + "|" +
                           (store.parent_of(id) == SystemStore::npos
                                ? std::string()
                                : store.key_of(store.parent_of(id))));
    for (const auto& e : fs::directory_iterator(s.files().folder()))
        if (e.path().extension() == ".tmp") st.files[e.path().filename().string()] = read_file(e);
    return st;
}

class SessionUndo : public SessionFixture, public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(session.open_hpd_path(sample_copy()));
        prompter.script(std::vector<Answer>(20, Answer::Yes));
    }
};

struct Operation {
    const char* name;
    const char* select;  // browser key selected first
    std::function<bool(EditingSession&)> run;
    std::function<void(EditingSession&)> prepare = nullptr;  // before the "before" state
};

class EveryCommand : public SessionUndo, public ::testing::WithParamInterface<Operation> {};

}  // namespace

TEST_P(EveryCommand, UndoPutsBackStoreAndFilesAndRedoRepeatsIt) {
    const Operation& op = GetParam();
    session.select(op.select);
    session.copy_system();
    if (op.prepare) op.prepare(session);
    const State before = state_of(session);
    ASSERT_TRUE(op.run(session)) << op.name;
    const State after = state_of(session);
    ASSERT_NE(after, before) << op.name << " changed nothing";
    ASSERT_TRUE(session.can_undo());
    EXPECT_TRUE(session.changed());

    ASSERT_TRUE(session.undo());
    EXPECT_EQ(state_of(session), before) << op.name;
    EXPECT_FALSE(session.changed()) << "back at the opened file";
    ASSERT_TRUE(session.redo());
    EXPECT_EQ(state_of(session), after) << op.name;
    EXPECT_TRUE(session.changed());
    // The restored store still works: its indexes and lookups are whole.
    ASSERT_TRUE(session.undo());
    session.select(op.select);
    EXPECT_TRUE(session.new_group().has_value() || session.store().exists("SYS-001"));
}

INSTANTIATE_TEST_SUITE_P(
    Session, EveryCommand,
    ::testing::Values(
        Operation{"DeleteSystem", "SYS-001", [](EditingSession& s) { return s.remove_system(1); }},
        Operation{"DeleteSystems", "SYS-001",
                  [](EditingSession& s) {
                      return s.delete_systems({1, 2, 3}) == 3;
                  }},
        Operation{"PasteSystem", "SYS-002",
                  [](EditingSession& s) { return s.paste_system().has_value(); }},
        Operation{"NewSystem", "SYS-001",
                  [](EditingSession& s) { return s.new_system(NewSystemKind::P25).has_value(); }},
        Operation{"NewGroup", "SYS-001",
                  [](EditingSession& s) { return s.new_group().has_value(); }},
        Operation{"DeleteGroup", "GRP-999-001-000",
                  [](EditingSession& s) { return s.delete_current_group(); }},
        Operation{"CopyPasteGroup", "GRP-999-001-000",
                  [](EditingSession& s) {
                      return s.copy_group() && (s.select("SYS-001"), s.paste_group().has_value());
                  }},
        Operation{"Unlock", "SYS-001", [](EditingSession& s) { return s.unlock_channels() > 0; },
                  [](EditingSession& s) {
                      s.files().rewrite(1, 0,
                                        [](std::string_view l) { return set_field(l, 3, "On"); });
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionUndo, TheFlagFollowsTheHistoryAndSavingMovesTheCleanMark) {
    session.select("SYS-001");
    ASSERT_TRUE(session.new_group());
    ASSERT_TRUE(session.new_group());
    EXPECT_EQ(session.undo_text(), "Undo New Group");
    ASSERT_TRUE(session.save_to((dir / "saved.hpd").string()));
    EXPECT_FALSE(session.changed());
    session.undo();
    EXPECT_TRUE(session.changed()) << "one step before the saved file";
    session.redo();
    EXPECT_FALSE(session.changed());
    session.undo();
    session.undo();
    EXPECT_TRUE(session.changed());
    EXPECT_FALSE(session.can_undo());
    EXPECT_FALSE(session.undo());
    EXPECT_EQ(session.undo_text(), "Undo");

    // A new change after undoing cuts off the redo side, and with it the saved position.
    ASSERT_TRUE(session.new_system(NewSystemKind::Conventional));
    EXPECT_FALSE(session.can_redo());
    session.undo();
    EXPECT_TRUE(session.changed()) << "the saved state is gone from the history";
}

TEST_F(SessionUndo, NestedChangesAreOneStepAndAChangeOfNothingLeavesNone) {
    const State before = state_of(session);
    {
        EditingSession::Change outer(session, "Tidy");
        session.remove_system(1);
        {
            EditingSession::Change inner(session, "inner");
            session.files().write_lines(2, 0, {"1,155.5,x"});
        }
        session.store().set_node_field("SYS-002", 4, "Renamed");
    }
    EXPECT_EQ(session.undo_text(), "Undo Tidy");
    { EditingSession::Change nothing(session, "Nothing"); }
    EXPECT_EQ(session.undo_text(), "Undo Tidy");
    session.undo();
    EXPECT_EQ(state_of(session), before);
    EXPECT_FALSE(session.can_undo());
}

TEST_F(SessionUndo, AChangeOutsideAnyStepKeepsTheFlagUntilSaved) {
    session.select("SYS-001");
    session.new_group();
    session.store().set_node_field("SYS-002", 4, "Typed elsewhere");
    session.mark_changed(2);
    session.undo();
    EXPECT_TRUE(session.changed());
    session.redo();
    EXPECT_TRUE(session.changed());
}

TEST_F(SessionUndo, OpeningAFileStartsANewHistory) {
    session.remove_system(1);
    ASSERT_TRUE(session.can_undo());
    ASSERT_TRUE(session.open_hpd_path(sample_copy("again.hpd")));
    EXPECT_FALSE(session.can_undo());
    EXPECT_FALSE(session.changed());
}

TEST_F(SessionUndo, UndoSelectsWhatTheStepChangedAndFallsBackToItsSystem) {
    session.select("GRP-999-001-000");
    ASSERT_TRUE(session.delete_current_group());
    session.select("SYS-002");
    session.undo();
    EXPECT_EQ(session.selection().key, "GRP-999-001-000");
    session.redo();
    EXPECT_EQ(session.selection().key, "SYS-001");
}

TEST(UndoHistoryLimits, OldStepsGoFirstAndTakeTheCleanMarkWithThem) {
    UndoHistory h;
    for (size_t i = 0; i < UndoHistory::k_max_steps + 5; ++i) {
        UndoStep s;
        s.label = std::to_string(i);
        s.files.push_back({1, 0, std::nullopt, "x"});
        h.push(std::move(s));
    }
    EXPECT_EQ(h.size(), UndoHistory::k_max_steps);
    EXPECT_EQ(h.undo_step().label, std::to_string(UndoHistory::k_max_steps + 4));
    EXPECT_FALSE(h.at_clean());
    while (h.can_undo()) h.stepped_back();
    EXPECT_FALSE(h.at_clean()) << "the opened state was dropped with the oldest steps";
}

// ---- where the user stands, and who hears of a change ----

TEST_F(SessionUndo, AnUndoThatKeepsTheRecordSelectedGivesBackTheGridPlace) {
    session.select("GRP-999-001-000");
    EditorPlace where{12, 3, 5};
    session.editor.place = [&] { return where; };
    {
        EditingSession::Change change(session, "Rename");
        session.store().set_node_field("GRP-999-001-000", 4, "Renamed");
    }
    ASSERT_TRUE(session.undo());
    ASSERT_TRUE(session.place_after_step().has_value());
    EXPECT_EQ(*session.place_after_step(), (EditorPlace{12, 3, 5}));
    where = {40, 1, 30};
    ASSERT_TRUE(session.redo());
    EXPECT_EQ(session.place_after_step(), std::optional<EditorPlace>(EditorPlace{40, 1, 30}));

    // An undo that brings back another record (the deleted group) starts that one afresh.
    session.select("GRP-999-001-000");
    ASSERT_TRUE(session.delete_current_group());
    ASSERT_NE(session.selection().key, "GRP-999-001-000");
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(session.selection().key, "GRP-999-001-000");
    EXPECT_FALSE(session.place_after_step().has_value());
}

TEST_F(SessionUndo, ListenersHearOfEveryKindOfChangeUntilTheyUnsubscribe) {
    int heard = 0;
    const int id = session.subscribe([&] { ++heard; });
    session.select("GRP-999-001-000");
    {
        EditingSession::Change change(session, "Rename");
        session.store().set_node_field("GRP-999-001-000", 4, "Renamed");
        EXPECT_EQ(heard, 0) << "not while the change is still being made";
    }
    EXPECT_EQ(heard, 1) << "a recorded change";
    { EditingSession::Change nothing(session, "Nothing"); }
    EXPECT_EQ(heard, 1) << "a change that changed nothing is none";
    heard = 0;
    ASSERT_TRUE(session.undo());
    EXPECT_GE(heard, 1) << "an undo";
    heard = 0;
    session.select("GRP-999-001-000");
    ASSERT_TRUE(session.delete_current_group());
    EXPECT_GE(heard, 1) << "a delete in the browser";
    heard = 0;
    prompter.script(std::vector<Answer>(5, Answer::Yes));
    ASSERT_TRUE(session.open_hpd_path(sample_copy("again.hpd")));
    EXPECT_GE(heard, 1) << "a file read";
    session.unsubscribe(id);
    heard = 0;
    session.select("GRP-999-001-000");
    {
        EditingSession::Change change(session, "Rename");
        session.store().set_node_field("GRP-999-001-000", 4, "Again");
    }
    EXPECT_EQ(heard, 0);
}
