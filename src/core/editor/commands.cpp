#include "core/editor/commands.h"

#include <algorithm>
#include <array>

namespace tarvex {

namespace {

using C = CommandId;
using M = Menu;
constexpr Handler S = Handler::Session;
constexpr Handler G = Handler::Grid;
constexpr Handler W = Handler::Window;
constexpr bool yes = true;
constexpr bool later = false;  // not built in this edition yet: shown, disabled

// clang-format off
constexpr CommandEntry k_table[] = {
    // ---- File (the system menu) ----
    {M::File, "", "Open HPD File", C::OpenHpd, S, yes},
    {M::File, "", "Open System", C::OpenHpd, S, yes},
    {M::File, "", "Add Another HPD File", C::AddHpd, S, yes},
    {M::File, "", "Add HPD File", C::AddHpd, S, yes},
    {M::File, "", "Save HPD File", C::SaveHpd, S, yes},
    {M::File, "", "Save System", C::SaveHpd, S, yes},
    {M::File, "", "Save HPD File As", C::SaveHpdAs, S, yes},
    {M::File, "", "Save System As", C::SaveHpdAs, S, yes},
    {M::File, "", "Save All HPD files", C::SaveAllHpd, S, yes},
    {M::File, "", "Remove HPD File", C::RemoveHpd, S, yes},
    {M::File, "", "Close System", C::CloseSystem, S, yes},
    {M::File, "", "Close", C::CloseAll, S, yes},
    {M::File, "", "Quick Save All Systems", C::QuickSaveAll, S, yes},
    {M::File, "", "Open Unit ID file", C::OpenUnitIdFile, W, yes},
    {M::File, "", "Save Unit ID file", C::SaveUnitIdFile, W, yes},
    {M::File, "", "Exit", C::Exit, W, yes},

    // ---- several HPD files at once ----
    {M::MultiFile, "", "New HPD", C::NewHpd, S, yes},
    {M::MultiFile, "", "Add HPD file", C::MultiAddHpd, S, yes},
    {M::MultiFile, "", "Remove HPD", C::RemoveHpd, S, yes},
    {M::MultiFile, "", "Save All HPD files", C::SaveAllHpd, S, yes},

    // ---- Add ----
    {M::Add, "", "New Conventional System", C::NewConventionalSystem, S, yes},
    {M::Add, "", "New Motorola Trunk System", C::NewMotorolaSystem, S, yes},
    {M::Add, "", "New Rebanded Trunk System", C::NewRebandedSystem, S, yes},
    {M::Add, "", "New Edacs Trunk System", C::NewEdacsSystem, S, yes},
    {M::Add, "", "New LT Trunk System", C::NewLtrSystem, S, yes},
    {M::Add, "", "New P25 Trunk System", C::NewP25System, S, yes},
    {M::Add, "", "New X2 TDMA Trunk System", C::NewX2TdmaSystem, S, yes},
    {M::Add, "", "New MotoTRBO Trunk System", C::NewMotoTrboSystem, S, yes},
    {M::Add, "", "New DMR One Frequency System", C::NewDmrSystem, S, yes},
    {M::Add, "", "New Site", C::NewSite, S, yes},
    {M::Add, "", "New Group", C::NewGroup, S, yes},
    {M::Add, "", "New Department", C::NewGroup, S, yes},

    // ---- Edit (and the grid's pop-up menu) ----
    {M::Edit, "", "Cut", C::Cut, G, yes},
    {M::Edit, "", "Copy", C::Copy, G, yes},
    {M::Edit, "", "Paste", C::Paste, G, yes},
    {M::Edit, "", "Paste Frequencies", C::PasteFrequencies, G, yes},
    {M::Edit, "", "Delete", C::Delete, G, yes},
    {M::Edit, "", "Cut Line", C::CutLine, G, yes},
    {M::Edit, "", "Copy Line", C::CopyLine, G, yes},
    {M::Edit, "", "Paste Line", C::PasteLine, G, yes},
    {M::Edit, "", "Select All", C::SelectAll, G, yes},
    {M::Edit, "", "Find", C::Find, G, yes},
    {M::Edit, "", "Replace", C::Replace, G, yes},
    {M::Edit, "", "Find in Database...", C::FindInDatabase, W, yes},
    {M::Edit, "", "Shift Up", C::ShiftUp, G, yes},
    {M::Edit, "", "Shift Down", C::ShiftDown, G, yes},
    {M::Edit, "", "Copy Frequency to Alpha Tag", C::CopyFrequencyToAlphaTag, G, yes},
    {M::Edit, "", "Copy Talkgroup to Alpha Tag", C::CopyTalkgroupToAlphaTag, G, yes},
    {M::Edit, "", "Copy ID/Freq to Alpha Tag", C::CopyIdToAlphaTag, G, yes},
    {M::Edit, "", "Clear Current Grid", C::ClearCurrentGrid, G, yes},
    {M::Edit, "", "Insert Line", C::InsertLine, G, yes},
    {M::Edit, "", "Fill Down", C::FillDown, G, yes},
    {M::Edit, "", "Fill Series", C::FillSeries, G, yes},
    {M::Edit, "", "Lower Case", C::LowerCase, G, yes},
    {M::Edit, "", "Upper Case", C::UpperCase, G, yes},
    {M::Edit, "", "Special Case (Sample Text)", C::SpecialCase, G, yes},
    {M::Edit, "", "Edit  (F2)", C::EditCell, G, yes},
    {M::Edit, "", "Move To", C::MoveTo, G, yes},
    {M::Edit, "", "Copy To", C::CopyTo, G, yes},
    {M::Edit, "", "Convert Decimal", C::ConvertDecimal, G, yes},
    {M::Edit, "", "Convert AFS", C::ConvertAfs, G, yes},
    {M::Edit, "", "Split Comments", C::SplitComments, G, yes},

    // ---- case and alignment of alpha tags over whole groups ----
    {M::AlphaTags, "All Departments", "All Upper Case", C::AllUpperCase, W, yes},
    {M::AlphaTags, "All Departments", "All Lower Case", C::AllLowerCase, W, yes},
    {M::AlphaTags, "Current Department", "Upper Case", C::GroupsUpperCase, W, yes},
    {M::AlphaTags, "Current Department", "Lower Case", C::GroupsLowerCase, W, yes},
    {M::AlphaTags, "Current Group", "Center", C::AlignCenter, W, yes},
    {M::AlphaTags, "Current Group", "Left", C::AlignLeft, W, yes},
    {M::AlphaTags, "Current Group", "Right", C::AlignRight, W, yes},
    {M::AlphaTags, "All Groups in System", "Center", C::AlignAllCenter, W, yes},
    {M::AlphaTags, "All Groups in System", "Left", C::AlignAllLeft, W, yes},
    {M::AlphaTags, "All Groups in System", "Right", C::AlignAllRight, W, yes},

    // ---- Options ----
    {M::Options, "", "Remove QuickKey From Names", C::RemoveQuickKeyFromNames, W, later},
    {M::Options, "", "Copy QuickKey In Names", C::CopyQuickKeyInNames, W, later},
    {M::Options, "", "Save Individual Systems as HPD file", C::SaveIndividualSystems, W, yes},
    {M::Options, "", "Bulk Channel Edit", C::BulkChannelEdit, W, yes},
    {M::Options, "", "Unlock", C::UnlockChannels, W, yes},
    {M::Options, "", "Unlock All Channels", C::UnlockChannels, W, yes},
    {M::Options, "", "Clear Selected Line(s)", C::ClearSelectedLines, G, yes},
    {M::Options, "", "Insert Empty Line", C::InsertLine, G, yes},
    {M::Options, "", "Remove Empty Line(s)", C::RemoveEmptyLines, G, yes},
    {M::Options, "", "Fill Down", C::FillDown, G, yes},
    {M::Options, "", "Fill Series", C::FillSeries, G, yes},
    {M::Options, "", "Find LockOut Channels", C::FindLockOutChannels, W, yes},
    {M::Options, "", "Review LockOut Channels", C::ReviewLockOutChannels, W, yes},
    {M::Options, "", "Clear LockOut", C::ClearLockOut, W, yes},
    {M::Options, "", "Clear LockOut Channels", C::ClearLockOut, W, yes},
    {M::Options, "", "Find Duplicates", C::FindDuplicates, W, yes},
    {M::Options, "", "Remove Duplicates", C::RemoveDuplicates, W, yes},
    {M::Options, "", "Justify Alpha Tags", C::JustifyAlphaTags, W, yes},
    {M::Options, "", "Cleanup Grid", C::CleanupGrid, G, yes},
    {M::Options, "", "Easy Fill Channels", C::EasyFillChannels, W, yes},
    {M::Options, "", "Easy Fill Trunk", C::EasyFillTrunk, W, yes},

    // ---- Import/export ----
    {M::ImportExport, "Import HPD Advanced", "Conv. Systems from HPD file", C::ImportConventionalHpd, S, yes},
    {M::ImportExport, "Import HPD Advanced", "Trunk Systems from HPD file", C::ImportTrunkedHpd, S, yes},
    {M::ImportExport, "Import HPD Advanced", "DataBase File", C::ImportDatabaseFile, S, yes},
    {M::ImportExport, "Import HPD Advanced", "HPD Files", C::ImportHpdFolder, S, yes},
    {M::ImportExport, "", "Import System(s) from Database", C::ImportFromDatabase, W, yes},
    {M::ImportExport, "", "Import from RadioReference", C::RadioReferenceImport, W, yes},
    {M::ImportExport, "", "Import CSV", C::ImportCsv, W, yes},
    {M::ImportExport, "", "Import CSV File", C::ImportCsv, W, yes},
    {M::ImportExport, "", "Create HTML", C::CreateHtml, W, yes},
    {M::ImportExport, "", "Create HTML of Group", C::CreateHtmlOfGroup, W, yes},
    {M::ImportExport, "Print", "Current Grid", C::PrintCurrentGrid, W, yes},
    {M::ImportExport, "Print", "Current System", C::PrintCurrentSystem, W, yes},
    {M::ImportExport, "Print", "All Systems", C::PrintAllSystems, W, yes},

    // ---- Scanner ----
    {M::Scanner, "", "Read from HP1", C::ReadFromScanner, W, yes},
    {M::Scanner, "", "Read from Scanner", C::ReadFromScanner, W, yes},
    {M::Scanner, "", "Upload To HP1 Folder", C::UploadToScannerFolder, W, yes},
    {M::Scanner, "", "Write To HP1", C::WriteToScanner, W, yes},
    {M::Scanner, "", "Backup HP1 Favorites", C::BackupFavorites, W, yes},
    {M::Scanner, "", "Backup HP1 Data", C::BackupData, W, yes},
    {M::Scanner, "", "Edit Favorites Configuration", C::EditFavoritesConfiguration, W, yes},
    {M::Scanner, "", "Virtual Control", C::VirtualControl, W, yes},
    {M::Scanner, "", "Add Service Search", C::AddServiceSearch, W, yes},
    {M::Scanner, "", "Bulk Edit Database", C::BulkEditDatabase, W, later},
    {M::Scanner, "", "Manage Full Database", C::ManageFullDatabase, W, yes},
    {M::Scanner, "", "Homepatrol HP-2  model", C::ToggleHp2Model, S, yes},

    // ---- Setup ----
    // No quick-key or search-range editor: HomePatrol files hold neither (see the README).
    {M::Setup, "", "Software Options", C::SoftwareOptions, W, yes},
    {M::Setup, "", "Multi Site Editor", C::MultiSiteEditor, W, later},
    {M::Setup, "", "GPS Bulk Edit", C::GpsBulkEdit, W, later},
    {M::Setup, "", "GPS Home", C::GpsHome, W, yes},
    {M::Setup, "", "GPS Defaults", C::GpsDefaults, W, yes},
    {M::Setup, "", "Groups", C::GroupNames, W, later},
    {M::Setup, "", "Departments", C::GroupNames, W, later},

    // ---- Tools ----
    {M::Tools, "", "Open Calculator", C::OpenCalculator, W, yes},
    {M::Tools, "", "Open NotePad", C::OpenNotePad, W, yes},
    {M::Tools, "", "DEC HEX Converter", C::DecHexConverter, W, yes},
    {M::Tools, "", "Alert Tones", C::AlertTones, W, yes},
    {M::Tools, "", "GPS Location Search", C::GpsLocationSearch, W, yes},
    {M::Tools, "", "Show all on map", C::ShowAllOnMap, W, yes},
    {M::Tools, "", "RadioReference Frequency Search", C::RadioReferenceSearch, W, yes},

    // ---- Browser menus ----
    {M::Browser, "Tree", "Expand", C::Expand, W, yes},
    {M::Browser, "Tree", "Collapse", C::Collapse, W, yes},
    {M::Browser, "Tree", "AutoSort", C::SortByName, S, yes},
    {M::Browser, "Tree", "HighLight Changed Systems", C::HighlightChangedSystems, W, yes},
    {M::Browser, "Sort", "No Sort", C::SortNone, S, yes},
    {M::Browser, "Sort", "Sort By Name", C::SortByName, S, yes},
    {M::Browser, "Sort", "Sort By System Name", C::SortByName, S, yes},
    {M::Browser, "Sort", "Sort By SystemType", C::SortBySystemType, S, yes},
    {M::Browser, "Sort", "Sort By QuickKey", C::SortByQuickKey, S, yes},
    {M::Browser, "Sort", "Sort By QuickKey (Uniden)", C::SortByQuickKeyUniden, S, yes},
    {M::Browser, "HighLight", "Changed Systems", C::HighlightChangedSystems, W, yes},
    {M::Browser, "HighLight", "Systems", C::HighlightSystems, W, yes},
    {M::Browser, "HighLight", "Groups", C::HighlightGroups, W, yes},
    {M::Browser, "HighLight", "LockOut Systems", C::HighlightLockOutSystems, W, yes},
    {M::Browser, "HighLight", "Sites", C::HighlightSites, W, yes},
    {M::Browser, "HighLight", "LockOut Sites", C::HighlightLockOutSites, W, yes},
    {M::Browser, "HighLight", "LockOut Groups", C::HighlightLockOutGroups, W, yes},
    {M::Browser, "HighLight", "Trunk Groups", C::HighlightTrunkGroups, W, yes},
    {M::Browser, "HighLight", "Conv Groups", C::HighlightConvGroups, W, yes},

    // ---- the browser's pop-up menu ----
    {M::TreePopup, "", "Copy System", C::CopySystem, S, yes},
    {M::TreePopup, "", "Paste System", C::PasteSystem, S, yes},
    {M::TreePopup, "", "Delete System", C::DeleteSystem, S, yes},
    {M::TreePopup, "", "Delete Multiple Systems", C::DeleteMultipleSystems, W, yes},
    {M::TreePopup, "", "Copy Site", C::CopySite, S, yes},
    {M::TreePopup, "", "Paste Site", C::PasteSite, S, yes},
    {M::TreePopup, "", "Delete Site", C::DeleteSite, S, yes},
    {M::TreePopup, "", "Copy Group", C::CopyGroup, S, yes},
    {M::TreePopup, "", "Copy Department", C::CopyGroup, S, yes},
    {M::TreePopup, "", "Paste Group", C::PasteGroup, S, yes},
    {M::TreePopup, "", "Paste Department", C::PasteGroup, S, yes},
    {M::TreePopup, "", "Delete Group", C::DeleteGroup, S, yes},
    {M::TreePopup, "", "Delete Department", C::DeleteGroup, S, yes},
    {M::TreePopup, "", "Edit Groups", C::EditGroups, W, yes},
    {M::TreePopup, "", "Edit Departments", C::EditGroups, W, yes},

    // ---- Help ----
    {M::Help, "", "Shortcuts Overview", C::ShortcutsOverview, W, yes},
    {M::Help, "", "About", C::About, W, yes},
    {M::Help, "", "Open Software Manual", C::OpenSoftwareManual, W, yes},
    {M::Help, "", "Check for Updates", C::CheckForUpdates, W, yes},

    // ---- Tool bar ----
    {M::ToolBar, "", "Open", C::OpenHpd, S, yes},
    {M::ToolBar, "", "Save", C::SaveHpd, S, yes},
    {M::ToolBar, "", "Cut", C::Cut, G, yes},
    {M::ToolBar, "", "Copy", C::Copy, G, yes},
    {M::ToolBar, "", "Paste", C::Paste, G, yes},
    {M::ToolBar, "", "Cut Line", C::CutLine, G, yes},
    {M::ToolBar, "", "CopyLine", C::CopyLine, G, yes},
    {M::ToolBar, "", "PasteLine", C::PasteLine, G, yes},
    {M::ToolBar, "", "Down", C::ShiftDown, G, yes},
    {M::ToolBar, "", "Up", C::ShiftUp, G, yes},
    {M::ToolBar, "", "Delete", C::Delete, G, yes},
    {M::ToolBar, "", "Fill", C::FillDown, G, yes},
    {M::ToolBar, "", "Read", C::ReadFromScanner, W, yes},
    {M::ToolBar, "", "Read HP-1", C::ReadFromScanner, W, yes},
    {M::ToolBar, "", "Read Data", C::ReadFromScanner, W, yes},
    {M::ToolBar, "", "Send", C::WriteToScanner, W, yes},
    {M::ToolBar, "", "HP-1", C::WriteToScanner, W, yes},
    {M::ToolBar, "", "Send HP-1", C::WriteToScanner, W, yes},
    {M::ToolBar, "", "Write Data", C::WriteToScanner, W, yes},
    {M::ToolBar, "", "Backup", C::BackupData, W, yes},
    {M::ToolBar, "", "Check", C::Validate, G, yes},
    {M::ToolBar, "", "Conv.", C::RadioReferenceImport, W, yes},
    {M::ToolBar, "", "RR", C::RadioReferenceImport, W, yes},
    {M::ToolBar, "", "VC", C::VirtualControl, W, yes},
    {M::ToolBar, "", "Virtual C.", C::VirtualControl, W, yes},

    // ---- the add buttons beside the browser ----
    {M::AddButtons, "", "Con", C::NewConventionalSystem, S, yes},
    {M::AddButtons, "", "Mot", C::NewMotorolaSystem, S, yes},
    {M::AddButtons, "", "Mot System", C::NewMotorolaSystem, S, yes},
    {M::AddButtons, "", "Edacs", C::NewEdacsSystem, S, yes},
    {M::AddButtons, "", "Eda", C::NewEdacsSystem, S, yes},
    {M::AddButtons, "", "Edacs System", C::NewEdacsSystem, S, yes},
    {M::AddButtons, "", "LT", C::NewLtrSystem, S, yes},
    {M::AddButtons, "", "LTR", C::NewLtrSystem, S, yes},
    {M::AddButtons, "", "LT System", C::NewLtrSystem, S, yes},
    {M::AddButtons, "", "P25", C::NewP25System, S, yes},
    {M::AddButtons, "", "Trbo", C::NewMotoTrboSystem, S, yes},
    {M::AddButtons, "", "Dmr", C::NewDmrSystem, S, yes},
    {M::AddButtons, "", "Site", C::NewSite, S, yes},
    {M::AddButtons, "", "Group", C::NewGroup, S, yes},
    {M::AddButtons, "", "Depar.", C::NewGroup, S, yes},
    {M::AddButtons, "", "Channel", C::NewChannel, G, yes},
};
// clang-format on

}  // namespace

std::string_view unavailable_reason(CommandId id) {
    switch (id) {
        case C::RemoveQuickKeyFromNames:
        case C::CopyQuickKeyInNames:
            return "HomePatrol files hold no quick keys, so there is none to put into or take "
                   "out of the names";
        case C::BulkEditDatabase:
            return "Uniden's master database is only read here: import its systems, then use "
                   "Bulk Channel Edit";
        case C::MultiSiteEditor:
            return "Sites are edited one at a time; \"Ok, All Sites\" and \"Apply To Grp/Site\" "
                   "copy a bandplan or a location to every site of the system";
        case C::GpsBulkEdit:
            return "\"Apply To Grp/Site\" in a site's GPS Location Data Editor sets every site "
                   "of the system";
        case C::GroupNames:
            return "Groups and departments are named in the browser and in the grid's header";
        default:
            break;
    }
    return k_not_yet_available;
}

std::span<const CommandEntry> command_table() {
    return k_table;
}

const CommandEntry* find_entry(Menu menu, std::string_view caption) {
    for (const auto& e : k_table)
        if (e.menu == menu && e.caption == caption) return &e;
    return nullptr;
}

const CommandEntry* find_entry(Menu menu, std::string_view submenu, std::string_view caption) {
    for (const auto& e : k_table)
        if (e.menu == menu && e.submenu == submenu && e.caption == caption) return &e;
    return nullptr;
}

std::optional<CommandId> find_command(std::string_view caption) {
    for (const auto& e : k_table)
        if (e.caption == caption) return e.id;
    return std::nullopt;
}

std::optional<CommandId> find_command(Menu menu, std::string_view caption) {
    if (const CommandEntry* e = find_entry(menu, caption)) return e->id;
    return std::nullopt;
}

std::vector<std::string_view> captions_of(Menu menu) {
    std::vector<std::string_view> out;
    for (const auto& e : k_table)
        if (e.menu == menu) out.push_back(e.caption);
    return out;
}

std::vector<std::string_view> captions_of(Menu menu, std::string_view submenu) {
    std::vector<std::string_view> out;
    for (const auto& e : k_table)
        if (e.menu == menu && e.submenu == submenu) out.push_back(e.caption);
    return out;
}

std::vector<std::string_view> submenus_of(Menu menu) {
    std::vector<std::string_view> out;
    for (const auto& e : k_table)
        if (e.menu == menu && std::find(out.begin(), out.end(), e.submenu) == out.end())
            out.push_back(e.submenu);
    return out;
}

std::string_view menu_title(Menu menu) {
    switch (menu) {
        case Menu::File:
            return "File";
        case Menu::MultiFile:
            return "Multi-file";
        case Menu::Add:
            return "Add";
        case Menu::Edit:
            return "Edit";
        case Menu::AlphaTags:
            return "Alpha Tags";
        case Menu::Options:
            return "Options";
        case Menu::ImportExport:
            return "Import/export";
        case Menu::Scanner:
            return "Scanner";
        case Menu::Setup:
            return "Setup";
        case Menu::Tools:
            return "Tools";
        case Menu::Browser:
            return "Browser";
        case Menu::TreePopup:
            return "Tree pop-up";
        case Menu::Help:
            return "Help";
        case Menu::ToolBar:
            return "Tool bar";
        case Menu::AddButtons:
            return "Add buttons";
    }
    return "";
}

bool is_available(CommandId id) {
    return std::any_of(std::begin(k_table), std::end(k_table),
                       [id](const CommandEntry& e) { return e.id == id && e.available; });
}

Handler handler_of(CommandId id) {
    for (const auto& e : k_table)
        if (e.id == id) return e.handler;
    return Handler::Window;
}

std::optional<CardPage> card_page(CommandId id) {
    switch (id) {
        case CommandId::UploadToScannerFolder:
        case CommandId::WriteToScanner:
            return CardPage::Upload;
        case CommandId::ReadFromScanner:
            return CardPage::Read;
        case CommandId::EditFavoritesConfiguration:
            return CardPage::Configuration;
        // The service-search lists are added from the backup page's row of buttons.
        case CommandId::BackupFavorites:
        case CommandId::BackupData:
        case CommandId::AddServiceSearch:
            return CardPage::Backup;
        default:
            return std::nullopt;
    }
}

}  // namespace tarvex
