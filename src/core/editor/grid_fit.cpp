#include "core/editor/grid_fit.h"

#include <algorithm>

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

bool is_cut_column(Column column) {
    return column == Column::AlphaTag || column == Column::ServiceType;
}

}  // namespace

std::string value_sample(GridKind kind, int col) {
    const auto columns = columns_of(kind);
    if (col < 0 || col >= static_cast<int>(columns.size())) return {};
    const ColumnSpec& colspec = columns[static_cast<size_t>(col)];
    std::string_view widest;
    if (colspec.editor == CellEditor::List) {
        for (std::string_view v : colspec.values)
            if (v.size() > widest.size()) widest = v;
    } else if (colspec.editor != CellEditor::None) {
        widest = text_sample(colspec.column);
    }
    return std::string(widest);
}

std::string least_sample(GridKind kind, int col) {
    const ColumnSpec* colspec = column_spec(kind, col);
    if (!colspec) return {};
    // Typical texts of their columns: shorter ones are shown whole, longer ones cut.
    if (is_cut_column(colspec->column)) return "Fire Dispatch";
    return value_sample(kind, col);
}

std::vector<int> fit_widths(const std::vector<ColumnRoom>& columns, int room) {
    const size_t n = columns.size();
    std::vector<int> widths(n);
    auto total = [&widths] {
        long long sum = 0;
        for (int w : widths) sum += w;
        return sum;
    };
    for (size_t c = 0; c < n; ++c) widths[c] = std::max(columns[c].title, columns[c].value);
    if (total() <= room) return widths;

    // Titles on two lines, then back on one line where the room allows, the columns that need
    // the least for it first (they are the ones a reader notices least on two lines).
    for (size_t c = 0; c < n; ++c) widths[c] = std::max(columns[c].title_word, columns[c].value);
    long long spare = room - total();
    if (spare >= 0) {
        std::vector<size_t> order(n);
        for (size_t c = 0; c < n; ++c) order[c] = c;
        auto extra = [&](size_t c) { return std::max(0, columns[c].title - widths[c]); };
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return extra(a) < extra(b); });
        for (size_t c : order) {
            if (extra(c) > spare) break;
            spare -= extra(c);
            widths[c] += extra(c);
        }
        return widths;
    }

    // The cut texts give way in proportion to what each can give.
    long long need = -spare, can_give = 0;
    std::vector<int> give(n, 0);
    for (size_t c = 0; c < n; ++c) {
        const int floor = std::max(columns[c].least, columns[c].title_word);
        give[c] = std::max(0, widths[c] - floor);
        can_give += give[c];
    }
    if (can_give <= need) {
        for (size_t c = 0; c < n; ++c) widths[c] -= give[c];
        return widths;
    }
    long long given = 0;
    for (size_t c = 0; c < n; ++c) {
        // Rounded up, so the columns never end a pixel or two wider than the room.
        const long long part = (need * give[c] + can_give - 1) / can_give;
        const int taken = static_cast<int>(std::min<long long>({part, give[c], need - given}));
        widths[c] -= taken;
        given += taken;
    }
    return widths;
}

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
