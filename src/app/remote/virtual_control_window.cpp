#include "app/remote/virtual_control_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSerialPortInfo>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/common/latin1.h"
#include "app/platform/serial_port_qt.h"
#include "app/remote/log_grid_model.h"
#include "app/remote/mini_vc_window.h"
#include "core/base/text.h"

namespace tarvex {

using remote::VcLine;

namespace {

constexpr int k_twips_per_pixel = 15;

// A field that comes and goes with a transmission keeps its place (and its height when it is
// empty), so nothing below it moves when the scanner starts or stops receiving.
void keep_place(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
    w->setMinimumHeight(w->fontMetrics().height() + 2);
}

constexpr const char* k_automatic_device =
    QT_TRANSLATE_NOOP("tarvex::VirtualControlWindow", "Automatic");

// The display's 0xBBGGRR colour values as a style-sheet colour.
QString css(long bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF))
        .name();
}

QLabel* field_label(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setMinimumWidth(60);
    keep_place(l);
    return l;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

}  // namespace

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    emit double_clicked();
}

VirtualControlWindow::VirtualControlWindow(Settings& settings, Prompter& prompter,
                                           const SerialPortFactory& make_port,
                                           VcWindowOptions options, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      options_(std::move(options)),
      port_(make_port()),
      trace_(clock_) {
    setObjectName("frm_vc");
    setWindowTitle(tr("Virtual Control"));
    traced_ = std::make_unique<remote::TracingPort>(*port_, trace_);
    timers_ = new QtVcTimers(options_.intervals, this);
    vc_ = std::make_unique<remote::VirtualControl>(*traced_, *timers_, settings_, prompter_, clock_,
                                                   options_.folders);
    if (options_.find_scanner_by_usb) vc_->set_found_device(find_scanner_device());
    if (!options_.choose_file) {
        options_.choose_file = [this](const QString& caption, const QString& filter, bool save) {
            return save ? QFileDialog::getSaveFileName(this, caption, {}, filter)
                        : QFileDialog::getOpenFileName(this, caption, {}, filter);
        };
    }
    timers_->bind(vc_.get());
    connect(timers_, &QtVcTimers::ticked, this, [this] { refresh(); });
    build();
    vc_->open_window();
    fill_devices();
    // The log grid is kept when the program ends without closing this window first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &VirtualControlWindow::shut_down);
    set_trace(vc_->trace_on());
    for (int c = 1; c <= 14; ++c)
        grid_->setColumnWidth(c, vc_->column_width(c) / k_twips_per_pixel);
    refresh();
}

VirtualControlWindow::~VirtualControlWindow() {
    shut_down();
    // The grid and the companion look into the core, which goes before the child widgets do.
    grid_->setModel(nullptr);
    delete grid_model_;
    delete mini_;
}

void VirtualControlWindow::build() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(build_display());
    layout->addWidget(build_keys());
    layout->addWidget(build_log(), 1);
    resize(900, 640);
}

