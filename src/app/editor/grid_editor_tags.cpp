// The grid editor's alpha-tag scope and its location dialog.
#include <QDialog>
#include <QLineEdit>

#include "app/common/latin1.h"
#include "app/editor/grid_editor.h"
#include "app/location/location_dialog.h"
#include "core/base/prompter.h"
#include "core/editor/grid_columns.h"
#include "core/editor/grid_diag.h"
#include "core/editor/session.h"

namespace tarvex {

bool GridEditor::transform_tags(const TagTransform& t) {
    if (!has_group()) {
        emit diagnostic(to_q(grid::no_invoer(t.is_case ? "change_case" : "g_align_text")));
        session_.prompter().tell(k_click_grid_first);
        return false;
    }
    const int column = grid::column_index(kind_, grid::Column::AlphaTag);
    const QString label = t.is_case ? tr("Change case") : tr("Justify alpha tags");
    change(label, [&](TextGrid& g) {
        return t.is_case ? grid::change_case(g, kind_, grid::select_all(g), t.case_code)
                         : grid::g_align_text(g, column, t.align, t.width);
    });
    return true;
}

void GridEditor::open_location() {
    if (!has_group()) return;
    location::LocationValues shown = location::location_from_editor(
        from_q(latitude_->text()), from_q(longitude_->text()), from_q(range_->text()));
    LocationDialog dialog(session_, settings_, LocationDialog::Target::Group, system_, shown, this);
    dialog.open_url = open_url;
    int result = run_dialog ? run_dialog(dialog) : dialog.exec();
    if (result != QDialog::Accepted) return;
    location::LocationValues v = dialog.values();
    latitude_->setText(to_q(v.latitude));
    longitude_->setText(to_q(v.longitude));
    range_->setText(to_q(v.range));
    header_edited();
}

}  // namespace tarvex
