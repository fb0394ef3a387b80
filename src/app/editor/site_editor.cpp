#include "app/editor/site_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/editor/form_parts.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_columns.h"
#include "core/editor/grid_ops.h"
#include "core/editor/map_link.h"
#include "core/editor/session.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

QComboBox* list_box(std::span<const std::string_view> values, const QString& name,
                    QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (auto v : values) box->addItem(to_q(v));
    return box;
}

void set_box(QComboBox* box, const std::string& value) {
    int at = box->findText(to_q(value));
    if (at < 0 && !value.empty()) {
        box->addItem(to_q(value));
        at = box->count() - 1;
    }
    box->setCurrentIndex(std::max(at, 0));
}

}  // namespace

SiteEditor::SiteEditor(EditingSession& session, Settings& settings, QWidget* parent)
    : QWidget(parent), session_(session), settings_(settings) {
    setObjectName(QStringLiteral("frm_site"));
    auto* outer = new QVBoxLayout(this);

    QPushButton* save_top = add_form_title(this, outer, title_);

    auto* columns = new QHBoxLayout;
    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txt_name"));
    name_->setMaxLength(64);
    form->addRow(tr("Name:"), name_);
    avoid_ = new QCheckBox(tr("Avoid"), this);
    avoid_->setObjectName(QStringLiteral("chk_avoid"));
    form->addRow(QString(), avoid_);
    latitude_ = new QLineEdit(this);
    latitude_->setObjectName(QStringLiteral("txt_lat"));
    longitude_ = new QLineEdit(this);
    longitude_->setObjectName(QStringLiteral("txt_lon"));
    auto* position = new QHBoxLayout;
    position->addWidget(latitude_);
    position->addWidget(longitude_);
    auto* map = new QPushButton(tr("Map"), this);
    map->setObjectName(QStringLiteral("cmd_map"));
    map->setToolTip(tr("Show the site's location on a web map"));
    position->addWidget(map);
    // A tool button: the row must not widen the form (the browser keeps its width).
    auto* gps = new QToolButton(this);
    gps->setText(tr("GPS"));
    gps->setObjectName(QStringLiteral("cmd_gps"));
    gps->setToolTip(tr("Edit the site's location"));
    position->addWidget(gps);
    connect(gps, &QToolButton::clicked, this, [this] { open_location(); });
    form->addRow(tr("Latitude / longitude:"), position);
    range_ = new QLineEdit(this);
    range_->setObjectName(QStringLiteral("txt_range"));
    form->addRow(tr("Range (miles):"), range_);
    modulation_ = list_box(site_modulation_choices(), QStringLiteral("cbo_modulation"), this);
    form->addRow(tr("Modulation:"), modulation_);
    motorola_band_ = list_box(motorola_band_choices(), QStringLiteral("cbo_motorola_band"), this);
    form->addRow(tr("Motorola band:"), motorola_band_);
    edacs_band_ = list_box(edacs_band_choices(), QStringLiteral("cbo_edacs_band"), this);
    form->addRow(tr("EDACS band:"), edacs_band_);
    shape_ = list_box(shape_choices(), QStringLiteral("cbo_shape"), this);
    form->addRow(tr("Location shape:"), shape_);
    attenuator_ = new QCheckBox(tr("Attenuator"), this);
    attenuator_->setObjectName(QStringLiteral("chk_attenuator"));
    form->addRow(QString(), attenuator_);
    columns->addLayout(form, 1);

    auto* freq_box = new QGroupBox(tr("Site frequencies"), this);
    auto* fl = new QVBoxLayout(freq_box);
    freq_view_ = new GridView(freq_box);
    freq_view_->setObjectName(QStringLiteral("sitegrid"));
    freq_model_ = new GridModel(freq_view_);
    freq_model_->set_titles({std::string(k_site_frequency_titles[0]),
                             std::string(k_site_frequency_titles[1]),
                             std::string(k_site_frequency_titles[2])});
    freq_view_->setModel(freq_model_);
    std::vector<int> widths = grid::read_column_widths(settings_, grid::GridKind::SiteFrequency);
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        freq_view_->setColumnWidth(
            c, grid::twips_to_pixels(c == 0 ? std::min(widths[c], 700) : widths[c]));
    freq_view_->is_free_column = [](int col) { return col > 0; };
    freq_model_->edit_hook = [this](int r, int c, const std::string& v) { freq_edited(r, c, v); };
    freq_view_->on_delete = [this] {
        QModelIndex i = freq_view_->currentIndex();
        if (i.isValid() && i.column() > 0) freq_edited(i.row() + 1, i.column(), "");
    };
    fl->addWidget(freq_view_);
    auto* freq_buttons = new QHBoxLayout;
    auto* delete_rows_button = new QPushButton(tr("Delete Row(s)"), freq_box);
    delete_rows_button->setObjectName(QStringLiteral("cmd_delete_rows"));
    freq_buttons->addStretch(1);
    freq_buttons->addWidget(delete_rows_button);
    fl->addLayout(freq_buttons);
    columns->addWidget(freq_box, 1);
    outer->addLayout(columns, 1);

    auto* plan_box = new QGroupBox(tr("Custom bandplan"), this);
    auto* pg = new QGridLayout(plan_box);
    pg->addWidget(new QLabel(tr("Lower (MHz)"), plan_box), 0, 1);
    pg->addWidget(new QLabel(tr("Upper (MHz)"), plan_box), 0, 2);
    pg->addWidget(new QLabel(tr("Step (kHz)"), plan_box), 0, 3);
    pg->addWidget(new QLabel(tr("Offset"), plan_box), 0, 4);
    for (int r = 0; r < k_bandplan_rows; ++r) {
        pg->addWidget(new QLabel(QString::number(r), plan_box), r + 1, 0);
        lower_[r] = new QLineEdit(plan_box);
        lower_[r]->setObjectName(QStringLiteral("txt_lower%1").arg(r));
        upper_[r] = new QLineEdit(plan_box);
        upper_[r]->setObjectName(QStringLiteral("txt_upper%1").arg(r));
        steps_[r] = list_box(site_step_list(), QStringLiteral("cbo_step%1").arg(r), plan_box);
        offset_[r] = new QLineEdit(plan_box);
        offset_[r]->setObjectName(QStringLiteral("txt_offset%1").arg(r));
        pg->addWidget(lower_[r], r + 1, 1);
        pg->addWidget(upper_[r], r + 1, 2);
        pg->addWidget(steps_[r], r + 1, 3);
        pg->addWidget(offset_[r], r + 1, 4);
        for (QLineEdit* e : {lower_[r], upper_[r], offset_[r]})
            connect(e, &QLineEdit::textEdited, this, [this] { edited(); });
        connect(steps_[r], &QComboBox::currentIndexChanged, this, [this] { edited(); });
    }
    auto* plan_default = new QPushButton(tr("Default"), plan_box);
    plan_default->setObjectName(QStringLiteral("cmd_default"));
    auto* presets = new QToolButton(plan_box);
    presets->setText(tr("Rebanded presets"));
    presets->setPopupMode(QToolButton::InstantPopup);
    auto* preset_menu = new QMenu(presets);
    preset_menu->addAction(tr("Five rows"), this, [this] {
        fill_bandplan(preset_bandplan_five());
        edited();
    });
    preset_menu->addAction(tr("Six rows"), this, [this] {
        fill_bandplan(preset_bandplan_six());
        edited();
    });
    presets->setMenu(preset_menu);
    pg->addWidget(plan_default, 1, 5);
    pg->addWidget(presets, 2, 5);
    auto* motorola_plan = new QPushButton(tr("Custom Plan\u2026"), plan_box);
    motorola_plan->setObjectName(QStringLiteral("cmd_motorola_plan"));
    motorola_plan->setToolTip(tr("Motorola Custom Plan: presets and Calculate Upper"));
    auto* p25_plan = new QPushButton(tr("P25 Plan\u2026"), plan_box);
    p25_plan->setObjectName(QStringLiteral("cmd_p25_plan"));
    pg->addWidget(motorola_plan, 3, 5);
    pg->addWidget(p25_plan, 4, 5);
    connect(motorola_plan, &QPushButton::clicked, this, [this] { open_motorola_plan(); });
    connect(p25_plan, &QPushButton::clicked, this, [this] { open_p25_plan(); });
    outer->addWidget(plan_box);

    auto* buttons = new QHBoxLayout;
    auto* remove = new QPushButton(tr("Delete Site"), this);
    remove->setObjectName(QStringLiteral("cmd_delete"));
    auto* save_bottom = new QPushButton(tr("Save"), this);
    save_bottom->setObjectName(QStringLiteral("cmd_save2"));
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(save_bottom);
    outer->addLayout(buttons);

    for (QLineEdit* e : {name_, latitude_, longitude_, range_})
        connect(e, &QLineEdit::textEdited, this, [this] { edited(); });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (system_ > 0) emit renamed(to_q(keys::site(system_, site_)), text);
    });
    for (QCheckBox* c : {avoid_, attenuator_})
        connect(c, &QCheckBox::toggled, this, [this] { edited(); });
    for (QComboBox* c : {modulation_, motorola_band_, edacs_band_, shape_})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { edited(); });
    connect(save_top, &QPushButton::clicked, this, [this] { save(); });
    connect(save_bottom, &QPushButton::clicked, this, [this] { save(); });
    connect(plan_default, &QPushButton::clicked, this, [this] {
        Bandplan plan = collect().bandplan;
        default_bandplan(plan);
        fill_bandplan(plan);
        edited();
    });
    connect(delete_rows_button, &QPushButton::clicked, this, [this] { delete_rows(); });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (system_ <= 0) return;
        if (delete_site_from_form(session_, system_, site_)) forget();
    });
    connect(map, &QPushButton::clicked, this, [this] {
        std::string url = map_link(from_q(latitude_->text()), from_q(longitude_->text()));
        if (url.empty())
            session_.prompter().tell(k_no_location);
        else if (open_url)
            open_url(url);
    });
    setEnabled(false);
}

