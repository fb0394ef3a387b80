#include "app/exchange/exchange_commands.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/common/latin1.h"
#include "app/common/qt_file_chooser.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "app/exchange/csv_mapper_window.h"
#include "app/exchange/file_filter.h"
#include "app/print/page_printer.h"
#include "core/base/prompter.h"
#include "core/editor/grid_ops.h"
#include "core/editor/session.h"
#include "core/exchange/html_export.h"
#include "core/exchange/print_layout.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

constexpr std::string_view k_select_system = "Please click on a system first.";
constexpr std::string_view k_nothing_to_print = "There is no system to print.";

}  // namespace

ExchangeCommands::ExchangeCommands(QWidget* window, EditingSession& session, GridEditor& grid,
                                   Settings& settings, Prompter& prompter, FileChooser* scripted)
    : QObject(window),
      window_(window),
      session_(session),
      grid_(grid),
      settings_(settings),
      prompter_(prompter),
      scripted_(scripted) {}

ExchangeCommands::~ExchangeCommands() {
    close_mapper();
}

bool ExchangeCommands::handles(CommandId id) {
    switch (id) {
        case CommandId::ImportCsv:
        case CommandId::CreateHtml:
        case CommandId::CreateHtmlOfGroup:
        case CommandId::PrintCurrentGrid:
        case CommandId::PrintCurrentSystem:
        case CommandId::PrintAllSystems:
            return true;
        default:
            return false;
    }
}

bool ExchangeCommands::run(CommandId id) {
    switch (id) {
        case CommandId::ImportCsv:
            open_mapper();
            return true;
        case CommandId::CreateHtml:
        case CommandId::CreateHtmlOfGroup:
            export_html();
            return true;
        case CommandId::PrintCurrentGrid:
        case CommandId::PrintCurrentSystem:
        case CommandId::PrintAllSystems:
            print(id);
            return true;
        default:
            return false;
    }
}

CsvMapperWindow* ExchangeCommands::mapper() const {
    return mapper_;
}

void ExchangeCommands::close_mapper() {
    if (!mapper_) return;
    mapper_->close();
    delete mapper_;
}

// ---- CSV ----

void ExchangeCommands::open_mapper() {
    if (!mapper_) {
        auto* w = new CsvMapperWindow(settings_, prompter_, window_);
        w->setWindowFlag(Qt::Window);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->send_to_grid = [this](const csv::GridRows& rows) { return send_to_grid(rows.text); };
        if (scripted_) {
            auto answer = [this](bool open, const QString& title) -> std::optional<QString> {
                auto chosen = open ? scripted_->open_file(from_q(title), {})
                                   : scripted_->save_file(from_q(title), "");
                if (!chosen) return std::nullopt;
                return from_core_path(*chosen);
            };
            w->choose_open = [answer](const QString& t, const QString&) { return answer(true, t); };
            w->choose_save = [answer](const QString& t, const QString&) {
                return answer(false, t);
            };
        }
        mapper_ = w;
    }
    if (mapper_->isMinimized()) mapper_->showNormal();
    mapper_->show();
    mapper_->raise();
    mapper_->activateWindow();
}

bool ExchangeCommands::send_to_grid(const std::string& text) {
    if (!grid_.has_group() || grid_.kind() != grid::GridKind::Channel) {
        prompter_.tell(csv::k_needs_channel_grid);
        return false;
    }
    if (!grid_.append_lines(tr("Send to Grid"), text)) return false;
    if (status) status(tr("Rows sent from the CSV mapper"));
    return true;
}

// ---- HTML ----

void ExchangeCommands::export_html() {
    if (!grid_.has_group()) {
        prompter_.tell(html::k_no_grid);
        return;
    }
    session_.write_back();
    TextGrid rows;
    html::PageSource source = html::group_source(session_.store(), session_.files(), grid_.system(),
                                                 grid_.group(), session_.file_name(), rows);
    const std::string proposal = html::proposed_name(source.group_name, source.kind);
    std::optional<std::string> target;
    if (scripted_) {
        target = scripted_->save_file(html::k_dialog_title, proposal);
    } else {
        QString chosen =
            QFileDialog::getSaveFileName(window_, to_q(html::k_dialog_title), to_q(proposal),
                                         qt_file_filter(to_q(html::k_dialog_filter)));
        if (!chosen.isEmpty()) target = to_core_path(chosen);
    }
    if (!target) return;
    std::string error;
    if (!html::export_grid_html(*target, source, &error)) {
        prompter_.tell("Could not write " + *target + ": " + error);
        return;
    }
    if (status) status(tr("Web page written: %1").arg(from_core_path(*target)));
}

// ---- printing ----

PrintRun ExchangeCommands::render(CommandId id, QPagedPaintDevice& device) {
    const SystemStore& store = session_.store();
    auto progress = [this](std::string_view text) {
        if (status) status(to_q(text));
        // The print-out of every system takes a while: keep the window drawn meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    if (id == CommandId::PrintCurrentGrid) {
        print::Section s = print::group_section(store, session_.files(), grid_.system(),
                                                grid_.group(), session_.file_name());
        // The columns as they are on screen: hidden or squeezed-away columns stay off paper.
        if (GridView* v = grid_.view()) {
            s.columns.clear();
            for (int c = 0; c < s.grid.cols(); ++c)
                if (!v->isColumnHidden(c) && v->columnWidth(c) > 0) s.columns.push_back(c);
        }
        progress(std::string(print::k_wait) + s.group_name);
        return print_sections(device, {s});
    }
    const int system = id == CommandId::PrintCurrentSystem ? session_.selection().system : 0;
    return print_groups(device, store, session_.files(), system, -1, session_.file_name(),
                        progress);
}

void ExchangeCommands::print(CommandId id) {
    if (id == CommandId::PrintCurrentGrid && !grid_.has_group()) {
        prompter_.tell(grid::k_click_grid_first);
        return;
    }
    if (id == CommandId::PrintCurrentSystem && session_.selection().system <= 0) {
        prompter_.tell(k_select_system);
        return;
    }
    if (id == CommandId::PrintAllSystems && html::systems_of(session_.store()).empty()) {
        prompter_.tell(k_nothing_to_print);
        return;
    }
    session_.write_back();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tarvex"));
    PrintRun run;
    bool printed = false;
    if (!print_to_pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(print_to_pdf);
        run = render(id, printer);
        printed = true;
    } else {
        QPrintPreviewDialog preview(&printer, window_);
        preview.setObjectName(QStringLiteral("dlg_print_preview"));
        connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                [&](QPrinter* p) { run = render(id, *p); });
        printed = preview.exec() == QDialog::Accepted;
    }
    if (!run.ok()) {
        prompter_.tell(run.error);
        return;
    }
    if (!printed) return;
    if (status) status(tr("%1 page(s) printed").arg(run.pages));
    prompter_.tell(print::k_finished, print::k_finished_title);
}

}  // namespace tarvex
