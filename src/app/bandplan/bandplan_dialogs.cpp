#include "app/bandplan/bandplan_dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/common/latin1.h"

namespace tarvex {

namespace {

QComboBox* step_list(std::span<const std::string_view> steps, const QString& name,
                     QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (auto s : steps) box->addItem(to_q(s));
    return box;
}

void select_step(QComboBox* box, const std::string& step) {
    int at = box->findText(to_q(step));
    if (at < 0) {
        // A step outside the list (from a file) is shown as it is rather than replaced.
        if (!step.empty()) box->addItem(to_q(step));
        at = step.empty() ? box->findText(QStringLiteral("25.0")) : box->count() - 1;
    }
    box->setCurrentIndex(std::max(at, 0));
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// The key filter of a box: printable keys the rule refuses are swallowed.
bool refuse_key(QEvent* event, bool (*accepts)(char)) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    const char c = text.at(0).toLatin1();
    return c == 0 || !accepts(c);
}

}  // namespace

MotorolaPlanDialog::MotorolaPlanDialog(const bandplan::Plan& plan, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frm_motorola_plan"));
    setWindowTitle(QStringLiteral("Motorola Custom Plan:"));
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Lower/Base (MHz)"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Upper (MHz)"), this), 0, 2);
    grid->addWidget(new QLabel(tr("Step (kHz)"), this), 0, 3);
    grid->addWidget(new QLabel(tr("Offset"), this), 0, 4);
    for (int r = 0; r < bandplan::k_rows; ++r) {
        const auto i = static_cast<size_t>(r);
        grid->addWidget(new QLabel(QString::number(r + 1), this), r + 1, 0);
        lower_[i] = new QLineEdit(this);
        lower_[i]->setObjectName(QStringLiteral("txt_lower%1").arg(r));
        upper_[i] = new QLineEdit(this);
        upper_[i]->setObjectName(QStringLiteral("txt_upper%1").arg(r));
        steps_[i] =
            step_list(bandplan::motorola_step_list(), QStringLiteral("cbo_step%1").arg(r), this);
        offset_[i] = new QLineEdit(this);
        offset_[i]->setObjectName(QStringLiteral("txt_offset%1").arg(r));
        for (QLineEdit* e : {lower_[i], upper_[i], offset_[i]}) e->installEventFilter(this);
        grid->addWidget(lower_[i], r + 1, 1);
        grid->addWidget(upper_[i], r + 1, 2);
        grid->addWidget(steps_[i], r + 1, 3);
        grid->addWidget(offset_[i], r + 1, 4);
    }
    outer->addLayout(grid);
    outer->addWidget(new QLabel(to_q(bandplan::k_offset_range_caption), this));

    auto* presets = new QHBoxLayout;
    presets->addWidget(new QLabel(tr("Load Preset Bandplans:"), this));
    for (auto preset : {bandplan::Preset::Rebanded, bandplan::Preset::Standard800,
                        bandplan::Preset::Splinter800}) {
        const QString caption = to_q(bandplan::preset_caption(preset));
        auto* b = button(caption, QStringLiteral("cmd_preset_") + caption, this);
        connect(b, &QPushButton::clicked, this, [this, preset] {
            bandplan::Plan p = this->plan();
            bandplan::apply_preset(p, preset);
            show_plan(p);
        });
        presets->addWidget(b);
    }
    presets->addStretch(1);
    outer->addLayout(presets);

    auto* buttons = new QHBoxLayout;
    auto* calc =
        button(tr("Calculate Upper for VHF/UHF systems"), QStringLiteral("cmd_calc"), this);
    auto* clear = button(tr("Clear"), QStringLiteral("cmd_clear"), this);
    auto* ok = button(tr("Ok"), QStringLiteral("cmd_ok"), this);
    auto* all = button(tr("Ok, All Sites"), QStringLiteral("cmd_ok_all"), this);
    auto* cancel = button(tr("Cancel"), QStringLiteral("cmd_cancel"), this);
    buttons->addWidget(calc);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(all);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);

    connect(calc, &QPushButton::clicked, this, [this] {
        bandplan::Plan p = this->plan();
        bandplan::calculate_upper(p);
        show_plan(p);
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        bandplan::Plan p = this->plan();
        bandplan::clear_plan(p);
        show_plan(p);
    });
    connect(ok, &QPushButton::clicked, this, [this] { finish(Outcome::Ok); });
    connect(all, &QPushButton::clicked, this, [this] { finish(Outcome::AllSites); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    show_plan(plan);
}

bandplan::Plan MotorolaPlanDialog::plan() const {
    bandplan::Plan p;
    for (size_t i = 0; i < p.size(); ++i) {
        p[i].lower = from_q(lower_[i]->text());
        p[i].upper = from_q(upper_[i]->text());
        p[i].step = from_q(steps_[i]->currentText());
        p[i].offset = from_q(offset_[i]->text());
    }
    return p;
}

void MotorolaPlanDialog::show_plan(const bandplan::Plan& p) {
    for (size_t i = 0; i < p.size(); ++i) {
        lower_[i]->setText(to_q(p[i].lower));
        upper_[i]->setText(to_q(p[i].upper));
        select_step(steps_[i], p[i].step);
        offset_[i]->setText(to_q(p[i].offset));
    }
}

void MotorolaPlanDialog::finish(Outcome outcome) {
    // What goes back is shown first, so the user sees the normalised edges.
    show_plan(bandplan::motorola_write_back(plan()));
    outcome_ = outcome;
    accept();
}

bool MotorolaPlanDialog::eventFilter(QObject* watched, QEvent* event) {
    for (size_t i = 0; i < offset_.size(); ++i) {
        if (watched == offset_[i]) return refuse_key(event, bandplan::accepts_offset_key);
        if (watched == lower_[i] || watched == upper_[i])
            return refuse_key(event, bandplan::accepts_frequency_key);
    }
    return QDialog::eventFilter(watched, event);
}

P25PlanDialog::P25PlanDialog(const bandplan::Plan& plan, QWidget* parent)
    : QDialog(parent), plan_(plan) {
    setObjectName(QStringLiteral("frm_p25_plan"));
    setWindowTitle(QStringLiteral("Motorola P25 Plan:"));
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Base (MHz)"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Step (kHz)"), this), 0, 2);
    for (int r = 0; r < bandplan::k_rows; ++r) {
        const auto i = static_cast<size_t>(r);
        grid->addWidget(new QLabel(QString::number(r + 1), this), r + 1, 0);
        base_[i] = new QLineEdit(to_q(plan[i].lower), this);
        base_[i]->setObjectName(QStringLiteral("txt_base%1").arg(r));
        base_[i]->installEventFilter(this);
        steps_[i] = step_list(bandplan::p25_step_list(), QStringLiteral("cbo_step%1").arg(r), this);
        select_step(steps_[i], plan[i].step);
        grid->addWidget(base_[i], r + 1, 1);
        grid->addWidget(steps_[i], r + 1, 2);
    }
    outer->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    auto* ok = button(tr("Ok"), QStringLiteral("cmd_ok"), this);
    auto* cancel = button(tr("Cancel"), QStringLiteral("cmd_cancel"), this);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        for (size_t i = 0; i < plan_.size(); ++i) plan_[i].lower = from_q(base_[i]->text());
        plan_ = bandplan::p25_write_back(plan_);
        for (size_t i = 0; i < plan_.size(); ++i) base_[i]->setText(to_q(plan_[i].lower));
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool P25PlanDialog::eventFilter(QObject* watched, QEvent* event) {
    for (QLineEdit* e : base_)
        if (watched == e) return refuse_key(event, bandplan::accepts_frequency_key);
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvex
