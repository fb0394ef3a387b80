#include "app/tools/easy_fill_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/common/latin1.h"
#include "core/editor/easy_fill.h"

namespace tarvex {

EasyFillDialog::EasyFillDialog(bool talkgroups, int room, QWidget* parent)
    : QDialog(parent), talkgroups_(talkgroups), room_(room) {
    setObjectName(talkgroups ? QStringLiteral("frm_easy_fill_trunk")
                             : QStringLiteral("frm_easy_fill"));
    setWindowTitle(talkgroups ? tr("Easy Fill Trunk") : tr("Easy Fill Channels"));
    auto* form = new QFormLayout(this);
    first_ = new QLineEdit(this);
    second_ = new QLineEdit(this);
    step_ = new QLineEdit(this);
    first_->setObjectName(QStringLiteral("txt_first"));
    second_->setObjectName(QStringLiteral("txt_second"));
    step_->setObjectName(QStringLiteral("txt_step"));
    pattern_ = new QLineEdit(this);
    pattern_->setObjectName(QStringLiteral("txt_pattern"));
    number_ = new QSpinBox(this);
    number_->setObjectName(QStringLiteral("num_first_number"));
    number_->setRange(0, 99999);
    number_->setValue(1);
    if (talkgroups) {
        form->addRow(tr("First talkgroup:"), first_);
        form->addRow(tr("Count:"), second_);
        form->addRow(tr("Increment:"), step_);
        step_->setText(QStringLiteral("1"));
        pattern_->setText(QStringLiteral("TG {f}"));
    } else {
        form->addRow(tr("Start frequency (MHz):"), first_);
        form->addRow(tr("End frequency (MHz):"), second_);
        form->addRow(tr("Step (kHz):"), step_);
        step_->setText(QStringLiteral("12.5"));
        pattern_->setText(QStringLiteral("{f}"));
    }
    pattern_->setToolTip(tr("{n} is the running number, {f} the frequency or talkgroup."));
    form->addRow(tr("Alpha tag ({n} number, {f} value):"), pattern_);
    form->addRow(tr("First number:"), number_);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("lbl_preview"));
    preview_->setWordWrap(true);
    form->addRow(preview_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* e : {first_, second_, step_, pattern_})
        connect(e, &QLineEdit::textChanged, this, &EasyFillDialog::update_preview);
    connect(number_, &QSpinBox::valueChanged, this, &EasyFillDialog::update_preview);
    update_preview();
}

EasyFillRequest EasyFillDialog::request() const {
    EasyFillRequest r;
    r.pattern = from_q(pattern_->text());
    r.first_number = number_->value();
    if (talkgroups_) {
        auto plan = plan_talkgroup_fill(from_q(first_->text()), from_q(second_->text()),
                                        from_q(step_->text()), room_);
        r.values = talkgroup_texts(plan.values);
    } else {
        auto plan = plan_frequency_fill(from_q(first_->text()), from_q(second_->text()),
                                        from_q(step_->text()), room_);
        r.values = frequency_texts(plan.hz);
    }
    return r;
}

QString EasyFillDialog::problem() const {
    if (talkgroups_)
        return to_q(plan_talkgroup_fill(from_q(first_->text()), from_q(second_->text()),
                                        from_q(step_->text()), room_)
                        .error);
    return to_q(plan_frequency_fill(from_q(first_->text()), from_q(second_->text()),
                                    from_q(step_->text()), room_)
                    .error);
}

void EasyFillDialog::update_preview() {
    QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
    if (first_->text().trimmed().isEmpty() || second_->text().trimmed().isEmpty()) {
        preview_->setText(talkgroups_ ? tr("Type the first talkgroup and the count.")
                                      : tr("Type the start and the end frequency."));
        ok->setEnabled(false);
        return;
    }
    QString why = problem();
    if (!why.isEmpty()) {
        preview_->setText(why);
        ok->setEnabled(false);
        return;
    }
    EasyFillRequest r = request();
    const std::string& first = r.values.front();
    const std::string& last = r.values.back();
    preview_->setText(
        tr("%n row(s): %1 (%2) to %3 (%4)", nullptr, static_cast<int>(r.values.size()))
            .arg(to_q(first), to_q(fill_tag(r.pattern, r.first_number, first)), to_q(last),
                 to_q(fill_tag(r.pattern, r.first_number + static_cast<int>(r.values.size()) - 1,
                               last))));
    ok->setEnabled(true);
}

}  // namespace tarvex
