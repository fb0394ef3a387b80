#include "core/editor/command_help.h"

#include <cctype>

namespace tarvex {

std::string_view command_description(CommandId id) {
    using C = CommandId;
    switch (id) {
        case C::OpenHpd:
            return "Open an HPD file";
        case C::SaveHpd:
            return "Save the HPD file";
        case C::SaveHpdAs:
            return "Save the HPD file under a new name";
        case C::Exit:
            return "Close Tarvex";
        case C::Cut:
            return "Cut the selected cells";
        case C::Copy:
            return "Copy the selected cells";
        case C::Paste:
            return "Paste into the grid at the current cell";
        case C::CutLine:
            return "Cut the selected lines of the grid";
        case C::CopyLine:
            return "Copy the selected lines of the grid";
        case C::PasteLine:
            return "Paste copied lines into the grid";
        case C::ShiftDown:
            return "Move the selected lines down";
        case C::ShiftUp:
            return "Move the selected lines up";
        case C::Delete:
            return "Delete the contents of the selected cells";
        case C::FillDown:
            return "Fill the selection down with the first cell's value";
        case C::ReadFromScanner:
            return "Read the favorites lists from the scanner's card";
        case C::WriteToScanner:
            return "Send the favorites lists to the scanner's card";
        case C::BackupData:
            return "Back up the scanner's data";
        case C::Validate:
            return "Check the grid for wrong or missing values";
        case C::RadioReferenceImport:
            return "Import systems from RadioReference";
        case C::VirtualControl:
            return "Control and monitor a connected scanner";
        case C::NewConventionalSystem:
            return "Add a new conventional system";
        case C::NewMotorolaSystem:
            return "Add a new Motorola trunked system";
        case C::NewRebandedSystem:
            return "Add a new rebanded Motorola trunked system";
        case C::NewEdacsSystem:
            return "Add a new EDACS trunked system";
        case C::NewLtrSystem:
            return "Add a new LTR trunked system";
        case C::NewP25System:
            return "Add a new P25 trunked system";
        case C::NewX2TdmaSystem:
            return "Add a new P25 X2-TDMA trunked system";
        case C::NewMotoTrboSystem:
            return "Add a new MotoTRBO trunked system";
        case C::NewDmrSystem:
            return "Add a new DMR one-frequency system";
        case C::NewSite:
            return "Add a new site to the selected trunked system";
        case C::NewGroup:
            return "Add a new group (department) to the selected system";
        case C::NewChannel:
            return "Add a new channel line to the open group";
        case C::OpenSoftwareManual:
            return "Open the user guide";
        default:
            return "";
    }
}

bool shows_ellipsis(CommandId id) {
    return id == CommandId::FindInDatabase;
}

std::string_view command_icon(CommandId id) {
    using C = CommandId;
    switch (id) {
        case C::OpenHpd:
            return "document-open";
        case C::SaveHpd:
            return "document-save";
        case C::SaveHpdAs:
            return "document-save-as";
        case C::Exit:
            return "application-exit";
        case C::Cut:
            return "edit-cut";
        case C::Copy:
            return "edit-copy";
        case C::Paste:
            return "edit-paste";
        case C::CutLine:
            return "edit-table-delete-row";
        case C::CopyLine:
            return "edit-select-all";
        case C::PasteLine:
            return "edit-table-insert-row-below";
        case C::ShiftDown:
            return "go-down";
        case C::ShiftUp:
            return "go-up";
        case C::Delete:
            return "edit-delete";
        case C::FillDown:
            return "format-fill-color";
        case C::ReadFromScanner:
            return "go-previous";
        case C::WriteToScanner:
            return "go-next";
        case C::BackupData:
            return "drive-harddisk";
        case C::Validate:
            return "tools-check-spelling";
        case C::RadioReferenceImport:
            return "network-workgroup";
        case C::VirtualControl:
            return "audio-card";
        case C::Find:
            return "edit-find";
        case C::Replace:
            return "edit-find-replace";
        case C::SelectAll:
            return "edit-select-all";
        case C::OpenSoftwareManual:
            return "help-contents";
        case C::About:
            return "help-about";
        default:
            return "";
    }
}

std::string command_tool_tip(CommandId id, std::string_view caption, std::string_view shortcut) {
    std::string tip(command_description(id));
    if (tip.empty()) tip = caption;
    if (!shortcut.empty()) {
        tip += " (";
        tip += shortcut;
        tip += ')';
    }
    return tip;
}

std::string menu_title_with_mnemonic(Menu menu) {
    // Fixed markers for the menu bar, so Alt+F is File whatever else the bar holds; the bar's
    // titles all start with a different letter except Setup and Scanner.
    switch (menu) {
        case Menu::File:
            return "&File";
        case Menu::MultiFile:
            return "&Multi-file";
        case Menu::Add:
            return "&Add";
        case Menu::Edit:
            return "&Edit";
        case Menu::AlphaTags:
            return "Alpha &Tags";
        case Menu::Options:
            return "&Options";
        case Menu::ImportExport:
            return "&Import/export";
        case Menu::Scanner:
            return "S&canner";
        case Menu::Setup:
            return "&Setup";
        case Menu::Tools:
            return "&Tools";
        case Menu::Browser:
            return "&Browser";
        case Menu::Help:
            return "&Help";
        default:
            return std::string(menu_title(menu));
    }
}

std::string with_mnemonic(std::string_view caption, std::string& taken) {
    auto free_at = [&](size_t i) {
        unsigned char c = static_cast<unsigned char>(caption[i]);
        return std::isalnum(c) &&
               taken.find(static_cast<char>(std::tolower(c))) == std::string::npos;
    };
    size_t pick = std::string_view::npos;
    // A word's first letter reads best; any free letter after that.
    for (size_t i = 0; i < caption.size() && pick == std::string_view::npos; ++i)
        if ((i == 0 || caption[i - 1] == ' ') && free_at(i)) pick = i;
    for (size_t i = 0; i < caption.size() && pick == std::string_view::npos; ++i)
        if (free_at(i)) pick = i;
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (i == pick) out += '&';
        out += caption[i];
        if (caption[i] == '&') out += '&';
    }
    if (pick != std::string_view::npos)
        taken += static_cast<char>(std::tolower(static_cast<unsigned char>(caption[pick])));
    return out;
}

