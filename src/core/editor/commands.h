#pragma once
// The command table of the main window. Menus, the tool bar and the add buttons all name their
// commands by caption; this table turns a caption into one command id, so a menu item, a tool
// button and an add button that mean the same thing run the same code, and so the dispatch can
// be tested without a window.
//
// Every caption the window shows is listed here, in the order the window shows it. A command
// the program does not have is listed too, with `available` false: the window shows it
// disabled rather than hiding it or pretending to run it.
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarvex {

enum class Menu {
    File,       // the system menu
    MultiFile,  // several HPD files open at once (setting multihpd)
    Add,        // new systems, sites, groups
    Edit,       // grid operations
    AlphaTags,  // case and alignment of alpha tags over whole groups
    Options,
    ImportExport,
    Scanner,
    Setup,
    Tools,
    Browser,    // tree options, sort and highlight menus of the browser
    TreePopup,  // the browser's right-click menu
    Help,
    ToolBar,
    AddButtons,  // the buttons beside the browser
};

enum class CommandId {
    // file
    OpenHpd,
    AddHpd,
    SaveHpd,
    SaveHpdAs,
    SaveAllHpd,
    RemoveHpd,
    CloseSystem,
    CloseAll,
    QuickSaveAll,
    OpenUnitIdFile,  // the unit-ID editor's list file
    SaveUnitIdFile,
    Exit,
    // multi-file
    NewHpd,
    MultiAddHpd,
    // add
    NewConventionalSystem,
    NewMotorolaSystem,
    NewRebandedSystem,
    NewEdacsSystem,
    NewLtrSystem,
    NewP25System,
    NewX2TdmaSystem,
    NewMotoTrboSystem,
    NewDmrSystem,
    NewSite,
    NewGroup,
    NewChannel,
    // grid (edit menu, grid pop-up, tool bar)
    Cut,
    Copy,
    Paste,
    PasteFrequencies,
    Delete,
    CutLine,
    CopyLine,
    PasteLine,
    SelectAll,
    Find,
    Replace,
    FindInDatabase,  // every open system, not only the grid
    ShiftUp,
    ShiftDown,
    CopyFrequencyToAlphaTag,
    CopyTalkgroupToAlphaTag,
    CopyIdToAlphaTag,
    ClearCurrentGrid,
    InsertLine,
    FillDown,
    FillSeries,
    LowerCase,
    UpperCase,
    SpecialCase,
    EditCell,
    MoveTo,
    CopyTo,
    ConvertDecimal,
    ConvertAfs,
    SplitComments,
    ClearSelectedLines,
    RemoveEmptyLines,
    Validate,
    // alpha tags over whole groups
    AllUpperCase,
    AllLowerCase,
    GroupsUpperCase,
    GroupsLowerCase,
    AlignCenter,
    AlignLeft,
    AlignRight,
    AlignAllCenter,
    AlignAllLeft,
    AlignAllRight,
    JustifyAlphaTags,
    // options
    RemoveQuickKeyFromNames,
    CopyQuickKeyInNames,
    SaveIndividualSystems,
    BulkChannelEdit,
    UnlockChannels,
    FindLockOutChannels,
    ReviewLockOutChannels,
    ClearLockOut,
    FindDuplicates,
    RemoveDuplicates,
    CleanupGrid,
    EasyFillChannels,
    EasyFillTrunk,
    // import / export / print
    ImportConventionalHpd,
    ImportTrunkedHpd,
    ImportDatabaseFile,
    ImportHpdFolder,
    ImportFromDatabase,
    ImportCsv,
    CreateHtml,
    CreateHtmlOfGroup,
    PrintCurrentGrid,
    PrintCurrentSystem,
    PrintAllSystems,
    // scanner
    ReadFromScanner,
    UploadToScannerFolder,
    WriteToScanner,
    BackupFavorites,
    BackupData,
    EditFavoritesConfiguration,
    VirtualControl,
    AddServiceSearch,
    BulkEditDatabase,
    ManageFullDatabase,
    ToggleHp2Model,
    RadioReferenceImport,
    // setup
    SystemQuickKeyEditor,
    QuickKeyManager,
    SearchRanges,
    SoftwareOptions,
    MultiSiteEditor,
    GpsBulkEdit,
    GpsHome,
    GpsDefaults,
    GroupNames,
    // tools
    OpenCalculator,
    OpenNotePad,
    DecHexConverter,
    AlertTones,
    GpsLocationSearch,
    ShowAllOnMap,
    RadioReferenceSearch,
    // browser
    Expand,
    Collapse,
    SortNone,
    SortByName,
    SortBySystemType,
    SortByQuickKey,
    SortByQuickKeyUniden,
    HighlightChangedSystems,
    HighlightSystems,
    HighlightGroups,
    HighlightLockOutSystems,
    HighlightSites,
    HighlightLockOutSites,
    HighlightLockOutGroups,
    HighlightTrunkGroups,
    HighlightConvGroups,
    // tree pop-up
    CopySystem,
    PasteSystem,
    DeleteSystem,
    DeleteMultipleSystems,
    CopySite,
    PasteSite,
    DeleteSite,
    CopyGroup,
    PasteGroup,
    DeleteGroup,
    EditGroups,
    // help
    ShortcutsOverview,
    About,
    OpenSoftwareManual,
    CheckForUpdates,
};

// Who carries a command out.
enum class Handler {
    Session,  // EditingSession::run (store and file commands)
    Grid,     // the open grid editor (core/editor/grid_*.h)
    Window,   // the window alone: a dialog or a platform service (calculator, tree expand, ...)
};

struct CommandEntry {
    Menu menu;
    std::string_view submenu;  // "" or the caption of the submenu the item sits in
    std::string_view caption;  // exact text, double blanks included
    CommandId id;
    Handler handler;
    bool available;  // false: the program does not have it; shown disabled
};

// The whole table, menus in the order above and captions in the order the window shows them.
std::span<const CommandEntry> command_table();

// The id of a caption. A caption that appears in several places with different meanings
// ("Groups" is a setup editor and a highlight; "Upper Case" a grid command and an alpha-tag
// command) resolves to its first entry here; pass the menu to pick the right one.
std::optional<CommandId> find_command(std::string_view caption);
std::optional<CommandId> find_command(Menu menu, std::string_view caption);
const CommandEntry* find_entry(Menu menu, std::string_view caption);
// The same caption in two submenus of one menu ("Center" of "Current Group" and of "All Groups
// in System") is told apart by the submenu.
const CommandEntry* find_entry(Menu menu, std::string_view submenu, std::string_view caption);

// The captions of one menu (or of one submenu of it), in order.
std::vector<std::string_view> captions_of(Menu menu);
std::vector<std::string_view> captions_of(Menu menu, std::string_view submenu);
// The submenus of a menu in order of first appearance ("" for items directly in the menu).
std::vector<std::string_view> submenus_of(Menu menu);

std::string_view menu_title(Menu menu);  // "File", "Multi-file", "Edit", ...
bool is_available(CommandId id);         // false when every entry of the id is unavailable
Handler handler_of(CommandId id);

// The page of the favorites-lists manager a scanner command opens it on: the command names
// what the user came to do, so the window starts there. nullopt for commands of other windows.
enum class CardPage { Upload, Read, Configuration, Backup };
std::optional<CardPage> card_page(CommandId id);

// Messages of the dispatch itself.
inline constexpr std::string_view k_no_item_assigned = "no item assigned";    // setup, unknown
inline constexpr std::string_view k_not_yet_available = "not yet available";  // tool tip
// Why a command is shown disabled, for its tool tip and the status bar: what to use instead,
// or k_not_yet_available.
std::string_view unavailable_reason(CommandId id);

}  // namespace tarvex
