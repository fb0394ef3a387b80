// The editing session as a user meets it: opening, adding and saving files, the unsaved-changes
// questions, new systems, sites and groups, the browser's copy, paste and delete, the several-
// files mode, start-up and shutdown.
#include <gtest/gtest.h>

#include <regex>

#include "core/base/progress.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/record_line.h"
#include "core/settings/settings.h"
#include "session_fixture.h"

using namespace tarvex;
using namespace tarvex::test;
namespace fs = std::filesystem;

namespace {

const std::string k_open_question =
    "This will delete all data.\nIf not saved, data is lost!\nContinue?";

class Session : public SessionFixture, public ::testing::Test {};

}  // namespace

// ---- opening, adding, saving ----

TEST_F(Session, OpeningWhileNothingChangedAsksNothingAndAfterAnEditAsksBeforeClearing) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_FALSE(session.changed());
    EXPECT_EQ(system_keys().size(), 5u);

    session.select("SYS-001");
    ASSERT_TRUE(session.new_group());
    EXPECT_TRUE(session.changed());

    prompter.script({Answer::No});
    chooser.push(sample_copy("other.hpd"));
    EXPECT_FALSE(session.open_hpd(chooser));
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], k_open_question);
    EXPECT_TRUE(chooser.asked.empty()) << "No dialog after No";
    EXPECT_TRUE(session.changed());
    EXPECT_EQ(system_keys().size(), 5u);

    prompter.script({Answer::Yes});
    EXPECT_TRUE(session.open_hpd(chooser));
    EXPECT_FALSE(session.changed());
    EXPECT_EQ(system_keys().size(), 5u);
    EXPECT_EQ(session.file_name(), (dir / "other.hpd").string());
}

TEST_F(Session, ACancelledDialogOrAMissingFileKeepsTheOpenData) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    EXPECT_FALSE(session.open_hpd(chooser));  // dialog cancelled
    EXPECT_FALSE(session.open_hpd_path((dir / "gone.hpd").string()));
    EXPECT_EQ(prompter.told.back(), "Cannot open file: " + (dir / "gone.hpd").string());
    chooser.push((dir / "notes.doc").string());
    EXPECT_FALSE(session.open_hpd(chooser));  // not an HPD name: ignored
    EXPECT_EQ(system_keys().size(), 5u);
    EXPECT_EQ(session.file_name(), (dir / "sample.hpd").string());
}

TEST_F(Session, AddingAFileKeepsTheStoreAndMarksItChanged) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    ASSERT_TRUE(session.add_hpd_path(sample_copy("again.hpd")));
    EXPECT_EQ(system_keys().size(), 10u);
    EXPECT_TRUE(session.changed());
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(Session, ConventionalAndTrunkImportsReadOnlyTheirKind) {
    chooser.push(sample_copy());
    ASSERT_TRUE(session.run(CommandId::ImportConventionalHpd, chooser));
    EXPECT_EQ(system_keys().size(), 1u);
    chooser.push(sample_copy());
    ASSERT_TRUE(session.run(CommandId::ImportTrunkedHpd, chooser));
    EXPECT_EQ(system_keys().size(), 5u);
}

TEST_F(Session, SaveAsThenOpenGivesBackTheSameDatabase) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("SYS-002");
    auto site = session.new_site();
    ASSERT_TRUE(site);
    std::vector<std::string> before = hpd_lines(store(), session.files(), 0);

    std::string target = (dir / "saved.hpd").string();
    chooser.push(target);
    ASSERT_TRUE(session.save_hpd_as(chooser));
    EXPECT_FALSE(session.changed());
    EXPECT_EQ(session.file_name(), target);
    EXPECT_EQ(session.title("Tarvex"), "Tarvex - file: " + target);

    SessionFixture other;
    ASSERT_TRUE(other.session.open_hpd_path(target));
    // Record ids are written from store positions, which a fresh read numbers anew.
    auto without_ids = [](const std::vector<std::string>& lines) {
        return std::regex_replace(join(lines, '\n'), std::regex("Id=[0-9]+"), "Id=");
    };
    EXPECT_EQ(first_difference(without_ids(hpd_lines(other.store(), other.session.files(), 0)),
                               without_ids(before)),
              "");
}

