#include "core/editor/grid_fit.h"

namespace tarvex::grid {

namespace {

// The longest usual value of a free-text column (the scanner shows at most 16 alpha-tag
// characters; frequencies have four decimals).
std::string_view text_sample(Column column) {
    switch (column) {
        case Column::Frequency:
        case Column::StartFrequency:
        case Column::StopFrequency:
            return "1299.98750";
        case Column::Talkgroup:
        case Column::UnitId:
            return "16777215";
        case Column::AlphaTag:
            return "WWWWWWWWWWWWWW";
        case Column::SqCode:
            return "DCS 754";
        default:
            return "0000";
    }
}

}  // namespace

std::string widest_sample(GridKind kind, int col) {
    const auto columns = columns_of(kind);
    if (col < 0 || col >= static_cast<int>(columns.size())) return {};
    const ColumnSpec& colspec = columns[static_cast<size_t>(col)];
    std::string_view widest = colspec.title;
    auto take = [&widest](std::string_view v) {
        if (v.size() > widest.size()) widest = v;
    };
    if (colspec.editor == CellEditor::List)
        for (std::string_view v : colspec.values) take(v);
    else if (colspec.editor != CellEditor::None)
        take(text_sample(colspec.column));
    return std::string(widest);
}

}  // namespace tarvex::grid
