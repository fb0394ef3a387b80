#include "app/editor/bulk_edit_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/common/latin1.h"
#include "core/base/prompter.h"
#include "core/editor/session.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

namespace tarvex {

// ---- the line list ----

BulkLineModel::BulkLineModel(const SystemStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {}

void BulkLineModel::set_lines(std::vector<BulkLine> lines) {
    beginResetModel();
    lines_ = std::move(lines);
    ticked_.assign(lines_.size(), 0);
    endResetModel();
    emit ticks_changed();
}

void BulkLineModel::refresh_texts(const std::vector<BulkLine>& lines) {
    std::map<std::string, const std::string*> by_key;
    for (const auto& l : lines) by_key[l.key] = &l.text;
    for (auto& l : lines_)
        if (auto it = by_key.find(l.key); it != by_key.end()) l.text = *it->second;
    if (!lines_.empty()) emit dataChanged(index(0), index(rowCount() - 1));
}

void BulkLineModel::set_all(bool ticked) {
    std::fill(ticked_.begin(), ticked_.end(), ticked ? 1 : 0);
    if (!lines_.empty()) emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    emit ticks_changed();
}

void BulkLineModel::set_ticks(const std::vector<bool>& ticks) {
    for (size_t i = 0; i < ticked_.size() && i < ticks.size(); ++i) ticked_[i] = ticks[i];
    if (!lines_.empty()) emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    emit ticks_changed();
}

std::vector<BulkLine> BulkLineModel::ticked() const {
    std::vector<BulkLine> out;
    for (size_t i = 0; i < lines_.size(); ++i)
        if (ticked_[i]) out.push_back(lines_[i]);
    return out;
}

int BulkLineModel::ticked_count() const {
    return static_cast<int>(std::count(ticked_.begin(), ticked_.end(), 1));
}

int BulkLineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant BulkLineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const size_t r = static_cast<size_t>(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return to_q(bulk_line_caption(store_, lines_[r]));
        case Qt::CheckStateRole:
            return ticked_[r] ? Qt::Checked : Qt::Unchecked;
        case Qt::ToolTipRole:
            return to_q(lines_[r].key);
        default:
            return {};
    }
}

bool BulkLineModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || index.row() >= rowCount()) return false;
    ticked_[static_cast<size_t>(index.row())] =
        value.value<Qt::CheckState>() == Qt::Checked ? 1 : 0;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit ticks_changed();
    return true;
}

Qt::ItemFlags BulkLineModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

// ---- the window ----

BulkEditWindow::BulkEditWindow(EditingSession& session, Settings& settings, QWidget* parent)
    : QWidget(parent), session_(session), settings_(settings) {
    setObjectName(QStringLiteral("frm_bulk_edit"));
    setWindowTitle(tr("Bulk Channel Edit"));
    build_ui();
    kind_changed();
}

void BulkEditWindow::build_ui() {
    auto* layout = new QHBoxLayout(this);

    // Left: what to change it on.
    auto* left = new QVBoxLayout;
    auto* kinds = new QHBoxLayout;
    channels_ = new QRadioButton(tr("Channels (conventional systems)"), this);
    channels_->setObjectName(QStringLiteral("opt_channels"));
    talkgroups_ = new QRadioButton(tr("Talkgroups (trunked systems)"), this);
    talkgroups_->setObjectName(QStringLiteral("opt_talkgroups"));
    talkgroups_->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(channels_);
    group->addButton(talkgroups_);
    kinds->addWidget(channels_);
    kinds->addWidget(talkgroups_);
    kinds->addStretch(1);
    left->addLayout(kinds);
    systems_ = new QComboBox(this);
    systems_->setObjectName(QStringLiteral("cbo_system"));
    left->addWidget(systems_);

    model_ = new BulkLineModel(session_.store(), this);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("lst_lines"));
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    left->addWidget(list_, 1);

    auto* picks = new QHBoxLayout;
    auto* all = new QPushButton(tr("Select All"), this);
    all->setObjectName(QStringLiteral("cmd_select_all"));
    auto* none = new QPushButton(tr("Select None"), this);
    none->setObjectName(QStringLiteral("cmd_select_none"));
    auto* near = new QPushButton(tr("Select by Distance from Home"), this);
    near->setObjectName(QStringLiteral("cmd_location"));
    picks->addWidget(all);
    picks->addWidget(none);
    picks->addWidget(near);
    picks->addStretch(1);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lbl_count"));
    picks->addWidget(count_);
    left->addLayout(picks);
    layout->addLayout(left, 3);

    // Right: the line in focus, the settings and Apply.
    auto* right = new QVBoxLayout;
    auto* details = new QGroupBox(tr("Line"), this);
    auto* form = new QFormLayout(details);
    for (const char* caption : {"System:", "Site:", "QuickKey:", "Group:", "Freq/TGID:", "Tag:"}) {
        auto* value = new QLabel(details);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QString::fromLatin1(caption), value);
        details_[caption] = value;
    }
    right->addWidget(details);

    auto* settings_box = new QGroupBox(tr("Set"), this);
    auto* grid = new QGridLayout(settings_box);
    int row = 0;
    for (const BulkSetting& s : k_bulk_settings) {
        const QString caption = to_q(s.caption);
        auto* tick = new QCheckBox(caption, settings_box);
        tick->setObjectName(QStringLiteral("chk_") + caption);
        auto* values = new QComboBox(settings_box);
        values->setObjectName(QStringLiteral("cbo_") + caption);
        grid->addWidget(tick, row, 0);
        grid->addWidget(values, row, 1);
        // Choosing a value means the user wants it set.
        connect(values, &QComboBox::activated, tick, [tick] { tick->setChecked(true); });
        settings_rows_[std::string(s.caption)] = {tick, values};
        ++row;
    }
    right->addWidget(settings_box);

    changed_ = new QLabel(this);
    changed_->setObjectName(QStringLiteral("lbl_changed"));
    right->addWidget(changed_);
    auto* buttons = new QHBoxLayout;
    auto* apply_button = new QPushButton(tr("Apply"), this);
    apply_button->setObjectName(QStringLiteral("cmd_apply"));
    apply_button->setDefault(true);
    auto* close_button = new QPushButton(tr("Close"), this);
    close_button->setObjectName(QStringLiteral("cmd_close"));
    buttons->addStretch(1);
    buttons->addWidget(apply_button);
    buttons->addWidget(close_button);
    right->addLayout(buttons);
    right->addStretch(1);
    layout->addLayout(right, 2);

    connect(channels_, &QRadioButton::toggled, this, [this] { kind_changed(); });
    connect(systems_, &QComboBox::activated, this, [this] { fill_list(); });
    connect(all, &QPushButton::clicked, model_, [this] { model_->set_all(true); });
    connect(none, &QPushButton::clicked, model_, [this] { model_->set_all(false); });
    connect(near, &QPushButton::clicked, this, [this] { select_by_distance(); });
    connect(apply_button, &QPushButton::clicked, this, [this] { apply(); });
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
    connect(model_, &BulkLineModel::ticks_changed, this, [this] { update_counts(); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { show_details(current); });
    resize(900, 560);
}

