#pragma once
// What a caller may hand the main window instead of the real dialogs: tests script the answers.
#include <memory>

#include "app/editor/main_window.h"
#include "core/editor/session.h"

namespace tarvex {

class Prompter;

struct MainWindowOptions {
    Prompter* prompter = nullptr;    // the message boxes when null
    FileChooser* chooser = nullptr;  // the file dialogs when null
    long long run_number = -1;       // the run temp folder's number; -1: the time of day
};

// The window's own half of it.
struct MainWindow::Services {
    std::unique_ptr<FileChooser> own_chooser;
    FileChooser* chooser = nullptr;
};

}  // namespace tarvex
