#include "app/remote/mini_vc_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "core/base/text.h"

namespace tarvex {

namespace {
constexpr int k_twips_per_pixel = 15;
}

MiniVcWindow::MiniVcWindow(Settings& settings, remote::VirtualControl& vc, QWidget* parent)
    : QWidget(parent, Qt::Tool), settings_(settings), vc_(vc) {
    setObjectName("frm_minivc");
    setWindowTitle(tr("VC"));
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(this);
    text_->setObjectName("lbl_mini");
    text_->setMinimumWidth(220);
    text_->installEventFilter(this);
    layout->addWidget(text_);

    // The companion's keys act on the channel: hold it, skip it, avoid it.
    auto* keys = new QHBoxLayout;
    auto* hold = new QPushButton(tr("CHANNEL"), this);
    hold->setObjectName("cmd_mini_channel");
    // A real arrow: the companion's old font drew one from the letter "t".
    auto* next = new QPushButton(QStringLiteral("\u25B6"), this);
    next->setObjectName("cmd_mini_next");
    next->setToolTip(tr("Next channel"));
    auto* avoid = new QPushButton(tr("AVOID"), this);
    avoid->setObjectName("cmd_mini_avoid");
    connect(hold, &QPushButton::clicked, this, [this] {
        vc_.click_line(remote::VcLine::channel);
        refresh();
    });
    connect(next, &QPushButton::clicked, this, [this] {
        vc_.nav_key(5);
        refresh();
    });
    connect(avoid, &QPushButton::clicked, this, [this] {
        vc_.nav_key(8);
        refresh();
    });
    keys->addWidget(hold);
    keys->addWidget(next);
    keys->addWidget(avoid);
    on_top_box_ = new QCheckBox(tr("on top"), this);
    on_top_box_->setObjectName("chk_mini_on_top");
    connect(on_top_box_, &QCheckBox::clicked, this, [this](bool on) { set_on_top(on); });
    keys->addWidget(on_top_box_);
    layout->addLayout(keys);

    std::string left = settings_.GetSetting("minivc", "vc396minileft", "x");
    std::string top = settings_.GetSetting("minivc", "vc396minitop", "x");
    if (!left.empty() && !top.empty())
        move(static_cast<int>(lenient_integer(left)) / k_twips_per_pixel,
             static_cast<int>(lenient_integer(top)) / k_twips_per_pixel);
    mode_ = settings_.GetSetting("minivc", "vc396minimode", "1x") == "2" ? 2 : 1;
    set_on_top(settings_.GetSetting("minivc", "vc396ah", "0x") == "True");
    refresh();
}

void MiniVcWindow::set_mode(int mode) {
    mode_ = mode == 2 ? 2 : 1;
    refresh();
}

void MiniVcWindow::set_on_top(bool on) {
    on_top_ = on;
    on_top_box_->setChecked(on);
    bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) show();
}

void MiniVcWindow::refresh() {
    const auto& d = vc_.display();
    QString freq = to_q(d.frequency);
    if (!d.mode.empty()) freq += "  " + to_q(d.mode);
    if (mode_ == 2) {
        text_->setText(to_q(d.channel.text) + "   " + freq);
    } else {
        text_->setText(to_q(d.system.text) + "\n" + to_q(d.department.text) + "\n" +
                       to_q(d.channel.text) + "\n" + freq + "  " +
                       to_q(remote::signal_stars(d.signal)));
    }
}

bool MiniVcWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::MouseButtonDblClick) {
        set_mode(mode_ == 1 ? 2 : 1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MiniVcWindow::closeEvent(QCloseEvent* event) {
    settings_.SaveSetting("minivc", "vc396minileft", std::to_string(x() * k_twips_per_pixel));
    settings_.SaveSetting("minivc", "vc396minitop", std::to_string(y() * k_twips_per_pixel));
    settings_.SaveSetting("minivc", "vc396minimode", std::to_string(mode_));
    settings_.SaveSetting("minivc", "vc396ah", on_top_ ? "True" : "False");
    QWidget::closeEvent(event);
}

}  // namespace tarvex
