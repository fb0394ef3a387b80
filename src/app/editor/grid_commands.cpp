// The grid commands of the Edit menu, the grid's pop-up menu, the tool bar and the Options menu:
// each picks the selection, calls its core routine and records the undo step.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_row_commands.h"
#include "app/editor/grid_view.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_check.h"
#include "core/editor/grid_columns.h"
#include "core/editor/grid_diag.h"
#include "core/editor/grid_edacs.h"
#include "core/editor/grid_split.h"
#include "core/editor/grid_text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_fields.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

using grid::CellRange;
using grid::GridChange;

std::string_view GridEditor::routine_name(CommandId id) {
    switch (id) {
        case CommandId::Cut:
            return "cut_block";
        case CommandId::Copy:
            return "copy_block";
        case CommandId::Paste:
            return "paste_block";
        case CommandId::PasteFrequencies:
            return "paste_frequencies";
        case CommandId::Delete:
            return "delete_block";
        case CommandId::CutLine:
            return "cut_lines";
        case CommandId::CopyLine:
            return "copy_lines";
        case CommandId::PasteLine:
            return "paste_lines";
        case CommandId::SelectAll:
            return "select_all";
        case CommandId::Find:
            return "find_next";
        case CommandId::Replace:
            return "replace_in";
        case CommandId::ShiftUp:
            return "shift_up";
        case CommandId::ShiftDown:
            return "shift_down";
        case CommandId::CopyFrequencyToAlphaTag:
        case CommandId::CopyTalkgroupToAlphaTag:
        case CommandId::CopyIdToAlphaTag:
            return "copy_to_alpha_tag";
        case CommandId::ClearCurrentGrid:
            return "clear_grid";
        case CommandId::InsertLine:
            return "insert_lines";
        case CommandId::FillDown:
            return "fill_down";
        case CommandId::FillSeries:
            return "fill_series";
        case CommandId::LowerCase:
        case CommandId::UpperCase:
        case CommandId::SpecialCase:
            return "change_case";
        case CommandId::EditCell:
            return "edit_cell";
        case CommandId::MoveTo:
            return "move_lines_to";
        case CommandId::CopyTo:
            return "copy_lines_to";
        case CommandId::ConvertDecimal:
            return "convert_decimal";
        case CommandId::ConvertAfs:
            return "convert_afs";
        case CommandId::SplitComments:
            return "split_comments";
        case CommandId::ClearSelectedLines:
            return "clear_lines";
        case CommandId::CleanupGrid:
            return "cleanup_grid";
        case CommandId::RemoveEmptyLines:
            return "remove_empty_lines";
        case CommandId::Validate:
            return "validate_grid";
        case CommandId::NewChannel:
            return "add_line";
        default:
            return "";
    }
}

bool GridEditor::no_grid(CommandId id) {
    if (has_group()) return false;
    // A grid routine reached without a grid leaves its trace in the diagnostic list.
    emit diagnostic(to_q(grid::no_invoer(routine_name(id))));
    session_.prompter().tell(grid::k_no_grid_selected);
    return true;
}

std::string GridEditor::clipboard_text() const {
    return from_q(QApplication::clipboard()->text());
}

