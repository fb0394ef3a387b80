#pragma once
// The main window's data-exchange commands: "Import CSV" opens the CSV mapper (whose "Send to
// Grid" lands in the open channel grid), "Create HTML" writes the open grid as a web page, and
// the Print commands print the open grid, the current system or every system through a print
// preview (print or save as PDF from there).
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "core/editor/commands.h"

class QPagedPaintDevice;
class QWidget;

namespace tarvex {

class CsvMapperWindow;
class EditingSession;
class FileChooser;
class GridEditor;
class Prompter;
class Settings;
struct PrintRun;

class ExchangeCommands : public QObject {
    Q_OBJECT
  public:
    // `scripted` answers the file dialogs when given (tests); otherwise Qt's dialogs ask.
    ExchangeCommands(QWidget* window, EditingSession& session, GridEditor& grid, Settings& settings,
                     Prompter& prompter, FileChooser* scripted);
    ~ExchangeCommands() override;

    static bool handles(CommandId id);
    // Runs ImportCsv, CreateHtml, CreateHtmlOfGroup or a Print command; false for others.
    bool run(CommandId id);

    CsvMapperWindow* mapper() const;
    void close_mapper();

    // When set, printing goes straight into this PDF file, without the preview.
    QString print_to_pdf;
    // Progress and outcome texts for the window's status line.
    std::function<void(const QString&)> status;

  private:
    void open_mapper();
    bool send_to_grid(const std::string& text);
    void export_html();
    void print(CommandId id);
    PrintRun render(CommandId id, QPagedPaintDevice& device);

    QWidget* window_;
    EditingSession& session_;
    GridEditor& grid_;
    Settings& settings_;
    Prompter& prompter_;
    FileChooser* scripted_;
    QPointer<CsvMapperWindow> mapper_;
};

}  // namespace tarvex
