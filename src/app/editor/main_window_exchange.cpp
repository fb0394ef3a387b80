// The main window's data-exchange commands live in app/exchange; the window makes them on first
// use and hands them the session, the grid editor and its dialogs.
#include <QLabel>

#include "app/editor/main_window.h"
#include "app/editor/main_window_options.h"
#include "app/exchange/exchange_commands.h"

namespace tarvex {

ExchangeCommands& MainWindow::exchange() {
    if (!exchange_) {
        FileChooser* scripted = services_->own_chooser ? nullptr : services_->chooser;
        exchange_ =
            new ExchangeCommands(this, *session_, *grid_editor_, settings_, *prompter_, scripted);
        exchange_->status = [this](const QString& text) { status_label_->setText(text); };
    }
    return *exchange_;
}

}  // namespace tarvex