QWidget* VirtualControlWindow::build_display() {
    auto* panel = new QFrame(this);
    panel->setObjectName("display");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setStyleSheet("#display { background: #101820; } QLabel { color: #e0e0e0; }");
    auto* grid = new QGridLayout(panel);

    static const char* line_names[] = {"lbl_system", "lbl_department", "lbl_channel"};
    static const char* mark_names[] = {"lbl_avoid_system", "lbl_avoid_department",
                                       "lbl_avoid_channel"};
    for (int i = 0; i < 3; ++i) {
        auto which = static_cast<VcLine>(i);
        lines_[i] = new ClickLabel(panel);
        lines_[i]->setObjectName(QLatin1String(line_names[i]));
        lines_[i]->setAutoFillBackground(false);
        QFont f = lines_[i]->font();
        f.setPointSize(f.pointSize() + 3);
        f.setBold(true);
        lines_[i]->setFont(f);
        keep_place(lines_[i]);
        avoid_marks_[i] = new ClickLabel(tr("AVOID"), panel);
        avoid_marks_[i]->setObjectName(QLatin1String(mark_names[i]));
        avoid_marks_[i]->setStyleSheet("color: #ff5050; font-weight: bold;");
        keep_place(avoid_marks_[i]);
        grid->addWidget(lines_[i], i, 0, 1, 5);
        grid->addWidget(avoid_marks_[i], i, 5);
        connect(lines_[i], &ClickLabel::clicked, this, [this, which] {
            vc_->click_line(which);
            refresh();
        });
        connect(lines_[i], &ClickLabel::double_clicked, this, [this, which] {
            vc_->double_click_line(which);
            refresh();
        });
        connect(avoid_marks_[i], &ClickLabel::double_clicked, this, [this, which] {
            vc_->double_click_avoid(which);
            refresh();
        });
    }
    frequency_ = field_label("txt_frequency", panel);
    QFont big = frequency_->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    frequency_->setFont(big);
    keep_place(frequency_);
    mode_ = field_label("lbl_mode", panel);
    tone_ = field_label("lbl_tone", panel);
    nac_ = field_label("lbl_nac", panel);
    service_ = field_label("lbl_service", panel);
    uid_ = field_label("lbl_uid", panel);
    favorites_ = field_label("lbl_favorites", panel);
    grid->addWidget(frequency_, 3, 0, 1, 2);
    grid->addWidget(mode_, 3, 2);
    grid->addWidget(tone_, 3, 3);
    grid->addWidget(nac_, 3, 4);
    grid->addWidget(service_, 4, 0, 1, 2);
    grid->addWidget(uid_, 4, 2);
    grid->addWidget(favorites_, 4, 3, 1, 2);

    auto* lamps = new QHBoxLayout;
    for (int b = 0; b < 4; ++b) {
        bars_[b] = new QFrame(panel);
        bars_[b]->setObjectName(QStringLiteral("shp_signal%1").arg(b + 1));
        bars_[b]->setFixedSize(10, 8 + 5 * b);
        lamps->addWidget(bars_[b], 0, Qt::AlignBottom);
    }
    busy_ = new QFrame(panel);
    busy_->setObjectName("shp_busy");
    busy_->setFixedSize(16, 16);
    lamps->addSpacing(12);
    lamps->addWidget(busy_, 0, Qt::AlignBottom);
    grid->addLayout(lamps, 4, 5);

    reply_ = new QLineEdit(panel);
    reply_->setObjectName("txt_reply");
    reply_->setReadOnly(true);
    grid->addWidget(reply_, 5, 0, 1, 6);
    panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return panel;
}