QLineEdit* SiteEditor::bandplan_edit(int row, int col) const {
    switch (col) {
        case 0:
            return lower_[row];
        case 1:
            return upper_[row];
        default:
            return offset_[row];
    }
}

void SiteEditor::show_site(int system, int site) {
    if (system_ > 0 && (system_ != system || site_ != site)) write_back();
    system_ = system;
    site_ = site;
    dirty_ = false;
    fill(tarvex::show_site(session_.store(), system, site));
    setEnabled(true);
}

void SiteEditor::fill(const SiteForm& form) {
    loading_ = true;
    title_->setText(tr("Site: ") + to_q(form.name));
    name_->setText(to_q(form.name));
    avoid_->setChecked(form.avoid);
    latitude_->setText(to_q(form.latitude));
    longitude_->setText(to_q(form.longitude));
    range_->setText(to_q(form.range));
    set_box(modulation_, form.modulation);
    set_box(motorola_band_, form.motorola_band);
    set_box(edacs_band_, form.edacs_band);
    set_box(shape_, form.shape);
    attenuator_->setChecked(form.attenuator);
    freq_model_->replace(form.frequencies);
    fill_bandplan(form.bandplan);
    loading_ = false;
}

void SiteEditor::fill_bandplan(const Bandplan& plan) {
    const bool was = loading_;
    loading_ = true;
    for (int r = 0; r < k_bandplan_rows; ++r) {
        lower_[r]->setText(to_q(plan[r].lower));
        upper_[r]->setText(to_q(plan[r].upper));
        set_box(steps_[r], plan[r].step.empty() ? "25.0" : plan[r].step);
        offset_[r]->setText(to_q(plan[r].offset));
    }
    loading_ = was;
}

