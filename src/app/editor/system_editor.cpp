#include "app/editor/system_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/editor/form_parts.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/hpd/vocab.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

QComboBox* list_box(std::span<const std::string_view> values, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (auto v : values) box->addItem(to_q(v));
    return box;
}

// Shows the value even when the list does not know it: a record read from a file keeps its
// word until the user picks another.
void set_box(QComboBox* box, const std::string& value) {
    int at = box->findText(to_q(value));
    if (at < 0) {
        box->addItem(to_q(value));
        at = box->count() - 1;
    }
    box->setCurrentIndex(at);
}

}  // namespace

SystemEditor::SystemEditor(EditingSession& session, bool department, QWidget* parent)
    : QWidget(parent), session_(session), department_(department) {
    setObjectName(department ? QStringLiteral("frm_department") : QStringLiteral("frm_system"));
    auto* outer = new QVBoxLayout(this);

    QPushButton* save_top = add_form_title(this, outer, title_);

    body_ = new QWidget(this);
    auto* body = new QVBoxLayout(body_);
    body->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    type_ = list_box(system_type_choices(), body_);
    type_->setObjectName(QStringLiteral("cbo_type"));
    form->addRow(tr("System type:"), type_);
    system_id_ = new QLineEdit(body_);
    system_id_->setObjectName(QStringLiteral("txt_id"));
    form->addRow(tr("System id:"), system_id_);
    name_ = new QLineEdit(body_);
    name_->setObjectName(QStringLiteral("txt_name"));
    name_->setMaxLength(64);
    form->addRow(tr("Name:"), name_);
    avoid_ = new QCheckBox(tr("Avoid"), body_);
    avoid_->setObjectName(QStringLiteral("chk_avoid"));
    form->addRow(QString(), avoid_);
    date_ = new QLineEdit(body_);
    date_->setObjectName(QStringLiteral("txt_date"));
    form->addRow(tr("Date:"), date_);
    body->addLayout(form);

    trunk_box_ = new QGroupBox(tr("Trunk options"), body_);
    auto* tf = new QFormLayout(trunk_box_);
    trunk_switch_ = new QCheckBox(tr("ID search"), trunk_box_);
    trunk_switch_->setObjectName(QStringLiteral("chk_trunk"));
    tf->addRow(QString(), trunk_switch_);
    alert_tone_ = list_box(vocab::alert_tone_list().entries, trunk_box_);
    alert_tone_->setObjectName(QStringLiteral("cbo_alert_tone"));
    tf->addRow(tr("Emergency alert tone:"), alert_tone_);
    alert_level_ = list_box(vocab::alert_level_list().entries, trunk_box_);
    alert_level_->setObjectName(QStringLiteral("cbo_alert_level"));
    tf->addRow(tr("Alert level:"), alert_level_);
    status_switch_ = new QCheckBox(tr("Status bit"), trunk_box_);
    status_switch_->setObjectName(QStringLiteral("chk_status"));
    tf->addRow(QString(), status_switch_);
    nac_ = new QComboBox(trunk_box_);
    nac_->setObjectName(QStringLiteral("cbo_nac"));
    nac_->setEditable(true);
    nac_->addItem(QStringLiteral("Search"));
    tf->addRow(tr("NAC:"), nac_);
    body->addWidget(trunk_box_);

    fleet_box_ = new QGroupBox(tr("Fleet map (block size codes)"), body_);
    auto* fg = new QGridLayout(fleet_box_);
    for (int i = 0; i < 8; ++i) {
        fleet_[i] = new QSpinBox(fleet_box_);
        fleet_[i]->setObjectName(QStringLiteral("fleet%1").arg(i));
        fleet_[i]->setRange(0, 15);
        fg->addWidget(new QLabel(tr("Block %1").arg(i), fleet_box_), 0, i);
        fg->addWidget(fleet_[i], 1, i);
        connect(fleet_[i], &QSpinBox::valueChanged, this, [this] { edited(); });
    }
    body->addWidget(fleet_box_);
    if (department_) {
        trunk_box_->hide();
        fleet_box_->hide();
    }
    body->addStretch(1);
    outer->addWidget(body_, 1);

    auto* buttons = new QHBoxLayout;
    auto* defaults = new QPushButton(tr("Default"), this);
    defaults->setObjectName(QStringLiteral("cmd_default"));
    auto* remove = new QPushButton(tr("Delete"), this);
    remove->setObjectName(QStringLiteral("cmd_delete"));
    auto* save_bottom = new QPushButton(tr("Save"), this);
    save_bottom->setObjectName(QStringLiteral("cmd_save2"));
    buttons->addWidget(defaults);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(save_bottom);
    outer->addLayout(buttons);

    for (QLineEdit* e : {system_id_, name_, date_})
        connect(e, &QLineEdit::textEdited, this, [this] { edited(); });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (system_ > 0) emit renamed(to_q(keys::system(system_)), text);
    });
    for (QCheckBox* c : {avoid_, trunk_switch_, status_switch_})
        connect(c, &QCheckBox::toggled, this, [this] { edited(); });
    for (QComboBox* c : {alert_tone_, alert_level_})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { edited(); });
    connect(nac_, &QComboBox::currentTextChanged, this, [this] { edited(); });
    connect(type_, &QComboBox::currentIndexChanged, this, [this] {
        update_enabled();
        edited();
    });
    connect(save_top, &QPushButton::clicked, this, [this] { save(); });
    connect(save_bottom, &QPushButton::clicked, this, [this] { save(); });
    connect(defaults, &QPushButton::clicked, this, [this] {
        SystemForm form = collect();
        default_system(form);
        fill(form);
        edited();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (system_ <= 0) return;
        int s = system_;
        if (delete_system_from_form(session_, s)) forget();
    });
    setEnabled(false);
}

