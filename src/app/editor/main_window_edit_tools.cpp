// The main window's editing tools: duplicates, lockouts, easy fill, the DEC/HEX converter, the
// alert tones, the manual, the version check and About. Every change is one step of the
// session's undo history (the core operations open the step; easy fill goes through the grid).
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>
#include <set>

#include "app/common/latin1.h"
#include "app/editor/bulk_edit_window.h"
#include "app/editor/data_listener.h"
#include "app/editor/find_in_database_window.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "app/editor/main_window.h"
#include "app/tools/alert_tone_player.h"
#include "app/tools/alert_tones_window.h"
#include "app/tools/dec_hex_window.h"
#include "app/tools/duplicates_window.h"
#include "app/tools/lockouts_window.h"
#include "app/tools/update_check_dialog.h"
#include "core/base/prompter.h"
#include "core/editor/about.h"
#include "core/editor/alert_tones.h"
#include "core/editor/easy_fill.h"
#include "core/editor/grid_columns.h"
#include "core/editor/session.h"
#include "core/editor/update_check.h"
#include "core/model/store_keys.h"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION ""
#endif
#ifndef TARVEX_LICENCE
#define TARVEX_LICENCE ""
#endif

namespace tarvex {

namespace {

QString running_version() {
    QString v = QApplication::applicationVersion();
    return v.isEmpty() ? QStringLiteral(TARVEX_VERSION) : v;
}

void as_tool_window(QWidget* w) {
    w->setWindowFlag(Qt::Window);
    w->setAttribute(Qt::WA_DeleteOnClose);
}

}  // namespace

DuplicatesWindow* MainWindow::duplicates_window() const {
    return duplicates_;
}
LockoutsWindow* MainWindow::lockouts_window() const {
    return lockouts_;
}
DecHexWindow* MainWindow::dec_hex_window() const {
    return dec_hex_;
}
AlertTonesWindow* MainWindow::alert_tones_window() const {
    return alert_tones_;
}
UpdateCheckDialog* MainWindow::update_check_dialog() const {
    return update_check_;
}

void MainWindow::connect_edit_tools() {
    // The tool windows follow the data themselves (DataListener): an undo, a grid edit or a
    // load anywhere lists them again.
    alert_player_ = new AlertTonePlayer(this);
    // Choosing an alert tone in a grid plays it, as the scanner would sound it.
    struct Grid {
        GridView* view;
        grid::GridKind kind;
    };
    for (Grid g : {Grid{grid_editor_->channel_view(), grid::GridKind::Channel},
                   Grid{grid_editor_->talkgroup_view(), grid::GridKind::Talkgroup}}) {
        auto* model = qobject_cast<GridModel*>(g.view->model());
        if (!model) continue;
        const int column = grid::column_index(g.kind, grid::Column::AlertTone);
        connect(model, &GridModel::dataChanged, this,
                [this, model, column](const QModelIndex& from, const QModelIndex& to) {
                    if (from != to || from.column() != column) return;
                    const int grid_row = from.row() + 1;
                    if (auto tone = alert_tone_number(model->grid().at(grid_row, column)))
                        alert_player_->play(*tone);
                });
    }
}

bool MainWindow::run_edit_tool(CommandId id) {
    switch (id) {
        case CommandId::About:
            prompter_->tell(about_text(from_q(running_version()), TARVEX_LICENCE, qVersion()),
                            "About Tarvex");
            return true;
        case CommandId::OpenSoftwareManual:
            open_manual();
            return true;
        case CommandId::CheckForUpdates:
            if (!update_check_) {
                update_check_ = new UpdateCheckDialog(settings_, running_version(), this);
                update_check_->setAttribute(Qt::WA_DeleteOnClose);
            }
            show_tool_window(update_check_);
            return true;
        case CommandId::FindDuplicates:
        case CommandId::RemoveDuplicates:
            open_duplicates();
            return true;
        case CommandId::FindLockOutChannels:
        case CommandId::ReviewLockOutChannels:
        case CommandId::ClearLockOut:
            open_lockouts();
            return true;
        case CommandId::EasyFillChannels:
        case CommandId::EasyFillTrunk:
            easy_fill(id == CommandId::EasyFillTrunk);
            return true;
        case CommandId::UnlockChannels: {
            // The session's unlock of the current system, as one undo step.
            int unlocked = 0;
            {
                EditingSession::Change change(*session_, "Unlock");
                unlocked = session_->unlock_channels();
            }
            if (unlocked > 0) refresh_edit_tools();
            return true;
        }
        case CommandId::DecHexConverter:
            if (!dec_hex_) {
                dec_hex_ = new DecHexWindow(this);
                as_tool_window(dec_hex_);
            }
            show_tool_window(dec_hex_);
            return true;
        case CommandId::AlertTones:
            if (!alert_tones_) {
                alert_tones_ = new AlertTonesWindow(*alert_player_, this);
                as_tool_window(alert_tones_);
            }
            show_tool_window(alert_tones_);
            return true;
        default:
            return false;
    }
}

void MainWindow::refresh_edit_tools() {
    if (session_->browser_dirty()) rebuild_browser();
    update_command_states();
}

void MainWindow::after_undo() {
    refresh_edit_tools();
    // The grid reopened from its file: back to the row, column and scroll place of before.
    if (const auto& place = session_->place_after_step(); place && grid_editor_->has_group())
        grid_editor_->restore_place(*place);
}

void MainWindow::open_duplicates() {
    if (!duplicates_) {
        auto* w = new DuplicatesWindow(session_->store(), session_->files(), this);
        as_tool_window(w);
        w->beforeFind = [this] { write_back_editors(); };
        w->removeRows = [this](const std::vector<RowPlace>& rows) {
            int removed = remove_duplicates(*session_, rows);
            if (session_->browser_dirty()) rebuild_browser();
            status_label_->setText(tr("%n duplicate(s) removed", nullptr, removed));
            return removed;
        };
        connect(w, &DuplicatesWindow::openRow, this, &MainWindow::open_row);
        new DataListener(*session_, w, [w] { w->find(); });
        duplicates_ = w;
    }
    duplicates_->find();
    show_tool_window(duplicates_);
}

void MainWindow::open_lockouts() {
    if (!lockouts_) {
        auto* w = new LockoutsWindow(session_->store(), session_->files(), this);
        as_tool_window(w);
        w->beforeRefresh = [this] { write_back_editors(); };
        w->unlockEntries = [this](const std::vector<Lockout>& entries) {
            int unlocked = unlock_lockouts(*session_, entries);
            if (session_->browser_dirty()) rebuild_browser();
            status_label_->setText(tr("%n unlocked", nullptr, unlocked));
            return unlocked;
        };
        connect(w, &LockoutsWindow::openRow, this, &MainWindow::open_row);
        new DataListener(*session_, w, [w] { w->refresh(); });
        lockouts_ = w;
    }
    lockouts_->refresh();
    show_tool_window(lockouts_);
}

FindInDatabaseWindow* MainWindow::find_in_database_window() const {
    return find_in_database_;
}

void MainWindow::open_find_in_database() {
    if (!find_in_database_) {
        auto* w = new FindInDatabaseWindow(session_->store(), session_->files(), this);
        as_tool_window(w);
        w->beforeFind = [this] { write_back_editors(); };
        connect(w, &FindInDatabaseWindow::openHit, this, &MainWindow::open_hit);
        find_in_database_ = w;
    }
    show_tool_window(find_in_database_);
    find_in_database_->box()->setFocus();
    find_in_database_->box()->selectAll();
}

void MainWindow::open_hit(int system, int site, int group, int row) {
    if (group >= 0) {
        open_row(system, group, row);
        return;
    }
    click_node(site > 0 ? keys::site(system, site) : keys::system(system));
    show_tool_window(this);
}

void MainWindow::open_row(int system, int group, int row) {
    if (!click_node(keys::group(system, group))) return;
    if (row > 0 && grid_editor_->has_group()) {
        grid_editor_->select_range(grid::CellRange::cell(row, 1));
        if (grid_editor_->view()) grid_editor_->view()->setFocus();
    }
    show_tool_window(this);
}

void MainWindow::easy_fill(bool talkgroups) {
    if (!grid_editor_->has_group()) {
        prompter_->tell(grid::k_click_grid_first);
        return;
    }
    const grid::GridKind kind = grid_editor_->kind();
    const grid::GridKind wanted = talkgroups ? grid::GridKind::Talkgroup : grid::GridKind::Channel;
    if (kind != wanted) {
        prompter_->tell(talkgroups ? "Easy Fill Trunk fills the talkgroups of a trunked "
                                     "system's group; please click on one first."
                                   : "Easy Fill Channels fills the channels of a conventional "
                                     "system's group; please click on one first.");
        return;
    }
    const int room = grid::k_max_rows - grid::last_used_row(grid_editor_->model()->grid(), kind);
    std::optional<EasyFillRequest> request;
    if (choose_easy_fill) {
        request = choose_easy_fill(talkgroups, room);
    } else {
        EasyFillDialog dialog(talkgroups, room, this);
        if (dialog.exec() == QDialog::Accepted) request = dialog.request();
    }
    if (!request || request->values.empty()) return;
    grid::GridChange c = grid_editor_->apply(
        talkgroups ? tr("Easy Fill Trunk") : tr("Easy Fill Channels"), [&](TextGrid& g) {
            return append_fill(g, kind, request->values, request->pattern, request->first_number,
                               *prompter_);
        });
    if (c.changed) status_label_->setText(tr("%n row(s) filled", nullptr, c.count));
}

void MainWindow::check_updates_at_startup() {
    if (!startup_check_allowed(settings_)) return;
    const QUrl url(to_q(update_address(settings_)));
    if (!url.isValid() || url.scheme().isEmpty()) return;
    auto* manager = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(10000);
    QNetworkReply* reply = manager->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, manager, reply] {
        if (reply->error() == QNetworkReply::NoError) {
            QByteArray bytes = reply->read(64 * 1024);
            auto latest = parse_latest_version(std::string(bytes.constData(), bytes.size()));
            if (latest && compare_versions(latest->version, from_q(running_version())) > 0)
                status_label_->setText(tr("Tarvex %1 is available (Help, Check for Updates)")
                                           .arg(to_q(latest->version)));
        }
        reply->deleteLater();
        manager->deleteLater();
    });
}

void MainWindow::open_manual() {
    const QString app = QCoreApplication::applicationDirPath();
    for (const QString& path : {app + QStringLiteral("/docs/manual.html"),
                                app + QStringLiteral("/../share/doc/tarvex/manual.html"),
                                app + QStringLiteral("/../docs/manual.html"),
                                QStringLiteral(TARVEX_DOCS_DIR) + QStringLiteral("/manual.html")}) {
        QFileInfo info(path);
        if (info.isFile()) {
            open_url(QUrl::fromLocalFile(info.canonicalFilePath()).toString().toStdString());
            return;
        }
    }
    prompter_->tell("The user guide (manual.html) is not installed beside the program.");
}

}  // namespace tarvex