TEST_F(Session, SaveAsksForANameOnlyWhenNoneIsKnownAndRefusesOtherNames) {
    session.new_system(NewSystemKind::Conventional);
    chooser.push((dir / "new.doc").string());
    EXPECT_FALSE(session.save_hpd(chooser));
    EXPECT_TRUE(session.changed());
    EXPECT_FALSE(fs::exists(dir / "new.doc"));

    std::string target = (dir / "new.txt").string();
    chooser.push(target);
    std::string status;
    session.events.status = [&](std::string_view s) { status = s; };
    ASSERT_TRUE(session.save_hpd(chooser));
    EXPECT_EQ(status, "Saved: " + target);
    EXPECT_EQ(chooser.asked.size(), 2u);

    session.select("SYS-001");
    session.new_group();
    ASSERT_TRUE(session.save_hpd(chooser));  // known name: no dialog
    EXPECT_EQ(chooser.asked.size(), 2u);
    EXPECT_FALSE(session.changed());
}

TEST_F(Session, SavingAnEmptyStoreSaysSoAndWritesNothing) {
    std::string target = (dir / "empty.hpd").string();
    EXPECT_FALSE(session.save_to(target));
    EXPECT_EQ(prompter.told.back(), "Nothing to Save");
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(Session, QuickSaveWritesEverySystemAndResetsTheCounters) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("SYS-003");
    session.new_group();
    session.select("SYS-001");
    session.new_group();
    EXPECT_GT(store().change_counter(3), 0);
    std::string status;
    session.events.status = [&](std::string_view s) { status = s; };

    auto written = session.quick_save_all();
    EXPECT_EQ(written.size(), 5u);
    for (const auto& f : written) EXPECT_TRUE(fs::exists(f)) << f;
    EXPECT_EQ(status, "Done saving");
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(store().change_counter(s), 0) << s;
    EXPECT_TRUE(session.highlight_keys(CommandId::HighlightChangedSystems).empty());
}

TEST_F(Session, IndividualSystemsGoUnderTheChosenFolderAndNothingTickedAsksForNone) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    ScriptedFileChooser none;
    EXPECT_TRUE(session.save_individual_systems({}, none).empty());
    EXPECT_EQ(prompter.told.back(), "Please select one or more systems.");
    EXPECT_TRUE(none.asked.empty());

    ScriptedFileChooser cancel({std::nullopt});
    EXPECT_TRUE(session.save_individual_systems({1}, cancel).empty());
    EXPECT_EQ(cancel.asked, std::vector<std::string>{"Choose a folder:"});

    auto target = dir / "picked";
    fs::create_directories(target);
    ScriptedFileChooser pick({target.string()});
    auto written = session.save_individual_systems({1, 3}, pick);
    ASSERT_EQ(written.size(), 2u);
    for (const auto& f : written) {
        EXPECT_TRUE(fs::exists(f)) << f;
        EXPECT_EQ(fs::path(f).parent_path().parent_path(), target) << f;
        EXPECT_EQ(fs::path(f).parent_path().filename().string().rfind("Saved", 0), 0u) << f;
    }
}

TEST_F(Session, CloseSystemAndCloseAllAskAndClearTheFlag) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    EXPECT_FALSE(session.close_system());
    EXPECT_EQ(prompter.told.back(), "Please click on a system first.");

    session.select("SYS-001");
    EXPECT_TRUE(session.close_system());  // unchanged: no question
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_FALSE(store().exists("SYS-001"));
    EXPECT_FALSE(session.files().exists(1, 0));

    session.select("SYS-002");
    session.new_group();
    prompter.script({Answer::Yes});
    EXPECT_TRUE(session.close_system());
    EXPECT_EQ(prompter.questions.back(),
              "This will delete the selected System.\nIf not saved, data is lost!\nContinue?");
    EXPECT_FALSE(session.changed());

    prompter.script({Answer::Cancel});
    EXPECT_FALSE(session.close_all());
    EXPECT_EQ(system_keys().size(), 3u);
    prompter.script({Answer::Yes});
    EXPECT_TRUE(session.close_all());
    EXPECT_EQ(prompter.questions.back(),
              "This will delete all Systems.\nIf not saved, data is lost!\nContinue?");
    EXPECT_TRUE(store().empty());
    EXPECT_TRUE(session.file_name().empty());
}

// ---- new systems, sites, groups ----

