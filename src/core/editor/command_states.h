#pragma once
// Which commands the window offers right now: the browser's pop-up entries for the node under
// the pointer and the commands that depend on what is open. The window asks here instead of
// reading its own captions, so every menu, tool bar and pop-up follows one rule.
#include <optional>

#include "core/editor/commands.h"

namespace tarvex {

struct CommandContext {
    bool has_system = false;    // a system (or something in one) is selected
    bool conventional = false;  // ... and that system is conventional
    bool multi_mode = false;    // several HPD files are open at once
    bool edacs_grid = false;    // the open grid holds an EDACS system's talkgroups
};

// Whether a pop-up entry of the browser is shown: sites belong to trunked systems,
// departments to conventional ones and groups to trunked ones; the system entries are always
// there (pasting needs no selection).
bool tree_popup_shows(const CommandEntry& entry, const CommandContext& context);

// The enabled state of a command whose state follows the context (the multi-file commands, the
// EDACS notations); nullopt for a command that is enabled whenever it is available.
std::optional<bool> context_enabled(CommandId id, const CommandContext& context);

}  // namespace tarvex
