// The command table: every caption of the menus, tool bar and add buttons leads to one command,
// captions that mean the same thing lead to the same one, and the session runs every command
// the table gives it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "core/editor/commands.h"
#include "session_fixture.h"

using namespace tarvex;
using namespace tarvex::test;

TEST(CommandTable, EveryCaptionResolvesInItsMenuAndAppearsOnceThere) {
    for (const auto& e : command_table()) {
        // Within its submenu, where the same word may stand in two ("Center" of both scopes).
        EXPECT_EQ(find_entry(e.menu, e.submenu, e.caption), &e) << e.caption;
        EXPECT_TRUE(find_command(e.caption).has_value()) << e.caption;
        auto captions = captions_of(e.menu, e.submenu);
        EXPECT_EQ(std::count(captions.begin(), captions.end(), e.caption), 1)
            << menu_title(e.menu) << ": " << e.caption;
        if (e.submenu.empty()) {
            EXPECT_EQ(find_command(e.menu, e.caption), e.id) << e.caption;
        }
    }
    EXPECT_FALSE(find_command("Open hpd file"));
    EXPECT_FALSE(find_command(Menu::File, "Cut"));
}

TEST(CommandTable, CaptionsThatMeanTheSameCommandShareOneId) {
    EXPECT_EQ(find_command("Open HPD File"), CommandId::OpenHpd);
    EXPECT_EQ(find_command("Open System"), CommandId::OpenHpd);
    EXPECT_EQ(find_command(Menu::ToolBar, "Open"), CommandId::OpenHpd);
    EXPECT_EQ(find_command(Menu::ToolBar, "Save"), CommandId::SaveHpd);
    EXPECT_EQ(find_command("Save System"), CommandId::SaveHpd);
    EXPECT_EQ(find_command(Menu::ToolBar, "Down"), CommandId::ShiftDown);
    EXPECT_EQ(find_command(Menu::ToolBar, "Up"), CommandId::ShiftUp);
    EXPECT_EQ(find_command(Menu::ToolBar, "CopyLine"), find_command(Menu::Edit, "Copy Line"));
    EXPECT_EQ(find_command(Menu::Options, "Insert Empty Line"), CommandId::InsertLine);
    EXPECT_EQ(find_command("Remove HPD File"), find_command("Remove HPD"));
    EXPECT_EQ(find_command("Copy Department"), find_command("Copy Group"));
    EXPECT_EQ(find_command("Unlock"), find_command("Unlock All Channels"));
    EXPECT_EQ(find_command("New Department"), find_command(Menu::AddButtons, "Depar."));
    for (auto c : {"Mot", "Mot System"})
        EXPECT_EQ(find_command(Menu::AddButtons, c), CommandId::NewMotorolaSystem) << c;
    for (auto c : {"Edacs", "Eda", "Edacs System"})
        EXPECT_EQ(find_command(Menu::AddButtons, c), CommandId::NewEdacsSystem) << c;
    for (auto c : {"LT", "LTR", "LT System"})
        EXPECT_EQ(find_command(Menu::AddButtons, c), CommandId::NewLtrSystem) << c;
    for (auto c : {"Read", "Read HP-1", "Read Data"})
        EXPECT_EQ(find_command(Menu::ToolBar, c), CommandId::ReadFromScanner) << c;
    for (auto c : {"Send", "HP-1", "Send HP-1", "Write Data"})
        EXPECT_EQ(find_command(Menu::ToolBar, c), CommandId::WriteToScanner) << c;

    // A caption repeated inside a menu family always means one command, except where the
    // menu itself tells them apart.
    std::map<std::string_view, std::set<CommandId>> ids;
    for (const auto& e : command_table()) ids[e.caption].insert(e.id);
    for (const auto& [caption, set] : ids) {
        if (caption == "Groups" || caption == "Upper Case" || caption == "Lower Case" ||
            caption == "Center" || caption == "Left" || caption == "Right")
            continue;
        EXPECT_EQ(set.size(), 1u) << caption;
    }
    EXPECT_EQ(find_command(Menu::Setup, "Groups"), CommandId::GroupNames);
    EXPECT_EQ(find_command(Menu::Browser, "Groups"), CommandId::HighlightGroups);
    EXPECT_EQ(find_command(Menu::AlphaTags, "Upper Case"), CommandId::GroupsUpperCase);
    // The alignment words of both scopes, as the menus show them.
    for (auto [scope, center, left, right] :
         {std::tuple{"Current Group", CommandId::AlignCenter, CommandId::AlignLeft,
                     CommandId::AlignRight},
          std::tuple{"All Groups in System", CommandId::AlignAllCenter, CommandId::AlignAllLeft,
                     CommandId::AlignAllRight}}) {
        EXPECT_EQ(captions_of(Menu::AlphaTags, scope),
                  (std::vector<std::string_view>{"Center", "Left", "Right"}));
        EXPECT_EQ(find_entry(Menu::AlphaTags, scope, "Center")->id, center);
        EXPECT_EQ(find_entry(Menu::AlphaTags, scope, "Left")->id, left);
        EXPECT_EQ(find_entry(Menu::AlphaTags, scope, "Right")->id, right);
    }
}