TEST_F(Session, ANewConventionalSystemHasOneGroupAndNoSite) {
    auto s = session.new_system(NewSystemKind::Conventional);
    ASSERT_EQ(s, 1);
    EXPECT_EQ(store().get_node_text("SYS-001"),
              "SIN,Conventional,0,StateId=0,New System,Off,,Conventional,,,,,,Off,Off,0,Off,Off,"
              "400,Auto,8,,,");
    EXPECT_EQ(store().child_keys("SYS-001"), std::vector<std::string>{"GRP-999-001-000"});
    EXPECT_EQ(store().get_node_text("GRP-999-001-000"),
              "GIN,C-Group,CGroupId=0,AgencyId=0,New Department 1,Off,0.000000,-00.000000,0.0,"
              "Circle,Off");
    EXPECT_EQ(store().system_type_code(1), "0");
    EXPECT_EQ(session.selection().key, "SYS-001");
    EXPECT_TRUE(session.changed());
    EXPECT_TRUE(session.browser_dirty());
}

TEST_F(Session, ANewTrunkSystemHasAGroupASiteABandplanAndAUnitIdHolder) {
    auto s = session.new_system(NewSystemKind::Motorola);
    ASSERT_EQ(s, 1);
    EXPECT_EQ(
        store().child_keys("SYS-001"),
        (std::vector<std::string>{"GRP-999-001-000", "SIT-001-001", "MCP-001-001", "UID-001-001"}));
    EXPECT_EQ(get_field(store().get_node_text("SYS-001"), 4), "New MOT System");
    EXPECT_EQ(store().get_node_text("GRP-999-001-000"),
              "GIN,T-Group,TGroupId=0,AgencyId=0,New Department:,Off,0.000000,-00.000000,0.0,"
              "Circle,Off");
    EXPECT_EQ(store().get_node_text("SIT-001-001"), templates::new_site);
    EXPECT_EQ(store().get_node_text("MCP-001-001"), templates::bandplan_default);
    EXPECT_EQ(store().get_node_text("UID-001-001"), "UID,UID Editor");
    EXPECT_EQ(store().system_type_code(1), "1");

    session.new_system(NewSystemKind::MotorolaRebanded);
    EXPECT_EQ(get_field(store().get_node_text("SIT-002-001"), 10), "Custom/Rebanded");
    session.new_system(NewSystemKind::Ltr);
    EXPECT_EQ(store().system_type_code(3), "4");
    EXPECT_EQ(get_field(store().get_node_text("SYS-003"), 6), "01/01/2010 10:00:00");
}

TEST_F(Session, NewSiteOnlyInTrunkSystems) {
    EXPECT_FALSE(session.new_site());
    EXPECT_EQ(prompter.told.back(), "error: set sys index!");
    session.new_system(NewSystemKind::Conventional);
    EXPECT_FALSE(session.new_site());
    EXPECT_EQ(prompter.told.back(), "error, not a trunk system.");
    EXPECT_EQ(children("SYS-001", "SIT-").size(), 0u);

    session.new_system(NewSystemKind::P25);
    auto t = session.new_site();
    ASSERT_EQ(t, 2);
    // The default location for new items: no coordinates yet, range 10, scanning enabled.
    EXPECT_EQ(store().get_node_text("SIT-002-002"),
              "SIF,Site,SiteId=0,TrunkId=0,A New Site,Off,00.000000,-00.000000,10.0,AUTO,"
              "Standard,Wide,Circle,0");
    EXPECT_EQ(store().get_node_text("MCP-002-002"), templates::bandplan_default);
}

TEST_F(Session, NewGroupNumbersFromTheLowestFreeIndexAndStopsAfter255) {
    session.new_system(NewSystemKind::Conventional);
    session.select("SYS-001");
    for (int g = 1; g <= 255; ++g) ASSERT_EQ(session.new_group(), g);
    EXPECT_EQ(get_field(store().get_node_text("GRP-999-001-005"), 4), "Department: 5");
    size_t before = store().size();
    EXPECT_FALSE(session.new_group());
    EXPECT_EQ(store().size(), before);

    session.select("GRP-999-001-004");
    prompter.script({Answer::Yes});
    ASSERT_TRUE(session.delete_current_group());
    session.select("SYS-001");
    EXPECT_EQ(session.new_group(), 4);

    session.clear_selection();
    EXPECT_FALSE(session.new_group());
    EXPECT_EQ(prompter.told.back(), "error: please click on a system first");
}

