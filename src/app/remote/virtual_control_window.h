#pragma once
// The Virtual Control window: the scanner's display, its keys, the port choice and the
// reception log grid. Every decision is the core VirtualControl's; this window paints its
// display model and forwards clicks and timer ticks to it.
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/platform/vc_timers_qt.h"
#include "core/remote/clock.h"
#include "core/remote/trace.h"
#include "core/remote/virtual_control.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tarvex {

class LogGridModel;
class MiniVcWindow;

using SerialPortFactory = std::function<std::unique_ptr<remote::SerialPort>()>;
// Asks for a file name: (caption, filter, save) -> path, "" when cancelled.
using VcFileChooser = std::function<QString(const QString&, const QString&, bool)>;

struct VcWindowOptions {
    remote::VcFolders folders;        // data folder (log file, raw log, trace), loggrid.ini folder
    VcIntervals intervals;            // the timers; tests shorten them
    bool find_scanner_by_usb = true;  // prefer the port that carries the scanner's USB ids
    VcFileChooser choose_file;        // default: the platform's file dialog
};

// A label that reports clicks and double-clicks, as the display's lines need.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void clicked();
    void double_clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class VirtualControlWindow : public QWidget {
    Q_OBJECT
  public:
    VirtualControlWindow(Settings& settings, Prompter& prompter, const SerialPortFactory& make_port,
                         VcWindowOptions options = {}, QWidget* parent = nullptr);
    ~VirtualControlWindow() override;

    remote::VirtualControl& core() { return *vc_; }
    remote::SerialTrace& trace() { return trace_; }
    MiniVcWindow* mini_window() const { return mini_; }
    // Shows the small always-on-top companion window.
    void show_mini();

  public slots:
    // Repaints everything from the core's display model and log.
    void refresh();

    // The state line: searching, no answer, connected to MODEL on PORT.
    QString state_text() const;
    // Uses the device now and remembers it (empty: find the scanner automatically).
    void choose_device(const QString& device);
    // The device setting changed elsewhere (Setup -> "Software Options"): the window uses it
    // at once, as if it had been chosen here, and its notice line says where it came from.
    void take_device_setting();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    QWidget* build_display();
    QWidget* build_keys();
    QWidget* build_log();
    void refresh_selector();
    void fill_devices();
    void fit_on_screen();
    void set_trace(bool on);
    void choose_log_file();
    void save_log();
    void shut_down();

    Settings& settings_;
    Prompter& prompter_;
    VcWindowOptions options_;
    remote::SystemClock clock_;
    std::unique_ptr<remote::SerialPort> port_;
    remote::SerialTrace trace_;
    std::unique_ptr<remote::TracingPort> traced_;
    QtVcTimers* timers_ = nullptr;
    std::unique_ptr<remote::VirtualControl> vc_;
    bool shut_down_ = false;

    std::array<ClickLabel*, 3> lines_{};
    std::array<ClickLabel*, 3> avoid_marks_{};
    QLabel *frequency_ = nullptr, *mode_ = nullptr, *tone_ = nullptr, *nac_ = nullptr;
    QLabel *service_ = nullptr, *uid_ = nullptr, *favorites_ = nullptr;
    std::array<QFrame*, 4> bars_{};
    QFrame* busy_ = nullptr;
    QLineEdit* reply_ = nullptr;
    std::array<QPushButton*, 5> keys_{};
    QComboBox *port_box_ = nullptr, *volume_ = nullptr, *squelch_ = nullptr;
    QComboBox* device_box_ = nullptr;
    QPushButton* start_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* notice_ = nullptr;
    bool placed_ = false;
    QCheckBox *autostart_ = nullptr, *append_ = nullptr, *log_data_ = nullptr,
              *trace_box_ = nullptr;
    QLineEdit* log_file_ = nullptr;
    QTableView* grid_ = nullptr;
    LogGridModel* grid_model_ = nullptr;
    QPointer<MiniVcWindow> mini_;
    std::vector<std::string> shown_ports_;
};

}  // namespace tarvex
