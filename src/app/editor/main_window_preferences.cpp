// Setup -> "Software Options" and what follows a change: every open window takes the new
// value at once.
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
    // The card manager looks for the scanner again in the folders now named; the import window
    // reads the new folder's states and Virtual Control moves to the new device, each saying
    // so in its own window.
    if (ids.contains(QStringLiteral("card_folders")) && favorites_) favorites_->detect();
    if (ids.contains(QStringLiteral("masterdb_folder")) && masterdb_)
        masterdb_->take_folder_setting();
    if (ids.contains(QStringLiteral("serial_port")) && virtual_control_)
        virtual_control_->take_device_setting();
    status_label_->setText(tr("Options saved."));
}

}  // namespace tarvex