// ---- the browser's pop-up menu ----

TEST_F(Session, DeletingASystemAsksAndOnlyYesDeletes) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("SYS-002");
    int closed = 0;
    session.editor.close = [&] { ++closed; };
    prompter.script({Answer::No});
    EXPECT_FALSE(session.delete_current_system());
    EXPECT_EQ(prompter.questions.back(),
              "This will remove the selected System from the browser.\n"
              "If not saved, data is lost!\nContinue?");
    EXPECT_TRUE(store().exists("SYS-002"));
    EXPECT_FALSE(session.changed());

    prompter.script({Answer::Yes});
    EXPECT_TRUE(session.delete_current_system());
    EXPECT_FALSE(store().exists("SYS-002"));
    EXPECT_FALSE(store().exists("SIT-002-001"));
    EXPECT_FALSE(session.files().exists(2, 0));
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(session.changed());
    EXPECT_EQ(session.selection().level, Level::None);

    // Several systems at once: the same question, asked once, and nothing gone before Yes.
    size_t asked = prompter.questions.size();
    prompter.script({Answer::No});
    EXPECT_EQ(session.delete_systems({1, 3}), 0);
    ASSERT_EQ(prompter.questions.size(), asked + 1);
    EXPECT_EQ(prompter.questions.back(),
              "This will remove the selected System from the browser.\n"
              "If not saved, data is lost!\nContinue?");
    EXPECT_TRUE(store().exists("SYS-001"));
    prompter.script({Answer::Yes});
    EXPECT_EQ(session.delete_systems({1, 3}), 2);
    EXPECT_FALSE(store().exists("SYS-001"));
    EXPECT_FALSE(store().exists("SYS-003"));
}

TEST_F(Session, CopyAndPasteASystemDuplicatesItsRecordsAndRows) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    int written = 0;
    session.editor.write_back = [&] { ++written; };
    session.select("SYS-001");
    ASSERT_TRUE(session.copy_system());
    auto fresh = session.paste_system();
    ASSERT_EQ(fresh, 6);
    EXPECT_GE(written, 3) << "the open editor is written back before select, copy and paste";
    EXPECT_EQ(store().get_node_text("SYS-006"), store().get_node_text("SYS-001"));
    EXPECT_EQ(session.files().read_lines(6, 0), session.files().read_lines(1, 0));
    EXPECT_EQ(session.selection().key, "SYS-006");
    EXPECT_TRUE(session.changed());
}

TEST_F(Session, SitesAndGroupsNeedASelectionToCopyOrDelete) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("SYS-002");
    EXPECT_FALSE(session.copy_site());
    EXPECT_EQ(prompter.told.back(), "please select a site to copy");
    EXPECT_FALSE(session.delete_current_site());
    EXPECT_EQ(prompter.told.back(), "please select a site to delete.");
    EXPECT_FALSE(session.copy_group());
    EXPECT_EQ(prompter.told.back(), "please select a group/department to copy");
    EXPECT_FALSE(session.delete_current_group());
    EXPECT_EQ(prompter.told.back(), "please select a group/department to delete.");
}

TEST_F(Session, APastedSiteKeepsItsFrequenciesAndGoesOnlyIntoTrunkSystems) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("SIT-002-001");
    ASSERT_TRUE(session.copy_site());
    session.select("SYS-001");
    EXPECT_FALSE(session.paste_site());
    EXPECT_EQ(prompter.told.back(), "error, not a trunk system.");

    session.select("SYS-003");
    size_t sites_before = children("SYS-003", "SIT-").size();
    auto t = session.paste_site();
    ASSERT_TRUE(t);
    EXPECT_EQ(children("SYS-003", "SIT-").size(), sites_before + 1);
    std::string pasted = keys::site(3, *t);
    EXPECT_EQ(store().get_node_text(pasted), store().get_node_text("SIT-002-001"));
    EXPECT_EQ(store().child_keys(pasted).size(), store().child_keys("SIT-002-001").size());

    session.select(pasted);
    prompter.script({Answer::Yes});
    ASSERT_TRUE(session.delete_current_site());
    EXPECT_EQ(prompter.questions.back(),
              "This will delete the current site, data will be lost! Continue?");
    EXPECT_FALSE(store().exists(pasted));
}

