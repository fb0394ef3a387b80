// The rules behind the main window's looks: help texts and icons of the commands, mnemonics,
// the browser's legend, the Recent Files list and where a restored window goes.
#include <gtest/gtest.h>

#include <set>

#include "core/editor/command_help.h"
#include "core/editor/grid_fit.h"
#include "core/editor/recent_files.h"
#include "core/editor/window_fit.h"
#include "core/settings/settings.h"

using namespace tarvex;

TEST(CommandHelp, EveryToolBarAndAddButtonSaysMoreThanItsCaption) {
    for (const CommandEntry& e : command_table()) {
        if (e.menu != Menu::ToolBar && e.menu != Menu::AddButtons) continue;
        const std::string tip = command_tool_tip(e.id, e.caption, "");
        EXPECT_NE(tip, e.caption) << e.caption;
        if (e.menu == Menu::ToolBar) {
            EXPECT_FALSE(command_icon(e.id).empty()) << e.caption;
        }
    }
    // The add buttons name the system type they add.
    EXPECT_NE(command_tool_tip(CommandId::NewLtrSystem, "LT", "").find("LTR"), std::string::npos);
    EXPECT_NE(command_tool_tip(CommandId::NewMotoTrboSystem, "Trbo", "").find("MotoTRBO"),
              std::string::npos);
    EXPECT_EQ(command_tool_tip(CommandId::SaveHpd, "Save", "Ctrl+S"), "Save the HPD file (Ctrl+S)");
    // A command without a sentence falls back on its caption.
    EXPECT_EQ(command_tool_tip(CommandId::Expand, "Expand", ""), "Expand");
}

TEST(CommandHelp, MnemonicsAreUniqueAmongSiblingsAndKeepTheWords) {
    struct Case {
        std::vector<std::string_view> captions;
        std::vector<std::string> marked;
    };
    const Case cases[] = {
        {{"Open HPD File", "Save HPD File", "Save HPD File As", "Exit"},
         {"&Open HPD File", "&Save HPD File", "Save &HPD File As", "&Exit"}},
        // A taken first letter moves to the next word, then to any free letter; a literal "&"
        // stays a character.
        {{"Cut", "Copy", "Cut Line", "Cc"}, {"&Cut", "C&opy", "Cut &Line", "Cc"}},
        {{"A & B", "a"}, {"&A && B", "a"}},
    };
    for (const Case& c : cases) {
        std::string taken;
        for (size_t i = 0; i < c.captions.size(); ++i)
            EXPECT_EQ(with_mnemonic(c.captions[i], taken), c.marked[i]) << c.captions[i];
    }
    // The menu bar: every title marked, no two on one letter, Alt+F is File.
    EXPECT_EQ(menu_title_with_mnemonic(Menu::File), "&File");
    std::set<char> letters;
    for (Menu m :
         {Menu::File, Menu::MultiFile, Menu::Add, Menu::Edit, Menu::Options, Menu::ImportExport,
          Menu::Scanner, Menu::Setup, Menu::Tools, Menu::Browser, Menu::Help}) {
        std::string t = menu_title_with_mnemonic(m);
        size_t at = t.find('&');
        ASSERT_NE(at, std::string::npos) << t;
        std::string plain = t;
        plain.erase(at, 1);
        EXPECT_EQ(plain, menu_title(m));
        EXPECT_TRUE(letters.insert(static_cast<char>(std::tolower(t[at + 1]))).second) << t;
    }
}

TEST(CommandHelp, AnEllipsisIsShownOnlyWhereTheTableEndsInThreeDots) {
    // The window shows the ellipsis by replacing the caption's closing "..."; a caption changed
    // without it would lose the character silently.
    int shown = 0;
    for (const CommandEntry& e : command_table()) {
        if (!shows_ellipsis(e.id)) continue;
        ++shown;
        EXPECT_TRUE(e.caption.ends_with("...")) << e.caption;
    }
    EXPECT_GE(shown, 1);
    EXPECT_TRUE(shows_ellipsis(CommandId::FindInDatabase));
    // The scanner software's own captions keep what they are written with.
    EXPECT_FALSE(shows_ellipsis(CommandId::OpenHpd));
}

TEST(CommandHelp, SystemNodesExplainTheirLetter) {
    EXPECT_EQ(node_tool_tip("Dallas", NodeImage::Motorola), "Dallas\nMotorola trunked system (M)");
    EXPECT_EQ(node_tool_tip("Rural", NodeImage::Ltr), "Rural\nLTR trunked system (L)");
    std::set<std::string_view> letters;
    for (NodeImage i :
         {NodeImage::Conventional, NodeImage::Motorola, NodeImage::Edacs, NodeImage::EdacsScat,
          NodeImage::Ltr, NodeImage::P25, NodeImage::P25OneFrequency, NodeImage::P25X2Tdma,
          NodeImage::MotoTrbo, NodeImage::DmrOneFrequency}) {
        EXPECT_FALSE(node_kind_words(i).empty());
        EXPECT_TRUE(letters.insert(node_kind_letter(i)).second) << node_kind_words(i);
    }
}

