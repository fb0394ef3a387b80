#include "app/tools/alert_tones_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/common/latin1.h"
#include "app/tools/alert_tone_player.h"
#include "core/editor/alert_tones.h"

namespace tarvex {

AlertTonesWindow::AlertTonesWindow(AlertTonePlayer& player, QWidget* parent)
    : QWidget(parent), player_(player) {
    setObjectName(QStringLiteral("frm_alert_tones"));
    setWindowTitle(tr("Alert Tones"));
    auto* grid = new QGridLayout(this);
    for (int t = 1; t <= k_alert_tone_count; ++t) {
        auto* button = new QPushButton(tr("Play %1").arg(t), this);
        button->setObjectName(QStringLiteral("cmd_tone_%1").arg(t));
        std::string text = alert_tone_description(t);
        grid->addWidget(button, t - 1, 0);
        grid->addWidget(new QLabel(to_q(text.substr(text.find(':') + 2)), this), t - 1, 1);
        connect(button, &QPushButton::clicked, this, [this, t] {
            status_->setText(player_.play(t) ? tr("Playing tone %1.").arg(t)
                                             : tr("No sound output on this computer."));
        });
    }
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lbl_status"));
    grid->addWidget(status_, k_alert_tone_count, 0, 1, 2);
}

}  // namespace tarvex
