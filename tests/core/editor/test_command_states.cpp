#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/editor/command_states.h"

using namespace tarvex;

namespace {

// The pop-up captions shown for a context, in table order.
std::vector<std::string> popup(const CommandContext& c) {
    std::vector<std::string> shown;
    for (std::string_view caption : captions_of(Menu::TreePopup))
        if (tree_popup_shows(*find_entry(Menu::TreePopup, caption), c)) shown.emplace_back(caption);
    return shown;
}

const std::vector<std::string> k_system_entries = {"Copy System", "Paste System", "Delete System",
                                                   "Delete Multiple Systems"};

}  // namespace

TEST(TreePopup, OffersWhatTheSelectedSystemHas) {
    std::vector<std::string> trunked = k_system_entries;
    for (const char* c : {"Copy Site", "Paste Site", "Delete Site", "Copy Group", "Paste Group",
                          "Delete Group", "Edit Groups"})
        trunked.emplace_back(c);
    std::vector<std::string> conventional = k_system_entries;
    for (const char* c :
         {"Copy Department", "Paste Department", "Delete Department", "Edit Departments"})
        conventional.emplace_back(c);
    auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(popup({.has_system = true, .conventional = false})), sorted(trunked));
    EXPECT_EQ(sorted(popup({.has_system = true, .conventional = true})), sorted(conventional));
    // Nothing selected: only the system entries (a copied system can still be pasted).
    EXPECT_EQ(sorted(popup({})), sorted(k_system_entries));
}

TEST(ContextCommands, FollowMultiFileModeAndTheEdacsGrid) {
    for (std::string_view caption : captions_of(Menu::MultiFile)) {
        const CommandId id = *find_command(Menu::MultiFile, caption);
        EXPECT_EQ(context_enabled(id, {.multi_mode = true}), true) << caption;
        EXPECT_EQ(context_enabled(id, {.multi_mode = false}), false) << caption;
    }
    for (CommandId id : {CommandId::ConvertDecimal, CommandId::ConvertAfs}) {
        EXPECT_EQ(context_enabled(id, {.edacs_grid = true}), true);
        EXPECT_EQ(context_enabled(id, {.edacs_grid = false}), false);
    }
    // Everything else is enabled whenever it is available.
    EXPECT_EQ(context_enabled(CommandId::OpenHpd, {}), std::nullopt);
    EXPECT_EQ(context_enabled(CommandId::SoftwareOptions, {}), std::nullopt);
}
