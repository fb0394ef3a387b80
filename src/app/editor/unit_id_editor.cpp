#include "app/editor/unit_id_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QVBoxLayout>
#include <climits>

#include "app/common/latin1.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_row_commands.h"
#include "app/editor/grid_view.h"
#include "core/base/prompter.h"
#include "core/editor/grid_check.h"
#include "core/editor/grid_columns.h"
#include "core/editor/grid_diag.h"
#include "core/editor/grid_keys.h"
#include "core/editor/grid_text.h"
#include "core/editor/session.h"
#include "core/editor/unit_ids.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

namespace tarvex {

using grid::CellRange;
using grid::GridChange;
using grid::GridKind;

namespace {
constexpr GridKind k_kind = GridKind::UnitId;
}

UnitIdEditor::UnitIdEditor(EditingSession& session, Settings& settings, QWidget* parent)
    : QWidget(parent), session_(session), settings_(settings) {
    setObjectName(QStringLiteral("frm_uid"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("lbl_uid_system"));
    QFont f = caption_->font();
    f.setBold(true);
    caption_->setFont(f);
    layout->addWidget(caption_);

    view_ = new GridView(this);
    view_->setObjectName(QStringLiteral("uidgrid"));
    model_ = new GridModel(view_);
    std::vector<std::string> titles;
    for (const auto& colspec : grid::columns_of(k_kind))
        if (colspec.column != grid::Column::Number) titles.emplace_back(colspec.title);
    model_->set_titles(titles);
    TextGrid empty;
    grid::setup_grid(empty, k_kind);
    model_->replace(empty);
    view_->setModel(model_);
    std::vector<int> widths = grid::read_column_widths(settings_, k_kind);
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        view_->setColumnWidth(c,
                              grid::twips_to_pixels(c == 0 ? std::min(widths[c], 700) : widths[c]));

    model_->edit_hook = [this](int r, int c, const std::string& v) { cell_edited(r, c, v); };
    view_->key_table = [this](int r, int c, const std::string& key) {
        return key_pressed(r, c, key);
    };
    view_->is_free_column = [](int col) {
        const grid::ColumnSpec* colspec = grid::column_spec(k_kind, col);
        return colspec && colspec->editor == grid::CellEditor::Text;
    };
    view_->on_delete = [this] { run(CommandId::Delete); };
    view_->delegate()->choices = [](int, int col) -> std::optional<std::vector<std::string>> {
        const grid::ColumnSpec* colspec = grid::column_spec(k_kind, col);
        if (!colspec || colspec->editor != grid::CellEditor::List) return std::nullopt;
        return std::vector<std::string>(colspec->values.begin(), colspec->values.end());
    };
    view_->delegate()->max_length = [](int col) {
        const grid::ColumnSpec* colspec = grid::column_spec(k_kind, col);
        return colspec && colspec->column == grid::Column::AlphaTag ? grid::k_alpha_tag_limit : 0;
    };
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { emit context_menu(view_->viewport()->mapToGlobal(pos)); });
    layout->addWidget(view_, 1);
    view_->setEnabled(false);
}

UnitIdEditor::~UnitIdEditor() = default;

// ---- showing and writing back ----

void UnitIdEditor::show_system(int system) {
    if (has_system() && system != system_) leave();
    TextGrid grid;
    if (!show_unit_ids(session_.store(), system, grid, session_.prompter())) {
        forget();
        return;
    }
    system_ = system;
    dirty_ = false;
    model_->replace(std::move(grid));
    view_->setEnabled(true);
    view_->move_to(0, 1);
    caption_->setText(to_q(session_.store().system_slot(system, k_slot_name)) +
                      QStringLiteral("  \u2022  ") + tr("Unit IDs"));
}

void UnitIdEditor::write_back() {
    if (!has_system() || committing_) return;
    committing_ = true;
    view_->finish_editing();
    committing_ = false;
    if (dirty_) commit(tr("Edit cell"), [] { return true; });
}

bool UnitIdEditor::write_rows() {
    if (save_unit_ids(session_.store(), system_, model_->grid(), session_.prompter()) < 0) {
        dirty_ = true;  // the rows stay in the grid; the next write tries again
        return false;
    }
    dirty_ = false;
    session_.mark_changed(system_);
    return true;
}

void UnitIdEditor::commit(const QString& label, const std::function<bool()>& edit) {
    const bool was = committing_;
    committing_ = true;
    {
        EditingSession::Change change(session_, from_q(label));
        if (edit()) write_rows();
    }
    committing_ = was;
}

void UnitIdEditor::leave() {
    if (!has_system()) return;
    write_back();
    forget();
}

void UnitIdEditor::forget() {
    system_ = 0;
    dirty_ = false;
    TextGrid empty;
    grid::setup_grid(empty, k_kind);
    model_->replace(empty);
    view_->setEnabled(false);
    caption_->clear();
}

void UnitIdEditor::reload() {
    if (!has_system()) return;
    const int s = system_;
    if (!session_.store().exists(keys::system(s))) {
        forget();
        return;
    }
    // What the store holds now is what is shown; rows of a failed write are dropped with the
    // step that replaced them.
    dirty_ = false;
    system_ = 0;
    show_system(s);
}

void UnitIdEditor::save_column_widths() {
    std::vector<int> widths;
    for (int c = 0; c < grid::column_count(k_kind); ++c)
        widths.push_back(grid::pixels_to_twips(view_->columnWidth(c)));
    grid::save_column_widths(settings_, k_kind, widths);
}

// ---- the list file ----

bool UnitIdEditor::save_list(const std::string& path) {
    if (!has_system() || path.empty()) return false;
    view_->finish_editing();
    if (!write_unit_id_list(path, model_->grid(), session_.prompter())) return false;
    emit status(tr("Saved: %1").arg(QString::fromStdString(path)));
    return true;
}

bool UnitIdEditor::open_list(const std::string& path) {
    if (!has_system() || path.empty()) return false;
    view_->finish_editing();
    TextGrid read = model_->grid();
    if (!read_unit_id_list(path, read, session_.prompter())) return false;
    change(tr("Open Unit ID file"), [&](TextGrid& g) {
        g = std::move(read);
        GridChange ch;
        ch.changed = ch.rows_changed = true;
        return ch;
    });
    emit status(tr("Loaded: %1").arg(QString::fromStdString(path)));
    return true;
}

// ---- cells ----

void UnitIdEditor::cell_edited(int grid_row, int col, const std::string& value) {
    if (!has_system()) return;
    commit(tr("Edit cell"), [&] {
        const TextGrid& g = model_->grid();
        const bool last = grid_row == g.rows() - 1 && g.rows() <= k_max_unit_ids;
        const bool new_unit = grid::row_is_empty(g, k_kind, grid_row) && !value.empty();
        // A new unit ID starts with the scanner's defaults in its empty list cells, so what
        // the grid shows is what the file will hold.
        if (new_unit) {
            const std::vector<std::string> defaults = grid::default_row(k_kind);
            for (int c = 1; c < g.cols() && c < static_cast<int>(defaults.size()); ++c)
                if (g.at(grid_row, c).empty() && !defaults[c].empty())
                    model_->set_cell(grid_row, c, defaults[c]);
        }
        model_->set_cell(grid_row, col, value);
        // Typing into the last row opens a new empty one below, so entry can go on.
        if (last && !value.empty()) model_->append_rows(1);
        return true;
    });
}

bool UnitIdEditor::key_pressed(int grid_row, int col, const std::string& key) {
    const grid::ColumnSpec* colspec = grid::column_spec(k_kind, col);
    if (!colspec || key.size() != 1) return false;
    const std::string& current = model_->grid().at(grid_row, col);
    auto value = grid::key_entry(colspec->column, key[0], current);
    if (!value) return false;
    if (*value != current) cell_edited(grid_row, col, *value);
    return true;
}

grid::CellRange UnitIdEditor::selected_range() const {
    const TextGrid& g = model_->grid();
    const QItemSelection sel = view_->selectionModel()->selection();
    if (sel.isEmpty()) {
        QModelIndex c = view_->currentIndex();
        if (!c.isValid()) return {1, 1, 0, 0};
        return grid::clip(CellRange::cell(c.row() + 1, std::max(1, c.column())), g);
    }
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange& r : sel) {
        top = std::min(top, r.top() + 1);
        bottom = std::max(bottom, r.bottom() + 1);
        left = std::min(left, r.left());
        right = std::max(right, r.right());
    }
    return grid::clip({top, std::max(1, left), bottom, std::max(1, right)}, g);
}