void SystemEditor::show_system(int system) {
    if (system_ > 0 && system_ != system) write_back();
    system_ = system;
    dirty_ = false;
    shown_ = tarvex::show_system(session_.store(), system);
    fill(shown_);
    setEnabled(true);
}

void SystemEditor::fill(const SystemForm& form) {
    loading_ = true;
    title_->setText((department_ ? tr("Department form: ") : tr("System: ")) + to_q(form.name));
    set_box(type_, form.type);
    system_id_->setText(to_q(form.system_id));
    name_->setText(to_q(form.name));
    avoid_->setChecked(form.avoid);
    date_->setText(to_q(form.date));
    trunk_switch_->setChecked(form.trunk_switch);
    set_box(alert_tone_, form.alert_tone);
    set_box(alert_level_, form.alert_level);
    status_switch_->setChecked(form.status_switch);
    nac_->setEditText(to_q(form.nac));
    for (int i = 0; i < 8; ++i)
        fleet_[i]->setValue(static_cast<int>(lenient_integer(form.fleet_map[i])));
    update_enabled();
    loading_ = false;
}

SystemForm SystemEditor::collect() const {
    SystemForm form = shown_;
    form.type = from_q(type_->currentText());
    form.system_id = from_q(system_id_->text());
    form.name = from_q(name_->text());
    form.avoid = avoid_->isChecked();
    form.date = from_q(date_->text());
    form.trunk_switch = trunk_switch_->isChecked();
    form.alert_tone = from_q(alert_tone_->currentText());
    form.alert_level = from_q(alert_level_->currentText());
    form.status_switch = status_switch_->isChecked();
    form.nac = from_q(nac_->currentText());
    for (int i = 0; i < 8; ++i) form.fleet_map[i] = std::to_string(fleet_[i]->value());
    return form;
}

void SystemEditor::update_enabled() {
    const bool conventional = type_->currentText() == QLatin1String("Conventional");
    trunk_box_->setEnabled(!conventional);
    fleet_box_->setEnabled(type_->currentText() == QLatin1String("Motorola"));
}

void SystemEditor::edited() {
    if (loading_ || system_ <= 0) return;
    dirty_ = true;
    session_.mark_changed(system_);
}

void SystemEditor::write_back() {
    if (system_ <= 0 || !dirty_) return;
    save();
}

void SystemEditor::save() {
    if (system_ <= 0) return;
    if (!session_.store().exists(keys::system(system_))) {
        forget();
        return;
    }
    shown_ = collect();
    save_system(session_, system_, shown_);
    dirty_ = false;
    title_->setText((department_ ? tr("Department form: ") : tr("System: ")) + name_->text());
}

void SystemEditor::forget() {
    system_ = 0;
    dirty_ = false;
    shown_ = {};
    loading_ = true;
    title_->clear();
    name_->clear();
    system_id_->clear();
    date_->clear();
    loading_ = false;
    setEnabled(false);
}

}  // namespace tarvex
