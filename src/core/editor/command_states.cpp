#include "core/editor/command_states.h"

namespace tarvex {

namespace {

enum class NodeScope { Any, TrunkedSite, Department, TrunkedGroup };

// The pop-up entries name the node they act on; Copy Group and Copy Department run the same
// command, so the scope goes by the entry, not by the id.
NodeScope scope_of(const CommandEntry& e) {
    switch (e.id) {
        case CommandId::CopySite:
        case CommandId::PasteSite:
        case CommandId::DeleteSite:
            return NodeScope::TrunkedSite;
        case CommandId::CopyGroup:
        case CommandId::PasteGroup:
        case CommandId::DeleteGroup:
        case CommandId::EditGroups:
            return e.caption.find("Department") != std::string_view::npos ? NodeScope::Department
                                                                          : NodeScope::TrunkedGroup;
        default:
            return NodeScope::Any;
    }
}

}  // namespace

bool tree_popup_shows(const CommandEntry& entry, const CommandContext& c) {
    switch (scope_of(entry)) {
        case NodeScope::Any:
            return true;
        case NodeScope::TrunkedSite:
        case NodeScope::TrunkedGroup:
            return c.has_system && !c.conventional;
        case NodeScope::Department:
            return c.has_system && c.conventional;
    }
    return true;
}

std::optional<bool> context_enabled(CommandId id, const CommandContext& c) {
    switch (id) {
        case CommandId::NewHpd:
        case CommandId::MultiAddHpd:
        case CommandId::RemoveHpd:
        case CommandId::SaveAllHpd:
            return c.multi_mode;
        case CommandId::ConvertDecimal:
        case CommandId::ConvertAfs:
            return c.edacs_grid;
        default:
            return std::nullopt;
    }
}

}  // namespace tarvex