void UnitIdEditor::select_range(const grid::CellRange& range) {
    if (range.empty()) return;
    QModelIndex tl = model_->index(range.top - 1, range.left),
                br = model_->index(range.bottom - 1, range.right);
    if (!tl.isValid() || !br.isValid()) return;
    view_->selectionModel()->setCurrentIndex(tl, QItemSelectionModel::NoUpdate);
    view_->selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
    view_->scrollTo(tl);
}

grid::GridChange UnitIdEditor::change(const QString& label,
                                      const std::function<grid::GridChange(TextGrid&)>& op) {
    GridChange result;
    commit(label, [&] {
        model_->apply([&](TextGrid& g) { result = op(g); });
        return result.changed || result.rows_changed;
    });
    if (result.selection) select_range(*result.selection);
    return result;
}

// ---- commands ----

bool UnitIdEditor::run(CommandId id) {
    if (handler_of(id) != Handler::Grid) return false;
    Prompter& prompter = session_.prompter();
    if (!has_system()) {
        emit diagnostic(to_q(grid::no_invoer(GridEditor::routine_name(id))));
        prompter.tell(grid::k_no_grid_selected);
        return true;
    }
    const CellRange range = selected_range();
    const int at = range.empty() ? 1 : range.top;
    switch (id) {
        case CommandId::SelectAll:
        case CommandId::ClearCurrentGrid:
        case CommandId::RemoveEmptyLines:
        case CommandId::Validate:
            break;
        default:
            if (range.empty()) {
                prompter.tell(grid::k_click_grid_first);
                return true;
            }
    }

    GridCommandTarget target{
        k_kind,
        range,
        at,
        prompter,
        view_,
        model_->grid(),
        [this](const QString& label, const auto& op) { return change(label, op); },
        [this](const CellRange& r) { select_range(r); }};
    if (run_row_command(id, target)) return true;
    switch (id) {
        case CommandId::Validate: {
            std::vector<grid::Finding> findings;
            change(tr("Check"), [&](TextGrid& g) {
                findings = grid::validate_grid(g, k_kind, true);
                GridChange ch;
                for (const auto& f : findings) ch.changed |= f.fixed;
                return ch;
            });
            emit status(findings.empty() ? tr("Validate: no problems found")
                                         : tr("Validate: %1 finding(s)").arg(findings.size()));
            break;
        }
        default:
            // Frequencies, other groups and EDACS notations mean nothing to unit IDs.
            emit status(tr("Not used in the unit-ID grid"));
            break;
    }
    return true;
}

}  // namespace tarvex