TEST_F(Session, AGroupIsPastedOnlyIntoASystemOfItsOwnKind) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("GRP-999-001-000");
    ASSERT_TRUE(session.copy_group());
    session.select("SYS-002");
    EXPECT_FALSE(session.paste_group());
    EXPECT_FALSE(prompter.told.empty());

    session.new_system(NewSystemKind::Conventional);  // SYS-006, group 000
    auto g = session.paste_group();
    ASSERT_EQ(g, 1);
    EXPECT_EQ(session.files().read_lines(6, 1), session.files().read_lines(1, 0));
}

TEST_F(Session, UnlockTurnsEveryAvoidedRowOfTheCurrentSystemOff) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    EXPECT_EQ(session.unlock_channels(), 0);
    EXPECT_EQ(prompter.told.back(), "Please click on a system first.");

    session.select("SYS-001");
    int reloaded = 0;
    session.editor.reload = [&] { ++reloaded; };
    EXPECT_EQ(session.unlock_channels(), 1);  // "Drug Task Force"
    for (const auto& line : session.files().read_lines(1, 0))
        EXPECT_EQ(get_field(line, 3), "Off") << line;
    EXPECT_EQ(reloaded, 1);
    EXPECT_TRUE(session.changed());
}

TEST_F(Session, HighlightsFindChangedSystemsAndGroupsByKind) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("SYS-004");
    session.new_group();
    EXPECT_EQ(session.highlight_keys(CommandId::HighlightChangedSystems),
              std::vector<std::string>{"SYS-004"});
    auto conv = session.highlight_keys(CommandId::HighlightConvGroups);
    for (const auto& k : conv) EXPECT_EQ(keys::group_system_of(k), 1) << k;
    EXPECT_FALSE(conv.empty());
    EXPECT_EQ(conv.size() + session.highlight_keys(CommandId::HighlightTrunkGroups).size(),
              session.highlight_keys(CommandId::HighlightGroups).size());
}

TEST_F(Session, TheBrowserKeepsTheSelectionAndItsSystemAcrossARebuild) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("GRP-999-002-001");
    BrowserTree tree = session.build_browser();
    EXPECT_FALSE(session.browser_dirty());
    EXPECT_EQ(tree.selected_key, "GRP-999-002-001");
    EXPECT_EQ(store().current_system, 2);
    EXPECT_EQ(session.selection().group, 1);
}

// ---- data from the memory card and the master database ----

TEST_F(Session, AFavoritesListReplacesTheDataOnlyAfterTheQuestionOverUnsavedChanges) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    EXPECT_TRUE(session.confirm_replace());
    EXPECT_TRUE(prompter.questions.empty()) << "nothing to lose, nothing asked";

    session.select("SYS-001");
    ASSERT_TRUE(session.new_group());
    prompter.script({Answer::No});
    EXPECT_FALSE(session.confirm_replace());
    EXPECT_EQ(prompter.questions.back(), k_open_question);
    EXPECT_EQ(system_keys().size(), 5u);

    session.clear_data();
    EXPECT_TRUE(system_keys().empty());
    EXPECT_FALSE(session.files().exists(1, 0));
    EXPECT_FALSE(session.changed());
    EXPECT_EQ(session.file_name(), "") << "a later Save must not overwrite the old file";
    EXPECT_EQ(session.selection().system, 0);
}

