#include "core/editor/grid_columns.h"

#include <algorithm>
#include <cmath>

#include "core/base/text.h"
#include "core/editor/grid_ops.h"
#include "core/hpd/vocab.h"
#include "core/model/group_files.h"
#include "core/settings/settings.h"

namespace tarvex::grid {

namespace {

using vocab::ValueList;

ColumnSpec text_column(std::string_view title, Column column) {
    return {title, column, CellEditor::Text, {}, {}};
}

ColumnSpec list_column(std::string_view title, Column column, const ValueList& list) {
    return {title, column, CellEditor::List, list.entries, list.fallback};
}

// A channel's empty service type is written as "Custom 1", so a new line shows that.
ColumnSpec service_type_column() {
    return {"Service Type", Column::ServiceType, CellEditor::List, vocab::service_type_menu(),
            "Custom 1"};
}

const ColumnSpec k_number{"#", Column::Number, CellEditor::None, {}, {}};

std::vector<ColumnSpec> build(GridKind kind) {
    switch (kind) {
        case GridKind::Channel:
            return {k_number,
                    text_column("Frequency", Column::Frequency),
                    text_column("Alpha Tag", Column::AlphaTag),
                    list_column("Avoid", Column::Avoid, vocab::switch_list()),
                    list_column("Mode", Column::Mode, vocab::mode_list()),
                    list_column("SQ Mode", Column::SqMode, vocab::sq_mode_list()),
                    {"SQ Code", Column::SqCode, CellEditor::SqCodeList, {}, {}},
                    service_type_column(),
                    list_column("Attenuator", Column::Attenuator, vocab::switch_list()),
                    list_column("Delay Time", Column::DelayTime, vocab::delay_list()),
                    list_column("Volume Offset", Column::VolumeOffset, vocab::volume_offset_list()),
                    list_column("Alert Tone", Column::AlertTone, vocab::alert_tone_list()),
                    list_column("Alert Level", Column::AlertLevel, vocab::alert_level_list())};
        case GridKind::Talkgroup:
            return {k_number,
                    text_column("Talkgroup", Column::Talkgroup),
                    text_column("Alpha Tag", Column::AlphaTag),
                    list_column("Avoid", Column::Avoid, vocab::switch_list()),
                    list_column("AudioType", Column::AudioType, vocab::audio_type_display_list()),
                    service_type_column(),
                    list_column("Delay Time", Column::DelayTime, vocab::delay_list()),
                    list_column("Volume Offset", Column::VolumeOffset, vocab::volume_offset_list()),
                    list_column("Alert Tone", Column::AlertTone, vocab::alert_tone_list()),
                    list_column("Alert Level", Column::AlertLevel, vocab::alert_level_list())};
        case GridKind::UnitId:
            return {k_number, text_column("Unit ID", Column::UnitId),
                    text_column("Alpha Tag", Column::AlphaTag),
                    list_column("Alert Tone", Column::AlertTone, vocab::alert_tone_list()),
                    list_column("Alert Level", Column::AlertLevel, vocab::alert_level_list())};
        case GridKind::SearchRange:
            return {k_number, text_column("Start Frequency", Column::StartFrequency),
                    text_column("Stop Frequency", Column::StopFrequency)};
        case GridKind::SiteFrequency:
            return {k_number, text_column("Frequency", Column::Frequency),
                    text_column("LCN", Column::Lcn), text_column("ColorCode", Column::ColorCode)};
    }
    return {k_number};
}

const std::vector<ColumnSpec>& table(GridKind kind) {
    static const std::vector<ColumnSpec> tables[] = {
        build(GridKind::Channel), build(GridKind::Talkgroup), build(GridKind::UnitId),
        build(GridKind::SearchRange), build(GridKind::SiteFrequency)};
    return tables[static_cast<int>(kind)];
}

// NACs are typed: the drop-down would need 4096 entries.
constexpr std::string_view k_search = "Search";

bool is_nac(std::string_view code) {
    if (code.empty() || code.size() > 3) return false;
    return std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

bool is_colour_code(std::string_view code) {
    auto n = parse_integer(code);
    return n && *n >= 0 && *n <= 15 && code.size() <= 2;
}

}  // namespace

std::span<const ColumnSpec> columns_of(GridKind kind) {
    return table(kind);
}

int column_count(GridKind kind) {
    return static_cast<int>(table(kind).size());
}

int data_columns(GridKind kind) {
    return column_count(kind) - 1;
}

int column_index(GridKind kind, Column column) {
    const auto& cols = table(kind);
    for (size_t i = 0; i < cols.size(); ++i)
        if (cols[i].column == column) return static_cast<int>(i);
    return -1;
}

int column_by_title(GridKind kind, std::string_view title) {
    const auto& cols = table(kind);
    for (size_t i = 0; i < cols.size(); ++i)
        if (cols[i].title == title) return static_cast<int>(i);
    return -1;
}

const ColumnSpec* column_spec(GridKind kind, int col) {
    const auto& cols = table(kind);
    if (col < 0 || col >= static_cast<int>(cols.size())) return nullptr;
    return &cols[static_cast<size_t>(col)];
}

GridKind grid_kind_for_system_type(int type_code) {
    return type_code == 0 ? GridKind::Channel : GridKind::Talkgroup;
}

std::vector<std::string> sq_code_values(std::string_view sq_mode) {
    std::vector<std::string> values;
    if (sq_mode == "CTCSS") {
        for (auto v : vocab::ctcss_selection()) values.emplace_back(v);
    } else if (sq_mode == "DCS") {
        values.emplace_back(k_search);
        for (auto v : vocab::dcs_codes()) values.emplace_back(v);
    } else if (sq_mode == "P25") {
        values.emplace_back(k_search);
    } else if (sq_mode == "DMR") {
        values.emplace_back(k_search);
        for (int i = 0; i <= 15; ++i) values.push_back(std::to_string(i));
    }
    return values;
}

bool sq_code_typed(std::string_view sq_mode) {
    return sq_mode == "P25";
}

bool sq_code_fits(std::string_view sq_mode, std::string_view code) {
    if (code.empty()) return true;
    if (sq_mode == "CTCSS" || sq_mode == "DCS" || sq_mode == "P25" || sq_mode == "DMR") {
        if (code == k_search) return true;
    }
    if (sq_mode == "CTCSS") {
        auto tones = vocab::ctcss_tones();
        return std::find(tones.begin(), tones.end(), code) != tones.end();
    }
    if (sq_mode == "DCS") {
        auto codes = vocab::dcs_codes();
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }
    if (sq_mode == "P25") return is_nac(code);
    if (sq_mode == "DMR") return is_colour_code(code);
    return false;  // "All", "None": no code belongs there
}

std::vector<std::string> default_row(GridKind kind) {
    const auto& cols = table(kind);
    std::vector<std::string> row(cols.size());
    for (size_t i = 0; i < cols.size(); ++i)
        if (cols[i].editor == CellEditor::List) row[i] = std::string(cols[i].fallback);
    return row;
}

bool row_is_empty(const TextGrid& grid, GridKind kind, int row) {
    if (row < 1 || row >= grid.rows()) return true;
    const auto& cols = table(kind);
    int n = std::min(grid.cols(), static_cast<int>(cols.size()));
    for (int c = 1; c < n; ++c) {
        auto editor = cols[static_cast<size_t>(c)].editor;
        if (editor == CellEditor::Text && !grid.at(row, c).empty()) return false;
    }
    return true;
}

int last_used_row(const TextGrid& grid, GridKind kind) {
    for (int r = grid.rows() - 1; r >= 1; --r)
        if (!row_is_empty(grid, kind, r)) return r;
    return 0;
}

void put_titles(TextGrid& grid, GridKind kind) {
    if (grid.rows() < 1) grid.resize(1, column_count(kind));
    const auto& cols = table(kind);
    for (size_t c = 0; c < cols.size() && static_cast<int>(c) < grid.cols(); ++c)
        grid.at(0, static_cast<int>(c)) = std::string(cols[c].title);
}

void setup_grid(TextGrid& grid, GridKind kind, int rows) {
    grid.resize(std::max(rows, k_min_grid_rows), column_count(kind));
    put_titles(grid, kind);
    grid.number_rows();
}

void load_group_grid(const GroupFiles& files, int system, int group, GridKind kind,
                     TextGrid& grid) {
    files.open_tmpfile(system, group, grid, data_columns(kind));
    setup_grid(grid, kind, grid.rows());
}

bool save_group_grid(GroupFiles& files, int system, int group, GridKind kind, TextGrid& grid) {
    // The file gets the used rows only, closed up, so it never carries lines of empty rows.
    remove_empty_lines(grid, kind);
    int used = last_used_row(grid, kind);
    grid.set_rows(used + 1);
    bool ok = files.save_tmpfile(system, group, grid, false);
    // One empty row below the last used one is where typing goes on.
    setup_grid(grid, kind, std::min(used + 2, k_max_file_rows + 1));
    return ok;
}

std::string_view width_key(GridKind kind) {
    switch (kind) {
        case GridKind::Channel:
            return "ccol_width";
        case GridKind::Talkgroup:
            return "tcol_width";
        case GridKind::UnitId:
            return "ucol_width";
        case GridKind::SiteFrequency:
            return "fcol_width";
        case GridKind::SearchRange:
            return "";
    }
    return "";
}

int default_width(GridKind kind) {
    return kind == GridKind::UnitId ? 1500 : 1200;
}

std::vector<int> read_column_widths(const Settings& settings, GridKind kind) {
    std::vector<int> widths(static_cast<size_t>(column_count(kind)), default_width(kind));
    std::string_view key = width_key(kind);
    if (key.empty()) return widths;
    for (size_t c = 0; c < widths.size(); ++c) {
        std::string name = std::string(key) + std::to_string(c);
        int stored = settings.get_int("colwidth", name, 0);
        if (stored > 100) widths[c] = stored;
    }
    return widths;
}

void save_column_widths(Settings& settings, GridKind kind, const std::vector<int>& widths) {
    std::string_view key = width_key(kind);
    if (key.empty()) return;
    for (size_t c = 0; c < widths.size(); ++c)
        settings.SaveSetting("colwidth", std::string(key) + std::to_string(c),
                             std::to_string(widths[c]));
}

int twips_to_pixels(int twips, double dots_per_inch) {
    return static_cast<int>(std::lround(twips * dots_per_inch / 1440.0));
}

int pixels_to_twips(int pixels, double dots_per_inch) {
    if (dots_per_inch <= 0) return pixels * 15;
    return static_cast<int>(std::lround(pixels * 1440.0 / dots_per_inch));
}

}  // namespace tarvex::grid
