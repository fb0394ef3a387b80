// The main window's tool windows: the favorites-lists manager of the memory card, the master
// database import and Virtual Control. Each is opened once and raised when asked for again; it
// works on the session's store and group files directly, and the session is told what arrived.
// They are gone before the session is, since they hold its store.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/card/favorites_window.h"
#include "app/common/latin1.h"
#include "app/editor/bulk_edit_window.h"
#include "app/editor/data_listener.h"
#include "app/editor/grid_editor.h"
#include "app/editor/main_window.h"
#include "app/editor/main_window_options.h"
#include "app/editor/unit_id_editor.h"
#include "app/exchange/exchange_commands.h"
#include "app/masterdb/masterdb_window.h"
#include "app/platform/serial_port_qt.h"
#include "app/radioref/frm_import_rr.h"
#include "app/radioref/frm_rr_search.h"
#include "app/remote/mini_vc_window.h"  // the window header's inline accessor needs it whole
#include "app/remote/virtual_control_window.h"
#include "app/tools/alert_tones_window.h"
#include "app/tools/dec_hex_window.h"
#include "app/tools/duplicates_window.h"
#include "app/tools/lockouts_window.h"
#include "app/tools/update_check_dialog.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/editor/unit_ids.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

FavoritesWindow::Page window_page(CardPage page) {
    switch (page) {
        case CardPage::Upload:
            return FavoritesWindow::Page::Upload;
        case CardPage::Read:
            return FavoritesWindow::Page::Read;
        case CardPage::Configuration:
            return FavoritesWindow::Page::Configuration;
        case CardPage::Backup:
            return FavoritesWindow::Page::Backup;
    }
    return FavoritesWindow::Page::Upload;
}

// A window of its own that goes when it is closed, so the next command starts it afresh: the
// manager detects the card again, Virtual Control opens the port again.
void make_tool_window(QWidget* w) {
    w->setWindowFlag(Qt::Window);
    w->setAttribute(Qt::WA_DeleteOnClose);
}

}  // namespace

FavoritesWindow* MainWindow::favorites_window() const {
    return favorites_;
}
MasterDbWindow* MainWindow::masterdb_window() const {
    return masterdb_;
}
VirtualControlWindow* MainWindow::virtual_control_window() const {
    return virtual_control_;
}

void MainWindow::show_tool_window(QWidget* w) {
    if (w->isMinimized()) w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
    // A message the window showed while opening (no card, no database) hands the focus back to
    // the main window when it closes; once the events of opening are done, it comes forward
    // again.
    QPointer<QWidget> window(w);
    QTimer::singleShot(0, this, [window] {
        if (!window || !window->isVisible()) return;
        window->raise();
        window->activateWindow();
    });
}

void MainWindow::open_favorites(CardPage page) {
    if (!favorites_) {
        auto* w = new FavoritesWindow(settings_, *prompter_, session_->store(), session_->files(),
                                      folders_, this);
        make_tool_window(w);
        w->before_upload = [this] {
            session_->write_back();
            return session_->confirm_marked_values("Send to the card");
        };
        w->confirm_load = [this] {
            session_->write_back();
            return session_->confirm_replace();
        };
        w->clear_editor_data = [this] { session_->clear_data(); };
        connect(w, &FavoritesWindow::list_loaded, this, &MainWindow::data_arrived);
        favorites_ = w;
    }
    favorites_->show_page(window_page(page));
    show_tool_window(favorites_);
}

void MainWindow::open_masterdb() {
    if (!masterdb_) {
        auto* w = new MasterDbWindow(settings_, *prompter_, session_->store(), session_->files(),
                                     folders_, this);
        make_tool_window(w);
        connect(w, &MasterDbWindow::systems_imported, this, &MainWindow::data_arrived);
        masterdb_ = w;
    }
    show_tool_window(masterdb_);
}

FrmImportRR* MainWindow::rr_import_window() const {
    return rr_import_;
}
FrmRrSearch* MainWindow::rr_search_window() const {
    return rr_search_;
}

void MainWindow::open_rr_import() {
    if (!rr_import_) {
        auto* w = new FrmImportRR(settings_, *prompter_, session_->store(), session_->files(),
                                  folders_, this);
        make_tool_window(w);
        connect(w, &FrmImportRR::systemsImported, this, &MainWindow::data_arrived);
        rr_import_ = w;
    }
    show_tool_window(rr_import_);
}

void MainWindow::open_rr_search() {
    if (!rr_search_) {
        auto* w = new FrmRrSearch(settings_, *prompter_, this);
        make_tool_window(w);
        rr_search_ = w;
    }
    show_tool_window(rr_search_);
    if (!rr_search_->connection().logged_in) rr_search_->login();
}

void MainWindow::open_virtual_control() {
    if (!virtual_control_) {
        VcWindowOptions options;
        // The desktop program's working folder is its data folder (log, raw log, trace and
        // "loggrid.ini").
        options.folders = {folders_.data, folders_.data};
        auto* w = new VirtualControlWindow(
            settings_, *prompter_, [] { return std::make_unique<QtSerialPort>(); },
            std::move(options), this);
        make_tool_window(w);
        virtual_control_ = w;
    }
    show_tool_window(virtual_control_);
}

BulkEditWindow* MainWindow::bulk_edit_window() const {
    return bulk_edit_;
}

void MainWindow::open_bulk_edit() {
    if (!bulk_edit_) {
        auto* w = new BulkEditWindow(*session_, settings_, this);
        make_tool_window(w);
        new DataListener(*session_, w, [w] { w->fill_list(); });
        bulk_edit_ = w;
    } else {
        bulk_edit_->fill_list();
    }
    show_tool_window(bulk_edit_);
}

void MainWindow::unit_id_file(bool open) {
    const Selection& s = session_->selection();
    if (!unit_id_editor_->has_system()) {
        if (s.system <= 0) {
            prompter_->tell(k_select_system);
            return;
        }
        if (session_->store().is_conventional(s.system)) {
            prompter_->tell(k_uid_trunked_only);
            return;
        }
        // The unit-ID editor of the current system opens, as a click on its node does.
        session_->select("UID-" + fmt3(s.system));
        if (!unit_id_editor_->has_system()) return;
    }
    FileChooser& chooser = *services_->chooser;
    if (open) {
        auto name = chooser.open_file("Open Unit ID file", folders_.data);
        if (name && !name->empty()) unit_id_editor_->open_list(*name);
    } else {
        auto name = chooser.save_file("Save Unit ID file", "unitids.txt");
        if (name && !name->empty()) unit_id_editor_->save_list(*name);
    }
}

void MainWindow::data_arrived() {
    session_->systems_arrived();
    update_command_states();
}

void MainWindow::close_tool_windows() {
    // Closing lets each window save its settings (and Virtual Control release the port); the
    // delete makes sure none outlives the store it works on.
    QWidget* windows[] = {favorites_,    masterdb_,  virtual_control_, bulk_edit_,
                          duplicates_,   lockouts_,  dec_hex_,         alert_tones_,
                          update_check_, rr_import_, rr_search_};
    for (QWidget* w : windows) {
        if (!w) continue;
        w->close();
        delete w;
    }
    if (exchange_) exchange_->close_mapper();
}

}  // namespace tarvex