TEST(RecentFiles, NewestFirstTenAtMostNoRepeatsAndKeptInTheSettings) {
    std::vector<std::string> list;
    for (int i = 0; i < 12; ++i) list = with_recent_file(list, "/f" + std::to_string(i) + ".hpd");
    ASSERT_EQ(list.size(), k_recent_files_max);
    EXPECT_EQ(list.front(), "/f11.hpd");
    EXPECT_EQ(list.back(), "/f2.hpd");
    // Opening a listed file again moves it to the front instead of listing it twice.
    list = with_recent_file(list, "/f5.hpd");
    EXPECT_EQ(list.size(), k_recent_files_max);
    EXPECT_EQ(list[0], "/f5.hpd");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/f5.hpd"), 1);

    MemorySettingsBackend main_store, import_store;
    Settings settings(main_store, import_store);
    write_recent_files(settings, list);
    EXPECT_EQ(read_recent_files(settings), list);
    // A removed entry stays removed after a restart, even from the last slot.
    list = without_recent_file(list, list.back());
    write_recent_files(settings, list);
    EXPECT_EQ(read_recent_files(settings), list);
    EXPECT_NE(recent_file_missing_message("/gone.hpd").find("/gone.hpd"), std::string::npos);
}

TEST(WindowFit, ARestoredWindowLiesWhollyOnTheScreen) {
    struct Case {
        const char* what;
        ScreenRect saved, available, expected;
    };
    const ScreenRect laptop{0, 0, 1366, 738};
    const Case cases[] = {
        {"fits already", {100, 80, 900, 600}, laptop, {100, 80, 900, 600}},
        {"saved on a big monitor", {200, 100, 2400, 1500}, laptop, {0, 0, 1366, 738}},
        {"status bar below the screen", {100, 400, 900, 600}, laptop, {100, 138, 900, 600}},
        {"on a monitor now gone", {3000, 1200, 900, 600}, laptop, {466, 138, 900, 600}},
        {"title bar above the screen", {-50, -300, 900, 600}, laptop, {0, 0, 900, 600}},
        {"tiny saved size grows", {10, 10, 100, 50}, laptop, {10, 10, 640, 480}},
        {"screen smaller than the minimum", {0, 0, 900, 700}, {0, 0, 600, 400}, {0, 0, 600, 400}},
        {"second monitor with a panel",
         {1800, 0, 800, 600},
         {1920, 32, 1280, 992},
         {1920, 32, 800, 600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fit_window_place(c.saved, c.available), c.expected) << c.what;
}

TEST(GridFit, AColumnStartsWideEnoughForItsTitleAndItsValues) {
    using namespace tarvex::grid;
    for (GridKind kind : {GridKind::Channel, GridKind::Talkgroup}) {
        for (int c = 1; c < column_count(kind); ++c) {
            const ColumnSpec& colspec = columns_of(kind)[static_cast<size_t>(c)];
            const std::string sample = widest_sample(kind, c);
            EXPECT_GE(sample.size(), colspec.title.size()) << colspec.title;
            for (std::string_view v : colspec.values) EXPECT_GE(sample.size(), v.size()) << v;
        }
    }
    const int volume = column_by_title(GridKind::Channel, "Volume Offset");
    ASSERT_GT(volume, 0);
    EXPECT_EQ(widest_sample(GridKind::Channel, volume), "Volume Offset");
    EXPECT_TRUE(widest_sample(GridKind::Channel, 99).empty());
}

TEST(GridFit, ColumnsGiveWayTitlesFirstThenCutTextsAndScrollOnlyPastTheirLeast) {
    using tarvex::grid::ColumnRoom;
    // {title, title on two lines, value, least}: a fixed "#" column, a short list column with a
    // long title, and a cut-able text column.
    const std::vector<ColumnRoom> columns = {
        {30, 30, 30, 30}, {110, 60, 40, 40}, {100, 70, 200, 120}};
    struct Case {
        int room;
        std::vector<int> widths;
        const char* what;
    };
    const Case cases[] = {
        {400, {30, 110, 200}, "room for everything: titles on one line"},
        {340, {30, 110, 200}, "exactly enough"},
        {339, {30, 60, 200}, "the long title goes to two lines"},
        {250, {30, 60, 160}, "the text column is cut, not below its least"},
        {210, {30, 60, 120}, "at the least widths"},
        {100, {30, 60, 120}, "too narrow: the least widths, the grid scrolls"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tarvex::grid::fit_widths(columns, c.room), c.widths) << c.what;
    }
    // Two cut columns share the narrowing in proportion to what each can give.
    const std::vector<ColumnRoom> two = {{50, 50, 200, 100}, {50, 50, 300, 100}};
    EXPECT_EQ(tarvex::grid::fit_widths(two, 400), (std::vector<int>{166, 234}));
    EXPECT_TRUE(tarvex::grid::fit_widths({}, 100).empty());
}

TEST(GridFit, ShortListColumnsAreNarrowAndLongTextsHaveATypicalLeast) {
    using namespace tarvex::grid;
    // Values decide a narrow column, not its title.
    const int mode = column_by_title(GridKind::Channel, "Mode");
    EXPECT_EQ(value_sample(GridKind::Channel, mode), "AUTO");
    const int delay = column_by_title(GridKind::Talkgroup, "Delay Time");
    EXPECT_EQ(value_sample(GridKind::Talkgroup, delay), "-10");
    // The cut columns keep a usual text whole; the others never cut their values.
    for (GridKind kind : {GridKind::Channel, GridKind::Talkgroup}) {
        for (int c = 1; c < column_count(kind); ++c) {
            const ColumnSpec& colspec = columns_of(kind)[static_cast<size_t>(c)];
            const bool cut =
                colspec.column == Column::AlphaTag || colspec.column == Column::ServiceType;
            if (cut) {
                EXPECT_LT(least_sample(kind, c).size(), value_sample(kind, c).size())
                    << colspec.title;
            } else {
                EXPECT_EQ(least_sample(kind, c), value_sample(kind, c)) << colspec.title;
            }
        }
    }
}
