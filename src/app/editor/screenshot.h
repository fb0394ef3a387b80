#pragma once
// `tarvex --screenshot WINDOW FILE.png`: the program opens one of its windows as a user would
// and saves a picture of it, so the pictures in the user guide are taken from the program
// itself (scripts/screenshots.sh) and never drift from what it shows.
#include <QString>
#include <QStringList>

class QWidget;

namespace tarvex {

class MainWindow;

// The names WINDOW accepts, in the order the user guide shows them.
QStringList screenshot_windows();

// Opens the named window (the main window itself for "main", with the first group of an open
// file in the grid) at the size it is pictured at. nullptr for an unknown name.
QWidget* open_for_screenshot(MainWindow& main, const QString& name);

// Draws the widget into a PNG file; an empty result when it was written, else the reason.
QString save_screenshot(QWidget* widget, const QString& file);

}  // namespace tarvex