bool GridEditor::run(CommandId id) {
    if (handler_of(id) != Handler::Grid) return false;
    if (no_grid(id)) return true;
    GridView* v = view();
    Prompter& prompter = session_.prompter();
    const CellRange range = selected_range();
    const int at = range.empty() ? 1 : range.top;

    // Commands that work on the selection need one.
    switch (id) {
        case CommandId::SelectAll:
        case CommandId::ClearCurrentGrid:
        case CommandId::RemoveEmptyLines:
        case CommandId::CleanupGrid:
        case CommandId::Validate:
        case CommandId::NewChannel:
        case CommandId::Find:
        case CommandId::Replace:
            break;
        default:
            if (range.empty()) {
                prompter.tell(grid::k_click_grid_first);
                return true;
            }
    }

    GridCommandTarget target{
        kind_,
        range,
        at,
        prompter,
        v,
        model()->grid(),
        [this](const QString& label, const auto& op) { return change(label, op); },
        [this](const CellRange& r) { select_range(r); }};
    if (run_row_command(id, target)) return true;
    switch (id) {
        case CommandId::PasteFrequencies: {
            std::string text = clipboard_text();
            change(tr("Paste Frequencies"), [&](TextGrid& g) {
                return grid::paste_frequencies(g, kind_, at, text, prompter);
            });
            break;
        }
        case CommandId::Find:
            show_find_bar(false);
            break;
        case CommandId::Replace:
            show_find_bar(true);
            break;
        case CommandId::MoveTo:
            move_or_copy(true);
            break;
        case CommandId::CopyTo:
            move_or_copy(false);
            break;
        case CommandId::ConvertDecimal:
            change(tr("Convert Decimal"),
                   [&](TextGrid& g) { return grid::convert_decimal(g, kind_, range); });
            break;
        case CommandId::ConvertAfs:
            change(tr("Convert AFS"),
                   [&](TextGrid& g) { return grid::convert_afs(g, kind_, range); });
            break;
        case CommandId::SplitComments: {
            std::string text = clipboard_text();
            change(tr("Split Comments"),
                   [&](TextGrid& g) { return grid::split_comments(g, kind_, at, text, prompter); });
            break;
        }
        case CommandId::Validate:
            validate();
            break;
        case CommandId::CleanupGrid: {
            GridChange done = change(tr("Cleanup Grid"), [&](TextGrid& g) {
                return grid::cleanup_grid(g, kind_, system_type());
            });
            emit status(tr("Cleanup Grid: %n value(s) corrected, empty lines removed", nullptr,
                           done.count));
            break;
        }
        case CommandId::NewChannel:
            change(tr("Channel"), [&](TextGrid& g) { return grid::add_line(g, kind_, prompter); });
            v->setFocus();
            break;
        default:
            // A grid command without its routine yet is disabled in the menus; reaching it
            // anyway leaves the same trace as a missing grid.
            emit diagnostic(to_q(grid::no_invoer(routine_name(id))));
            return true;
    }
    return true;
}

// ---- find and replace ----

void GridEditor::show_find_bar(bool replace) {
    replace_text_->setEnabled(replace);
    replace_button_->setEnabled(replace);
    find_bar_->show();
    find_text_->setFocus();
    find_text_->selectAll();
}

void GridEditor::find_next() {
    GridView* v = view();
    if (!v || find_text_->text().isEmpty()) return;
    QModelIndex c = v->currentIndex();
    grid::CellPos from = c.isValid() ? grid::CellPos{c.row() + 1, c.column()} : grid::CellPos{0, 0};
    auto hit = grid::find_next(model()->grid(), from_q(find_text_->text()), from,
                               match_case_->isChecked());
    if (!hit) {
        emit status(tr("Not found: ") + find_text_->text());
        return;
    }
    select_range(CellRange::cell(hit->row, hit->col));
    emit status(tr("Found in row %1").arg(hit->row));
}

void GridEditor::replace_all() {
    if (!view() || find_text_->text().isEmpty()) return;
    CellRange range = selected_range();
    if (range.empty() || (range.row_count() == 1 && range.col_count() == 1))
        range = grid::select_all(model()->grid());
    std::string text = from_q(find_text_->text()), with = from_q(replace_text_->text());
    GridChange ch = change(tr("Replace"), [&](TextGrid& g) {
        return grid::replace_in(g, range, text, with, match_case_->isChecked());
    });
    emit status(tr("Replaced: %1").arg(ch.count));
}

// ---- other groups ----

std::optional<std::pair<int, int>> GridEditor::target_group_dialog(bool move) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frm_move_to"));
    dialog.setWindowTitle(move ? tr("Move To") : tr("Copy To"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(tr("Choose the group that receives the selected rows:"), &dialog));
    auto* list = new QListWidget(&dialog);
    const SystemStore& store = session_.store();
    for (auto sys = store.first_root(); sys != SystemStore::npos; sys = store.next_sibling(sys)) {
        const std::string& key = store.key_of(sys);
        if (!starts_with(key, "SYS-")) continue;
        int s = keys::system_of(key);
        const std::string& code = store.system_type_code(s);
        if (grid::grid_kind_for_system_type(static_cast<int>(lenient_integer(code))) != kind_)
            continue;
        for (auto c = store.first_child(sys); c != SystemStore::npos; c = store.next_sibling(c)) {
            const std::string& gk = store.key_of(c);
            if (!starts_with(gk, "GRP-")) continue;
            int g = keys::group_of(gk);
            if (s == system_ && g == group_) continue;
            auto* item =
                new QListWidgetItem(to_q(record_name(store.text_of(sys))) + QStringLiteral(" / ") +
                                    to_q(record_name(store.text_of(c))));
            item->setData(Qt::UserRole, s);
            item->setData(Qt::UserRole + 1, g);
            list->addItem(item);
        }
    }
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(420, 360);
    if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return std::nullopt;
    return std::pair{list->currentItem()->data(Qt::UserRole).toInt(),
                     list->currentItem()->data(Qt::UserRole + 1).toInt()};
}