TEST(CommandTable, CaptionsKeepTheirExactSpacing) {
    EXPECT_EQ(find_command(Menu::Edit, "Edit  (F2)"), CommandId::EditCell);
    EXPECT_FALSE(find_command("Edit (F2)"));
    EXPECT_EQ(find_command(Menu::Scanner, "Homepatrol HP-2  model"), CommandId::ToggleHp2Model);
    EXPECT_EQ(captions_of(Menu::MultiFile),
              (std::vector<std::string_view>{"New HPD", "Add HPD file", "Remove HPD",
                                             "Save All HPD files"}));
    EXPECT_EQ(captions_of(Menu::ImportExport, "Print"),
              (std::vector<std::string_view>{"Current Grid", "Current System", "All Systems"}));
}

TEST(CommandTable, CommandsLeftOutAreListedDisabledWithTheirReason) {
    for (auto id : {CommandId::BulkEditDatabase, CommandId::RemoveQuickKeyFromNames,
                    CommandId::CopyQuickKeyInNames, CommandId::MultiSiteEditor,
                    CommandId::GpsBulkEdit, CommandId::GroupNames}) {
        EXPECT_FALSE(is_available(id));
        EXPECT_NE(unavailable_reason(id), k_not_yet_available) << "every one says why";
    }
    for (auto id : {CommandId::GpsHome, CommandId::GpsDefaults, CommandId::ManageFullDatabase,
                    CommandId::CleanupGrid})
        EXPECT_TRUE(is_available(id));
    for (auto id :
         {CommandId::OpenHpd, CommandId::NewSite, CommandId::Cut, CommandId::Validate,
          CommandId::OpenCalculator, CommandId::ToggleHp2Model, CommandId::FindDuplicates,
          CommandId::EasyFillTrunk, CommandId::CheckForUpdates, CommandId::BulkChannelEdit,
          CommandId::ImportCsv, CommandId::CreateHtml, CommandId::CreateHtmlOfGroup,
          CommandId::PrintCurrentGrid, CommandId::PrintCurrentSystem, CommandId::PrintAllSystems,
          CommandId::OpenSoftwareManual, CommandId::RadioReferenceImport})
        EXPECT_TRUE(is_available(id));
}

TEST(CommandTable, TheCardMasterDatabaseAndVirtualControlWindowsAreReachable) {
    for (auto c : {"Read from HP1", "Read from Scanner", "Upload To HP1 Folder", "Write To HP1",
                   "Backup HP1 Favorites", "Backup HP1 Data", "Edit Favorites Configuration",
                   "Virtual Control", "Add Service Search"})
        EXPECT_TRUE(find_entry(Menu::Scanner, c)->available) << c;
    for (auto c : {"Read", "Read HP-1", "Read Data", "Send", "HP-1", "Send HP-1", "Write Data",
                   "Backup", "VC", "Virtual C."})
        EXPECT_TRUE(find_entry(Menu::ToolBar, c)->available) << c;
    EXPECT_TRUE(find_entry(Menu::ImportExport, "Import System(s) from Database")->available);
    EXPECT_EQ(find_command(Menu::ToolBar, "Backup"), CommandId::BackupData);
    EXPECT_EQ(find_command(Menu::ToolBar, "Virtual C."), CommandId::VirtualControl);
    EXPECT_EQ(handler_of(CommandId::VirtualControl), Handler::Window);
}

TEST(CommandTable, EachCardCommandOpensTheManagerOnThePageOfItsJob) {
    auto page = [](std::string_view caption) { return card_page(*find_command(caption)); };
    EXPECT_EQ(page("Upload To HP1 Folder"), CardPage::Upload);
    EXPECT_EQ(page("Send HP-1"), CardPage::Upload);
    EXPECT_EQ(page("Read Data"), CardPage::Read);
    EXPECT_EQ(page("Edit Favorites Configuration"), CardPage::Configuration);
    EXPECT_EQ(page("Backup"), CardPage::Backup);
    EXPECT_EQ(page("Backup HP1 Favorites"), CardPage::Backup);
    EXPECT_EQ(page("Add Service Search"), CardPage::Backup);
    EXPECT_EQ(page("Virtual Control"), std::nullopt);
    EXPECT_EQ(page("Import System(s) from Database"), std::nullopt);
}

TEST(CommandTable, TheSessionRunsEveryCommandHandedToItAndNoOther) {
    SessionFixture f;
    f.prompter.script({});  // every question answered No, every dialog cancelled
    for (const auto& e : command_table()) {
        bool expected = e.handler == Handler::Session && e.available;
        EXPECT_EQ(f.session.run(e.id, f.chooser), expected) << e.caption;
    }
}