QWidget* VirtualControlWindow::build_keys() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    static const char* const key_captions[] = {QT_TR_NOOP("Replay"), QT_TR_NOOP("Record"),
                                               QT_TR_NOOP("Mute"), QT_TR_NOOP("ATT"),
                                               QT_TR_NOOP("Resume")};
    for (int k = 0; k < 5; ++k) {
        keys_[k] = button(tr(key_captions[k]), "", box);
        keys_[k]->setObjectName(QStringLiteral("cmd_key%1").arg(k));
        grid->addWidget(keys_[k], 0, k);
        connect(keys_[k], &QPushButton::clicked, this, [this, k] {
            vc_->key(k);
            refresh();
        });
    }
    static const char* const nav_captions[] = {
        QT_TR_NOOP("Sys <"),   QT_TR_NOOP("Sys >"),   QT_TR_NOOP("Dept <"),
        QT_TR_NOOP("Dept >"),  QT_TR_NOOP("Chan <"),  QT_TR_NOOP("Chan >"),
        QT_TR_NOOP("S Avoid"), QT_TR_NOOP("D Avoid"), QT_TR_NOOP("C Avoid")};
    for (int n = 0; n < 9; ++n) {
        auto* b = button(tr(nav_captions[n]), "", box);
        b->setObjectName(QStringLiteral("cmd_nav%1").arg(n));
        grid->addWidget(b, 1 + n / 6, n % 6);
        connect(b, &QPushButton::clicked, this, [this, n] {
            vc_->nav_key(n);
            refresh();
        });
    }
    volume_ = new QComboBox(box);
    volume_->setObjectName("cbo_volume");
    squelch_ = new QComboBox(box);
    squelch_->setObjectName("cbo_squelch");
    for (int v = 0; v <= 15; ++v) {
        volume_->addItem(QString::number(v));
        squelch_->addItem(QString::number(v));
    }
    connect(volume_, &QComboBox::activated, this, [this](int i) { vc_->set_volume(i); });
    connect(squelch_, &QComboBox::activated, this, [this](int i) { vc_->set_squelch(i); });
    grid->addWidget(new QLabel(tr("Volume"), box), 2, 3);
    grid->addWidget(volume_, 2, 4);
    grid->addWidget(new QLabel(tr("Squelch"), box), 3, 3);
    grid->addWidget(squelch_, 3, 4);

    port_box_ = new QComboBox(box);
    port_box_->setObjectName("cbo_port");
    port_box_->setMinimumWidth(140);
    connect(port_box_, &QComboBox::activated, this, [this](int i) { vc_->link().select(i); });
    auto* scan = button(tr("scan ports"), "cmd_scan_ports", box);
    connect(scan, &QPushButton::clicked, this, [this] {
        vc_->select_ports();
        refresh();
    });
    start_ = button(tr("Start"), "cmd_start", box);
    start_->setCheckable(true);
    start_->setToolTip(tr("Opens the chosen port and starts polling the scanner"));
    // Wide enough for either caption, so the row does not move when it changes.
    start_->setMinimumWidth(start_->fontMetrics().horizontalAdvance(tr("Running\u2026")) + 32);
    connect(start_, &QPushButton::clicked, this, [this] {
        vc_->start();
        refresh();
    });
    auto* start = start_;
    autostart_ = new QCheckBox(tr("Autostart"), box);
    autostart_->setObjectName("chk_autostart");
    connect(autostart_, &QCheckBox::toggled, this, [this](bool on) { vc_->set_autostart(on); });
    auto* mini = button(tr("Mini"), "cmd_mini", box);
    connect(mini, &QPushButton::clicked, this, &VirtualControlWindow::show_mini);
    grid->addWidget(port_box_, 3, 0);
    grid->addWidget(scan, 3, 1);
    grid->addWidget(start, 3, 2);
    grid->addWidget(autostart_, 4, 0);
    grid->addWidget(mini, 4, 1);

    device_box_ = new QComboBox(box);
    device_box_->setObjectName("cbo_device");
    device_box_->setEditable(true);
    device_box_->setMinimumWidth(200);
    device_box_->setToolTip(
        tr("The scanner's serial device: one of this computer's, a path typed in, or "
           "\"Automatic\" to search for it. Used at once and remembered."));
    auto* device_label = new QLabel(tr("Device:"), box);
    device_label->setBuddy(device_box_);
    connect(device_box_, &QComboBox::activated, this,
            [this](int i) { choose_device(device_box_->itemText(i)); });
    connect(device_box_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (device_box_->findText(device_box_->currentText()) < 0)
            choose_device(device_box_->currentText());
    });
    grid->addWidget(device_label, 5, 0);
    grid->addWidget(device_box_, 5, 1, 1, 3);

    state_ = new QLabel(box);
    state_->setObjectName("lbl_state");
    keep_place(state_);
    grid->addWidget(state_, 6, 0, 1, 6);
    notice_ = new QLabel(box);
    notice_->setObjectName("lbl_notice");
    keep_place(notice_);
    grid->addWidget(notice_, 7, 0, 1, 6);
    return box;
}