TEST_F(Session, SystemsReadInByAnotherWindowCountAsChangesAndRebuildTheBrowser) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.build_browser();
    read_hpd(sample(), store(), session.files(), 0, 0, no_progress());  // an import
    EXPECT_EQ(session.systems_arrived(), (std::vector<int>{6, 7, 8, 9, 10}));
    EXPECT_TRUE(session.changed());
    EXPECT_TRUE(session.browser_dirty());
    EXPECT_EQ(store().change_counter(1), 0);
    EXPECT_GT(store().change_counter(6), 0);
    session.build_browser();
    EXPECT_TRUE(session.systems_arrived().empty()) << "shown once, no longer new";

    // A list read after clearing takes the freed indexes again; they are new all the same.
    session.clear_data();
    read_hpd(sample(), store(), session.files(), 0, 0, no_progress());
    EXPECT_EQ(session.systems_arrived(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(session.changed());
}

// ---- several files at once ----

TEST_F(Session, SeveralFilesAreListsThatAreRemovedAndSavedOneByOne) {
    session.set_multi_mode(true);
    ASSERT_TRUE(session.multi_add_path(sample_copy("a.hpd")));
    ASSERT_TRUE(session.multi_add_path(sample_copy("b.hpd")));
    ASSERT_EQ(session.hpd_files().size(), 2u);
    EXPECT_EQ(session.hpd_files()[1].systems, (std::vector<int>{6, 7, 8, 9, 10}));

    BrowserTree tree = session.build_browser();
    EXPECT_EQ(tree.nodes.front().key, "FAV-001");
    session.select("FAV-002");
    auto added = session.new_system(NewSystemKind::P25);  // joins the list clicked, once
    session.new_site();
    ASSERT_EQ(added, 11);
    EXPECT_EQ(session.hpd_files()[1].systems.back(), 11);
    EXPECT_EQ(session.hpd_files()[0].systems.size(), 5u);
    EXPECT_EQ(std::count(session.hpd_files()[1].systems.begin(),
                         session.hpd_files()[1].systems.end(), 11),
              1);

    session.select("SYS-006");
    EXPECT_FALSE(session.remove_hpd());
    EXPECT_EQ(prompter.told.back(), "Click on Fav file first");

    session.select("SYS-001");
    session.new_group();
    ASSERT_TRUE(session.save_all_hpd_files(chooser));
    EXPECT_FALSE(session.changed());
    auto groups_in = [](const fs::path& p) {
        int n = 0;
        for (const auto& l : read_lines(p)) n += l.rfind("C-Group", 0) == 0;
        return n;
    };
    EXPECT_EQ(groups_in(dir / "a.hpd"), groups_in(sample()) + 1) << "the new group is in a.hpd";
    EXPECT_EQ(groups_in(dir / "b.hpd"), groups_in(sample()));
    EXPECT_EQ(read_lines(dir / "b.hpd").size(), read_lines(sample()).size() + 3 + 1 + 2)
        << "b.hpd gained the new P25 system (system, area lines, group) and its two sites";
    SessionFixture a;
    ASSERT_TRUE(a.session.open_hpd_path((dir / "a.hpd").string()));
    EXPECT_EQ(a.system_keys().size(), 5u);

    session.select("FAV-001");
    prompter.script({Answer::Yes});
    ASSERT_TRUE(session.remove_hpd());
    EXPECT_EQ(session.hpd_files().size(), 1u);
    EXPECT_EQ(system_keys().size(), 6u);
    EXPECT_FALSE(store().exists("SYS-001"));
}

TEST_F(Session, DroppedFilesOpenTheFirstAndAddTheRestOnePerTick) {
    session.queue_files({sample_copy("a.hpd"), sample_copy("b.hpd")}, true);
    EXPECT_TRUE(session.load_next_queued());
    EXPECT_EQ(system_keys().size(), 5u);
    EXPECT_FALSE(session.load_next_queued());
    EXPECT_EQ(system_keys().size(), 10u);

    session.queue_files({sample_copy("c.hpd"), sample_copy("d.hpd")}, true);
    prompter.script({Answer::No});  // there are unsaved changes now
    EXPECT_FALSE(session.load_next_queued());
    EXPECT_FALSE(session.has_queued());
    EXPECT_EQ(system_keys().size(), 10u);
}

// ---- start-up and shutdown ----

TEST_F(Session, CancellingShutdownKeepsDataAndGroupFiles) {
    ASSERT_TRUE(session.open_hpd_path(sample_copy()));
    session.select("SYS-001");
    session.new_group();
    prompter.script({Answer::Cancel});
    EXPECT_FALSE(session.confirm_shutdown());
    EXPECT_EQ(prompter.questions.back(),
              "Changes are not saved yet.\nIf not saved, data is lost!\nContinue without saving ?");
    EXPECT_TRUE(session.files().exists(1, 0));
    EXPECT_EQ(system_keys().size(), 5u);
    EXPECT_EQ(prompter.offered.back(), Buttons::SaveDiscardCancel);
}

TEST_F(Session, TheCloseQuestionSavesDiscardsOrStays) {
    const std::string path = sample_copy();
    ASSERT_TRUE(session.open_hpd_path(path));
    session.select("SYS-001");
    session.new_group();
    ScriptedFileChooser saver;
    // Don't Save goes on with the changes unsaved.
    prompter.script({Answer::Discard});
    EXPECT_TRUE(session.confirm_shutdown(&saver));
    EXPECT_TRUE(session.changed());
    // Save without a way to save (no chooser) stays; with one it writes the file and goes on.
    prompter.script({Answer::Save});
    EXPECT_FALSE(session.confirm_shutdown());
    prompter.script({Answer::Save});
    EXPECT_TRUE(session.confirm_shutdown(&saver));
    EXPECT_FALSE(session.changed());
}

TEST(Startup, TheCloseQuestionHasButtonsThatSayWhatTheyDo) {
    auto words = [](Buttons b) {
        std::vector<std::string> out;
        for (const ButtonWord& w : button_words(b)) out.emplace_back(w.word);
        return out;
    };
    EXPECT_EQ(words(Buttons::SaveDiscardCancel),
              (std::vector<std::string>{"Save", "Don't Save", "Cancel"}));
    EXPECT_EQ(words(Buttons::YesNoCancel), (std::vector<std::string>{"Yes", "No", "Cancel"}));
    // Enter never loses anything: Save on the close question, No where Yes would go on.
    EXPECT_EQ(safe_answer(Buttons::SaveDiscardCancel), Answer::Save);
    EXPECT_EQ(safe_answer(Buttons::YesNoCancel), Answer::No);
    // Nobody at a terminal to answer: the close question stays put.
    StreamPrompter quiet(stderr);
    EXPECT_EQ(quiet.ask({"?"}, "Warning", Buttons::SaveDiscardCancel), Answer::Cancel);
}

TEST(Startup, SettingsAreReadTheWarningShownOnceAndTheRunFolderRemovedAtExit) {
    TempDir dir;
    MemorySettingsBackend main_store, import_store;
    Settings settings(main_store, import_store);
    settings.SaveSetting("", "treesort", "type");
    settings.SaveSetting("", "multihpd", "1");
    RecordingPrompter prompter;
    PlatformFolders platform{dir / "docs", dir / "appdata", dir / "common", dir / "install"};

    Startup first = start_up(platform, settings, prompter, 12000, 9000, 1234);
    // The warning is for the window's message bar, not a box before any window.
    EXPECT_TRUE(first.firmware_warning);
    EXPECT_TRUE(prompter.told.empty());
    const StartupSettings& v = first.session->settings();
    EXPECT_EQ(v.treesort, TreeOrdering::BySystemType);
    EXPECT_TRUE(v.multihpd);
    EXPECT_FALSE(v.hp2model);
    EXPECT_EQ(v.place.browser_left, 3200);
    EXPECT_EQ(v.place.left, 100);
    EXPECT_EQ(v.place.width, 12000);
    EXPECT_EQ(v.options[0], "test");
    EXPECT_EQ(v.def_range, "10");
    EXPECT_TRUE(fs::is_directory(first.folders.run_temp));

    first.session->new_system(NewSystemKind::Conventional);
    first.session->toggle_hp2_model();
    first.session->settings().place.browser_left = 4000;
    ASSERT_TRUE(first.session->files().write_lines(1, 0, {"1,155.0000,A"}));
    first.session->shut_down(settings);
    EXPECT_FALSE(fs::exists(first.folders.run_temp));
    EXPECT_EQ(settings.GetSetting("", "hp2model", "Falsex"), "True");
    EXPECT_EQ(settings.GetSetting("all", "browser_left", "3200x"), "4000");

    Startup second = start_up(platform, settings, prompter, 12000, 9000, 1235);
    EXPECT_FALSE(second.firmware_warning) << "the firmware warning is shown once";
    EXPECT_TRUE(second.session->hp2_model());
    EXPECT_EQ(second.session->settings().place.browser_left, 4000);
    second.session->shut_down(settings);
}

TEST(FileNames, OnlyHpdAndTextNamesAreTakenAndTheTitleNamesTheFile) {
    EXPECT_TRUE(accepted_hpd_name("a.hpd"));
    EXPECT_TRUE(accepted_hpd_name("A.HPD"));
    EXPECT_TRUE(accepted_hpd_name("list.txt"));
    EXPECT_FALSE(accepted_hpd_name("a.Hpd"));
    EXPECT_FALSE(accepted_hpd_name("a.csv"));
    EXPECT_EQ(window_title("Tarvex", ""), "Tarvex");
    EXPECT_EQ(window_title("Tarvex", "C:\\x.hpd"), "Tarvex - file: C:\\x.hpd");
}
