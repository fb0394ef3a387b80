#include "app/editor/grid_row_commands.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>

#include "app/common/latin1.h"
#include "core/editor/grid_text.h"

namespace tarvex {

namespace {

QString label(const char* text) {
    return QCoreApplication::translate("GridCommands", text);
}

void to_clipboard(const std::string& text) {
    QApplication::clipboard()->setText(to_q(text));
}

std::string from_clipboard() {
    return from_q(QApplication::clipboard()->text());
}

}  // namespace

bool run_row_command(CommandId id, GridCommandTarget& t) {
    using grid::GridChange;
    const grid::CellRange range = t.range;
    const grid::GridKind kind = t.kind;
    Prompter& prompter = t.prompter;
    switch (id) {
        case CommandId::Cut: {
            std::string text;
            t.change(label("Cut"), [&](TextGrid& g) { return grid::cut_block(g, range, text); });
            to_clipboard(text);
            return true;
        }
        case CommandId::Copy:
            to_clipboard(grid::copy_block(t.grid, range));
            return true;
        case CommandId::Paste: {
            std::string text = from_clipboard();
            t.change(label("Paste"),
                     [&](TextGrid& g) { return grid::paste_block(g, range, text); });
            return true;
        }
        case CommandId::Delete:
            t.change(label("Delete"), [&](TextGrid& g) { return grid::delete_block(g, range); });
            return true;
        case CommandId::CutLine: {
            std::string text;
            t.change(label("Cut Line"),
                     [&](TextGrid& g) { return grid::cut_lines(g, range, text); });
            to_clipboard(text);
            return true;
        }
        case CommandId::CopyLine:
            to_clipboard(grid::copy_lines(t.grid, range));
            return true;
        case CommandId::PasteLine: {
            std::string text = from_clipboard();
            t.change(label("Paste Line"),
                     [&](TextGrid& g) { return grid::paste_lines(g, kind, t.at, text, prompter); });
            return true;
        }
        case CommandId::SelectAll:
            t.select(grid::select_all(t.grid));
            return true;
        case CommandId::ShiftUp:
            t.change(label("Shift Up"), [&](TextGrid& g) { return grid::shift_up(g, range); });
            return true;
        case CommandId::ShiftDown:
            t.change(label("Shift Down"), [&](TextGrid& g) { return grid::shift_down(g, range); });
            return true;
        case CommandId::CopyFrequencyToAlphaTag:
        case CommandId::CopyTalkgroupToAlphaTag:
        case CommandId::CopyIdToAlphaTag:
            t.change(label("Copy to Alpha Tag"),
                     [&](TextGrid& g) { return grid::copy_to_alpha_tag(g, kind, range); });
            return true;
        case CommandId::ClearCurrentGrid:
            t.change(label("Clear Current Grid"),
                     [&](TextGrid& g) { return grid::clear_grid(g, prompter); });
            return true;
        case CommandId::InsertLine:
            t.change(label("Insert Line"),
                     [&](TextGrid& g) { return grid::insert_lines(g, kind, range, prompter); });
            return true;
        case CommandId::FillDown:
            t.change(label("Fill Down"), [&](TextGrid& g) { return grid::fill_down(g, range); });
            return true;
        case CommandId::FillSeries:
            t.change(label("Fill Series"),
                     [&](TextGrid& g) { return grid::fill_series(g, kind, range, prompter); });
            return true;
        case CommandId::LowerCase:
        case CommandId::UpperCase:
        case CommandId::SpecialCase: {
            grid::CaseCode code = id == CommandId::LowerCase   ? grid::CaseCode::Lower
                                  : id == CommandId::UpperCase ? grid::CaseCode::Upper
                                                               : grid::CaseCode::Special;
            t.change(label("Change case"),
                     [&](TextGrid& g) { return grid::change_case(g, kind, range, code); });
            return true;
        }
        case CommandId::EditCell: {
            QModelIndex c = t.view->currentIndex();
            if (c.isValid()) t.view->edit(c);
            return true;
        }
        case CommandId::ClearSelectedLines:
            t.change(label("Clear Selected Line(s)"),
                     [&](TextGrid& g) { return grid::clear_lines(g, range); });
            return true;
        case CommandId::RemoveEmptyLines:
            t.change(label("Remove Empty Line(s)"),
                     [&](TextGrid& g) { return grid::remove_empty_lines(g, kind); });
            return true;
        default:
            return false;
    }
}

}  // namespace tarvex