QWidget* VirtualControlWindow::build_log() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    auto* save = button(tr("Save Log"), "cmd_save_log", box);
    connect(save, &QPushButton::clicked, this, &VirtualControlWindow::save_log);
    auto* clear = button(tr("Clear Log"), "cmd_clear_log", box);
    connect(clear, &QPushButton::clicked, this, [this] {
        vc_->clear_log();
        refresh();
    });
    auto* remove = button(tr("Delete Log File"), "cmd_delete_log_file", box);
    connect(remove, &QPushButton::clicked, this, [this] { vc_->delete_log_file(); });
    append_ = new QCheckBox(tr("Log/Append To File:"), box);
    append_->setObjectName("chk_append");
    connect(append_, &QCheckBox::clicked, this, [this](bool on) { vc_->set_append_to_file(on); });
    log_file_ = new QLineEdit(box);
    log_file_->setObjectName("txt_log_file");
    log_file_->setReadOnly(true);
    auto* choose = button(tr("..."), "cmd_log_file", box);
    connect(choose, &QPushButton::clicked, this, &VirtualControlWindow::choose_log_file);
    log_data_ = new QCheckBox(tr("LOG DATA"), box);
    log_data_->setObjectName("chk_log_data");
    connect(log_data_, &QCheckBox::clicked, this, [this](bool on) { vc_->set_log_data(on); });
    trace_box_ = new QCheckBox(tr("Trace"), box);
    trace_box_->setObjectName("chk_trace");
    trace_box_->setToolTip(
        tr("Write every frame to and from the scanner, with a time stamp, to a "
           "file for a bug report"));
    connect(trace_box_, &QCheckBox::clicked, this, [this](bool on) { set_trace(on); });
    for (QWidget* w : std::initializer_list<QWidget*>{save, clear, remove, append_})
        row->addWidget(w);
    row->addWidget(log_file_, 1);
    row->addWidget(choose);
    row->addWidget(log_data_);
    row->addWidget(trace_box_);
    layout->addLayout(row);

    grid_model_ = new LogGridModel(vc_->log(), box);
    grid_ = new QTableView(box);
    grid_->setObjectName("loggrid");
    grid_->setModel(grid_model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->setColumnWidth(0, 45);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column >= 1) vc_->set_column_width(column, size * k_twips_per_pixel);
            });
    layout->addWidget(grid_, 1);
    return box;
}

void VirtualControlWindow::fill_devices() {
    const QString chosen = QString::fromStdString(settings_.GetSetting("com", "usbdevice", "x"));
    const QSignalBlocker quiet(device_box_);
    device_box_->clear();
    device_box_->addItem(tr(k_automatic_device));
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        QString label = info.systemLocation();
        device_box_->addItem(label);
        if (!info.description().isEmpty())
            device_box_->setItemData(device_box_->count() - 1, info.description(), Qt::ToolTipRole);
    }
    if (chosen.isEmpty()) {
        device_box_->setCurrentIndex(0);
        return;
    }
    if (device_box_->findText(chosen) < 0) device_box_->addItem(chosen);
    device_box_->setCurrentIndex(device_box_->findText(chosen));
}

void VirtualControlWindow::take_device_setting() {
    const QString chosen =
        QString::fromStdString(settings_.GetSetting("com", "usbdevice", "x")).trimmed();
    choose_device(chosen);
    notice_->setText(tr("Device from Software Options: %1")
                         .arg(chosen.isEmpty() ? tr(k_automatic_device) : chosen));
}

void VirtualControlWindow::choose_device(const QString& device) {
    notice_->clear();
    QString path = device.trimmed();
    if (path == tr(k_automatic_device)) path.clear();
    vc_->choose_device(path.toStdString());
    fill_devices();
    refresh();
}

QString VirtualControlWindow::state_text() const {
    return to_q(vc_->state_text());
}

void VirtualControlWindow::fit_on_screen() {
    QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!on) return;
    const QRect room = on->availableGeometry();
    // The frame adds its title bar and borders to the size asked for.
    const QSize frame_extra = frameGeometry().size() - geometry().size();
    QSize size = geometry().size().boundedTo(room.size() - frame_extra);
    resize(size);
    QRect frame = frameGeometry();
    int x = std::clamp(frame.x(), room.left(), std::max(room.left(), room.right() - frame.width()));
    int y = std::clamp(frame.y(), room.top(), std::max(room.top(), room.bottom() - frame.height()));
    move(x, y);
}

void VirtualControlWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    fit_on_screen();
}

void VirtualControlWindow::refresh_selector() {
    std::vector<std::string> captions;
    for (const auto& e : vc_->link().selector()) captions.push_back(e.caption);
    if (captions != shown_ports_) {
        port_box_->clear();
        for (const auto& c : captions) port_box_->addItem(to_q(c));
        shown_ports_ = captions;
    }
    port_box_->setCurrentIndex(vc_->link().selected());
}

