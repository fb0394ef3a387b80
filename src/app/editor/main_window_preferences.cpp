// Setup -> "Software Options" and what follows a change: the card window searches the new
// folders at once; the other windows read the new values when they are opened next.
#include <QLabel>

#include "app/card/favorites_window.h"
#include "app/editor/main_window.h"
#include "app/masterdb/masterdb_window.h"
#include "app/remote/mini_vc_window.h"
#include "app/remote/virtual_control_window.h"
#include "app/settings/preferences_dialog.h"

namespace tarvex {

PreferencesDialog* MainWindow::preferences_dialog() const {
    return preferences_;
}

void MainWindow::open_preferences() {
    if (!preferences_) {
        auto* d = new PreferencesDialog(settings_, *prompter_, this);
        d->setAttribute(Qt::WA_DeleteOnClose);
        connect(d, &PreferencesDialog::preferences_changed, this, &MainWindow::preferences_changed);
        preferences_ = d;
    }
    // Window-modal without a nested event loop: the caller (a menu, a test) carries on.
    preferences_->open();
    preferences_->raise();
    preferences_->activateWindow();
}

void MainWindow::preferences_changed(const QStringList& ids) {
    // The card manager looks for the scanner again in the folders now named.
    if (ids.contains(QStringLiteral("card_folders")) && favorites_) favorites_->detect();
    // The import and Virtual Control windows keep the folder and port they started with while
    // they work (an import or a live link is never cut short); say so rather than leave the
    // user wondering why nothing moved.
    const bool masterdb_waits = ids.contains(QStringLiteral("masterdb_folder")) && masterdb_;
    const bool port_waits = ids.contains(QStringLiteral("serial_port")) && virtual_control_;
    if (masterdb_waits || port_waits)
        status_label_->setText(
            tr("Options saved. %1 uses the new value when it is opened again.")
                .arg(masterdb_waits ? tr("Master Database Import") : tr("Virtual Control")));
    else
        status_label_->setText(tr("Options saved."));
}

}  // namespace tarvex
