#pragma once
// Between the bandplan dialogs and the site editor: the editor's six rows shown in a dialog
// (unused rows empty rather than "0"), the dialog's rows back in the editor's form, and the
// site editor's apply-to-all ("Ok, All Sites").
#include <string>

#include "core/bandplan/bandplan.h"
#include "core/editor/record_editors.h"

namespace tarvex {
class SystemStore;
}

namespace tarvex::bandplan {

// The site editor's rows as the dialog shows them: edges that are zero and the offsets of rows
// without a lower edge become empty, so the calculation sees unused rows as unused.
Plan plan_from_site(const Bandplan& rows);
Bandplan plan_to_site(const Plan& plan);

// Writes the plan's MCP line for every site of the system (MCP-sss-ttt beside each SIT-sss-ttt,
// added where missing). Returns the sites written; each counts as a change of the system.
int apply_to_all_sites(SystemStore& store, int system, const Bandplan& rows);

}  // namespace tarvex::bandplan