BulkKind BulkEditWindow::kind() const {
    return channels_->isChecked() ? BulkKind::Channels : BulkKind::Talkgroups;
}

QCheckBox* BulkEditWindow::setting_box(const QString& caption) const {
    auto it = settings_rows_.find(from_q(caption));
    return it == settings_rows_.end() ? nullptr : it->second.tick;
}

QComboBox* BulkEditWindow::value_box(const QString& caption) const {
    auto it = settings_rows_.find(from_q(caption));
    return it == settings_rows_.end() ? nullptr : it->second.values;
}

void BulkEditWindow::kind_changed() {
    const BulkKind k = kind();
    // Only the settings the lines of this kind carry are offered.
    for (auto& [caption, row] : settings_rows_) {
        const bool offered = find_bulk_setting(k, caption) != nullptr;
        row.tick->setChecked(false);
        row.tick->setVisible(offered);
        row.values->setVisible(offered);
        row.values->clear();
        for (const std::string& v : bulk_setting_values(k, caption)) row.values->addItem(to_q(v));
    }
    systems_->clear();
    for (const BulkSystemChoice& c : bulk_system_choices(session_.store(), k))
        systems_->addItem(to_q(c.label), c.system);
    fill_list();
}

void BulkEditWindow::fill_list() {
    // What the open grid shows must be on file before the files are listed.
    session_.write_back();
    const int system = systems_->currentData().toInt();
    model_->set_lines(
        bulk_fill_list(session_.files(), session_.store(), kind(), system, session_.prompter()));
    show_details({});
}

void BulkEditWindow::update_counts() {
    count_->setText(tr("%1 of %2 ticked").arg(model_->ticked_count()).arg(model_->rowCount()));
}

void BulkEditWindow::show_details(const QModelIndex& index) {
    BulkLineDetails d;
    if (index.isValid() && index.row() < model_->rowCount())
        d = bulk_line_details(session_.store(), model_->lines()[static_cast<size_t>(index.row())]);
    details_["System:"]->setText(to_q(d.system));
    details_["Site:"]->setText(to_q(d.site));
    details_["QuickKey:"]->setText(to_q(d.quick_key));
    details_["Group:"]->setText(to_q(d.group));
    details_["Freq/TGID:"]->setText(to_q(d.value));
    details_["Tag:"]->setText(to_q(d.tag));
}

void BulkEditWindow::select_by_distance() {
    HomeLocation home = read_home_location(settings_);
    if (!home.set) {
        session_.prompter().tell(k_no_home_location);
        return;
    }
    model_->set_ticks(bulk_select_by_distance(session_.store(), model_->lines(), home));
}

BulkResult BulkEditWindow::apply() {
    std::vector<std::pair<std::string, std::string>> chosen;
    QStringList names;
    for (const BulkSetting& s : bulk_settings(kind())) {
        const SettingRow& row = settings_rows_.at(std::string(s.caption));
        if (!row.tick->isChecked()) continue;
        chosen.emplace_back(std::string(s.caption), from_q(row.values->currentText()));
        names << to_q(s.caption);
    }
    const QString label = tr("Bulk edit: %1").arg(names.join(QStringLiteral(", ")));
    BulkResult result;
    {
        // One step of the session's history: Edit -> Undo takes back the whole edit. Opening
        // the step writes the open grid first, so its own write-back cannot undo the change.
        EditingSession::Change step(session_, from_q(label));
        result =
            bulk_apply(session_.files(), kind(), model_->ticked(), chosen, session_.prompter());
        for (const BulkChange& c : result.changes) session_.mark_changed(c.system);
    }
    if (!result.applied) return result;
    changed_->setText(to_q(bulk_changed_text(result.lines_changed())));
    if (result.changes.empty()) return result;
    // The open grid shows the new values.
    if (session_.editor.reload) session_.editor.reload();
    std::vector<BulkLine> now;
    for (const BulkChange& c : result.changes)
        now.push_back({bulk_key(kind(), c.system, c.group, c.row), c.after});
    model_->refresh_texts(now);
    return result;
}

}  // namespace tarvex