void GridEditor::move_or_copy(bool move) {
    const CellRange range = selected_range();
    auto target = choose_target_group ? choose_target_group(move) : target_group_dialog(move);
    if (!target) return;
    auto [ts, tg] = *target;
    if (ts == system_ && tg == group_) return;
    write_back();
    TextGrid to, from = model()->grid();
    grid::load_group_grid(session_.files(), ts, tg, kind_, to);
    Prompter& prompter = session_.prompter();
    GridChange to_change, from_change;
    if (move)
        to_change = grid::move_lines_to(from, kind_, range, to, prompter, &from_change);
    else
        to_change = grid::copy_lines_to(from, kind_, range, to, prompter);
    if (!to_change.changed && !to_change.rows_changed) return;
    // The target is written first: only once the rows are safe there do they leave this grid,
    // and both halves are one undo step.
    bool written = false;
    commit(move ? tr("Move To") : tr("Copy To"), [&] {
        if (!grid::save_group_grid(session_.files(), ts, tg, kind_, to)) return false;
        written = true;
        session_.mark_changed(ts);
        if (!move) return false;
        model()->apply([&](TextGrid& g) { g = std::move(from); });
        return true;
    });
    if (!written) {
        session_.prompter().tell(
            "The rows could not be written to the target group (the disk "
            "may be full). Nothing was moved or copied.",
            "Warning");
        return;
    }
    if (move && from_change.selection) select_range(*from_change.selection);
    emit status(tr("%1 row(s) %2").arg(range.row_count()).arg(move ? tr("moved") : tr("copied")));
}

// ---- check ----

void GridEditor::validate() {
    emit status(QStringLiteral("Validate"));
    check_panel_->show();
    refresh_check();
}

void GridEditor::refresh_check() {
    const grid::CheckReport report = grid::check_report(model()->grid(), kind_, system_type());
    check_list_->clear();
    auto heading = [this](const QString& text) {
        auto* item = new QListWidgetItem(text, check_list_);
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
        item->setFlags(Qt::ItemIsEnabled);
    };
    auto finding = [this](const grid::Finding& f) {
        auto* item = new QListWidgetItem(to_q(f.message), check_list_);
        item->setData(Qt::UserRole, f.row);
        item->setData(Qt::UserRole + 1, f.col);
    };
    if (!report.errors.empty()) {
        heading(tr("%1 error(s): the scanner cannot use these values").arg(report.errors.size()));
        for (const auto& f : report.errors) finding(f);
    }
    if (!report.corrections.empty()) {
        heading(tr("Fix would change %1 value(s):").arg(report.corrections.size()));
        for (const auto& f : report.corrections) finding(f);
    }
    if (report.defaults > 0)
        heading(tr("Fix would fill %1 empty cell(s) of %2 row(s) with their defaults")
                    .arg(report.defaults)
                    .arg(report.defaults_rows));
    if (check_list_->count() == 0) heading(tr("No problems found"));
    fix_button_->setEnabled(report.fixable());
    emit status(report.errors.empty() && !report.fixable()
                    ? tr("Validate: no problems found")
                    : tr("Validate: %1 error(s), %2 correction(s), %3 default(s)")
                          .arg(report.errors.size())
                          .arg(report.corrections.size())
                          .arg(report.defaults));
}

void GridEditor::fix() {
    if (!has_group()) return;
    change(tr("Fix"), [&](TextGrid& g) {
        GridChange ch;
        for (const auto& f : grid::validate_grid(g, kind_, true, system_type()))
            if (f.fixed) {
                ch.changed = true;
                ++ch.count;
            }
        return ch;
    });
    refresh_check();
}

}  // namespace tarvex