SiteForm SiteEditor::collect() const {
    SiteForm form;
    form.name = from_q(name_->text());
    form.avoid = avoid_->isChecked();
    form.latitude = from_q(latitude_->text());
    form.longitude = from_q(longitude_->text());
    form.range = from_q(range_->text());
    form.modulation = from_q(modulation_->currentText());
    form.motorola_band = from_q(motorola_band_->currentText());
    form.edacs_band = from_q(edacs_band_->currentText());
    form.shape = from_q(shape_->currentText());
    form.attenuator = attenuator_->isChecked();
    form.frequencies = freq_model_->grid();
    for (int r = 0; r < k_bandplan_rows; ++r) {
        form.bandplan[r].lower = from_q(lower_[r]->text());
        form.bandplan[r].upper = from_q(upper_[r]->text());
        form.bandplan[r].step = from_q(steps_[r]->currentText());
        form.bandplan[r].offset = from_q(offset_[r]->text());
    }
    return form;
}

void SiteEditor::edited() {
    if (loading_ || system_ <= 0) return;
    dirty_ = true;
    session_.mark_changed(system_);
}

void SiteEditor::freq_edited(int grid_row, int col, const std::string& value) {
    freq_model_->set_cell(grid_row, col, value);
    // One empty row always waits at the bottom for the next frequency.
    if (grid_row == freq_model_->grid().rows() - 1 && !value.empty()) freq_model_->append_rows(1);
    edited();
}

void SiteEditor::delete_rows() {
    grid::CellRange range{1, 1, 0, 0};
    const QItemSelection sel = freq_view_->selectionModel()->selection();
    if (!sel.isEmpty()) {
        range = {sel.first().top() + 1, 1, sel.first().bottom() + 1, 3};
        for (const auto& r : sel) {
            range.top = std::min(range.top, r.top() + 1);
            range.bottom = std::max(range.bottom, r.bottom() + 1);
        }
    } else if (freq_view_->currentIndex().isValid()) {
        int row = freq_view_->currentIndex().row() + 1;
        range = {row, 1, row, 3};
    }
    range = grid::clip(range, freq_model_->grid());
    if (range.empty()) return;
    std::string removed;
    freq_model_->apply([&](TextGrid& g) { grid::cut_lines(g, range, removed); });
    edited();
}

void SiteEditor::write_back() {
    if (system_ <= 0) return;
    freq_view_->finish_editing();
    if (!dirty_) return;
    save();
}

void SiteEditor::save() {
    if (system_ <= 0) return;
    freq_view_->finish_editing();
    if (!session_.store().exists(keys::site(system_, site_))) {
        forget();
        return;
    }
    SiteForm form = collect();
    save_site(session_, system_, site_, form);
    dirty_ = false;
    title_->setText(tr("Site: ") + name_->text());
}

void SiteEditor::forget() {
    system_ = 0;
    site_ = 0;
    dirty_ = false;
    loading_ = true;
    title_->clear();
    name_->clear();
    TextGrid empty;
    grid::setup_grid(empty, grid::GridKind::SiteFrequency);
    freq_model_->replace(empty);
    loading_ = false;
    setEnabled(false);
}

void SiteEditor::save_column_widths() {
    std::vector<int> widths;
    for (int c = 0; c < grid::column_count(grid::GridKind::SiteFrequency); ++c)
        widths.push_back(grid::pixels_to_twips(freq_view_->columnWidth(c)));
    grid::save_column_widths(settings_, grid::GridKind::SiteFrequency, widths);
}

}  // namespace tarvex