std::string_view node_kind_words(NodeImage image) {
    switch (image) {
        case NodeImage::Conventional:
            return "Conventional system";
        case NodeImage::Motorola:
            return "Motorola trunked system";
        case NodeImage::Edacs:
            return "EDACS trunked system";
        case NodeImage::EdacsScat:
            return "EDACS SCAT system";
        case NodeImage::Ltr:
            return "LTR trunked system";
        case NodeImage::P25:
            return "P25 trunked system";
        case NodeImage::P25OneFrequency:
            return "P25 one-frequency system";
        case NodeImage::P25X2Tdma:
            return "P25 X2-TDMA trunked system";
        case NodeImage::MotoTrbo:
            return "MotoTRBO trunked system";
        case NodeImage::DmrOneFrequency:
            return "DMR one-frequency system";
        case NodeImage::UnknownSystem:
            return "System of an unknown type";
        case NodeImage::SitesFolder:
            return "Sites of the system";
        case NodeImage::Site:
            return "Site";
        case NodeImage::Group:
            return "Group";
        case NodeImage::UnitIds:
            return "Unit IDs of the system";
        case NodeImage::FavoritesList:
            return "Favorites list";
    }
    return "";
}

std::string_view node_kind_letter(NodeImage image) {
    switch (image) {
        case NodeImage::Conventional:
            return "C";
        case NodeImage::Motorola:
            return "M";
        case NodeImage::Edacs:
            return "E";
        case NodeImage::EdacsScat:
            return "S";
        case NodeImage::Ltr:
            return "L";
        case NodeImage::P25:
            return "P";
        case NodeImage::P25OneFrequency:
            return "1";
        case NodeImage::P25X2Tdma:
            return "X";
        case NodeImage::MotoTrbo:
            return "T";
        case NodeImage::DmrOneFrequency:
            return "D";
        case NodeImage::UnknownSystem:
            return "?";
        case NodeImage::SitesFolder:
            return "s";
        case NodeImage::Site:
            return "t";
        case NodeImage::Group:
            return "g";
        case NodeImage::UnitIds:
            return "u";
        case NodeImage::FavoritesList:
            return "F";
    }
    return "?";
}

std::string node_tool_tip(std::string_view text, NodeImage image) {
    std::string tip(text);
    tip += "\n";
    tip += node_kind_words(image);
    tip += " (";
    tip += node_kind_letter(image);
    tip += ')';
    return tip;
}

}  // namespace tarvex