void VirtualControlWindow::refresh() {
    if (shut_down_) return;
    const auto& d = vc_->display();
    const remote::DisplayLine* lines[] = {&d.system, &d.department, &d.channel};
    for (int i = 0; i < 3; ++i) {
        lines_[i]->setText(to_q(lines[i]->text));
        lines_[i]->setAlignment(lines[i]->placeholder ? Qt::AlignCenter
                                                      : Qt::AlignLeft | Qt::AlignVCenter);
        // A held line is drawn opaque, highlighted; the others show the panel through.
        lines_[i]->setStyleSheet(lines[i]->held ? "background: #3060a0; color: white;" : "");
        avoid_marks_[i]->setVisible(lines[i]->avoided);
    }
    frequency_->setText(to_q(d.frequency));
    mode_->setText(to_q(d.mode));
    tone_->setText(to_q(d.tone));
    nac_->setText(to_q(d.nac));
    service_->setText(to_q(d.service));
    uid_->setText(to_q(d.uid));
    favorites_->setText(to_q(d.favorites));
    frequency_->setVisible(d.details_shown);
    tone_->setVisible(d.details_shown);
    service_->setVisible(d.details_shown);
    for (int b = 0; b < 4; ++b)
        bars_[b]->setStyleSheet("background: " + css(d.bar_colour(b + 1)) + ";");
    busy_->setStyleSheet("background: " + css(d.busy_colour()) + "; border-radius: 8px;");
    const bool toggles[] = {false, d.record_on, d.mute_on, d.att_on, false};
    for (int k = 0; k < 5; ++k)
        keys_[k]->setStyleSheet("background: #303030; color: " + css(d.key_colour(toggles[k])) +
                                ";");
    reply_->setText(to_q(replace_all(strip_line_ends(d.reply_text), "\t", " ")));
    refresh_selector();
    autostart_->setChecked(vc_->autostart());
    append_->setChecked(vc_->append_to_file());
    log_data_->setChecked(vc_->log_data());
    trace_box_->setChecked(trace_.enabled());
    log_file_->setText(QString::fromStdString(vc_->log_file_path().string()));
    grid_model_->refresh();
    const auto state = vc_->link_state();
    const bool running = state == remote::LinkState::waiting ||
                         state == remote::LinkState::connected ||
                         state == remote::LinkState::searching;
    start_->setChecked(running);
    start_->setText(running ? tr("Running\u2026") : tr("Start"));
    state_->setText(state_text());
    if (mini_) mini_->refresh();
}

void VirtualControlWindow::set_trace(bool on) {
    vc_->set_trace_on(on);
    if (!on) {
        trace_.stop();
        return;
    }
    auto file = options_.folders.data_folder / "vc_trace.txt";
    if (!trace_.start(file)) {
        vc_->set_trace_on(false);
        prompter_.tell(from_q(tr("Cannot write the serial trace to ")) + file.string());
    }
    if (trace_box_) trace_box_->setChecked(trace_.enabled());
}

void VirtualControlWindow::choose_log_file() {
    QString file = options_.choose_file(tr("Log file"), tr("CSV Files (*.csv)"), true);
    if (file.isEmpty()) return;
    vc_->set_log_file_path(file.toStdString());
    refresh();
}

void VirtualControlWindow::save_log() {
    QString file = options_.choose_file(tr("Save Log"), tr("CSV Files (*.csv)"), true);
    if (file.isEmpty()) return;
    vc_->save_log(file.toStdString());
}

void VirtualControlWindow::show_mini() {
    if (!mini_) mini_ = new MiniVcWindow(settings_, *vc_, this);
    mini_->show();
    mini_->raise();
    mini_->refresh();
}

void VirtualControlWindow::shut_down() {
    if (shut_down_) return;
    shut_down_ = true;
    timers_->bind(nullptr);
    if (mini_) mini_->close();
    vc_->close_window();
    trace_.stop();
}

void VirtualControlWindow::closeEvent(QCloseEvent* event) {
    shut_down();
    QWidget::closeEvent(event);
}

}  // namespace tarvex
