#pragma once
// What the window says about its commands beyond their captions: a sentence for the tool tip,
// the freedesktop icon name, the mnemonic of each menu title and item, and the words for the
// browser's type letters. The captions stay the program's own short texts; these are the help
// a new user needs to find a command by its icon or by what it does.
#include <string>
#include <string_view>

#include "core/editor/commands.h"
#include "core/model/browser_tree.h"

namespace tarvex {

// What a command does, in one sentence ("Open an HPD file"); "" for commands whose caption
// already says it.
std::string_view command_description(CommandId id);

// The freedesktop icon-theme name of a command ("document-open"); "" when it has none. Every
// command of the tool bar has one, and a bundled image of the same name backs it up on
// platforms without an icon theme.
std::string_view command_icon(CommandId id);

// The tool tip of a tool-bar button or add button: the description (or the caption when there
// is none) and, when the command has a key, the key in brackets: "Save the HPD file (Ctrl+S)".
std::string command_tool_tip(CommandId id, std::string_view caption, std::string_view shortcut);

// Whether a menu shows the caption's closing "..." as the one ellipsis character, as desktop
// menus write a command that opens a window first. Only the program's own captions do: the
// table keeps three dots (it is single-byte text, and menus, tests and the dispatch find a
// command by it), and the captions the scanner's own software shows stay as they are written.
bool shows_ellipsis(CommandId id);

// A menu title with its mnemonic marker ("&File").
std::string menu_title_with_mnemonic(Menu menu);

// Marks the mnemonic of a caption among its menu's siblings: the first letter or digit not yet
// in `taken` gets an "&" (a word's first letter preferred), literal "&"s are doubled, and the
// chosen letter (lower case) joins `taken`. A caption whose letters are all taken stays unmarked.
std::string with_mnemonic(std::string_view caption, std::string& taken);

// The browser's legend: the kind of a node in words ("Motorola trunked system") and the letter
// its badge shows.
std::string_view node_kind_words(NodeImage image);
std::string_view node_kind_letter(NodeImage image);
// The tool tip of a browser node: its name, then its kind and badge letter in words.
std::string node_tool_tip(std::string_view text, NodeImage image);

}  // namespace tarvex
