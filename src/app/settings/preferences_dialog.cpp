#include "app/settings/preferences_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/base/prompter.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

QString to_q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string from_q(const QString& s) {
    return s.toUtf8().toStdString();
}

QString path_text(const std::filesystem::path& p) {
    const std::u8string u = p.u8string();
    return QDir::toNativeSeparators(QString::fromUtf8(reinterpret_cast<const char*>(u.data()),
                                                      static_cast<qsizetype>(u.size())));
}

// The caption without its trailing colon, for a check box or a message.
QString plain_caption(const Preference& p) {
    QString c = to_q(p.caption);
    if (c.endsWith(QLatin1Char(':'))) c.chop(1);
    return c;
}

}  // namespace

PreferencesDialog::PreferencesDialog(Settings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), settings_(settings), prompter_(prompter) {
    setObjectName(QStringLiteral("frm_options"));
    setWindowTitle(tr("Software Options"));
    choose_folder = [this](const QString& shown) {
        return QFileDialog::getExistingDirectory(this, tr("Choose a folder"), shown);
    };
    build();
    show_values(load_preferences(settings_));
}

void PreferencesDialog::build() {
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    layout->addWidget(pages_);
    for (std::string_view group : k_preference_groups) {
        auto* page = new QWidget(pages_);
        page->setObjectName(to_q(group));
        auto* form = new QFormLayout(page);
        form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        form->setRowWrapPolicy(QFormLayout::WrapAllRows);
        for (const Preference& p : k_preferences) {
            if (p.group != group) continue;
            QWidget* control = build_control(p, page);
            if (p.kind == PreferenceKind::Flag)
                form->addRow(control);
            else
                form->addRow(tr(std::string(p.caption).c_str()), control);
        }
        pages_->addTab(page, tr(std::string(group).c_str()));
    }
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { apply(); });
    layout->addWidget(buttons);
    resize(620, 360);
}

QWidget* PreferencesDialog::build_control(const Preference& p, QWidget* page) {
    const QString id = to_q(p.id);
    QWidget* control = nullptr;
    QWidget* row = nullptr;
    switch (p.kind) {
        case PreferenceKind::Flag: {
            auto* box = new QCheckBox(tr(plain_caption(p).toUtf8().constData()), page);
            control = box;
            break;
        }
        case PreferenceKind::FolderList:
        case PreferenceKind::Folder: {
            row = new QWidget(page);
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            auto* browse = new QPushButton(
                p.kind == PreferenceKind::FolderList ? tr("Add Folder\u2026") : tr("Browse\u2026"),
                row);
            browse->setObjectName(id + QStringLiteral("_browse"));
            if (p.kind == PreferenceKind::FolderList) {
                auto* edit = new QPlainTextEdit(row);
                edit->setTabChangesFocus(true);
                edit->setPlaceholderText(tr("No folders of your own: only the mounted drives"));
                edit->setMinimumHeight(90);
                control = edit;
                connect(browse, &QPushButton::clicked, this, [this, edit] {
                    const QString chosen = choose_folder(QDir::homePath());
                    if (chosen.isEmpty()) return;
                    QString text = edit->toPlainText().trimmed();
                    if (!text.isEmpty()) text += QLatin1Char('\n');
                    edit->setPlainText(text + QDir::toNativeSeparators(chosen));
                });
                h->addWidget(edit, 1);
                h->addWidget(browse, 0, Qt::AlignTop);
            } else {
                auto* edit = new QLineEdit(row);
                edit->setPlaceholderText(tr("The usual place"));
                control = edit;
                connect(browse, &QPushButton::clicked, this, [this, edit] {
                    const QString chosen = choose_folder(edit->text());
                    if (!chosen.isEmpty()) edit->setText(QDir::toNativeSeparators(chosen));
                });
                h->addWidget(edit, 1);
                h->addWidget(browse);
            }
            break;
        }
        case PreferenceKind::SerialPort: {
            auto* combo = new QComboBox(page);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItem(QString());
            for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
                combo->addItem(port.systemLocation());
            combo->lineEdit()->setPlaceholderText(tr("Search every port"));
            control = combo;
            break;
        }
        case PreferenceKind::Url:
        case PreferenceKind::AppKey:
        case PreferenceKind::Text: {
            auto* edit = new QLineEdit(page);
            if (p.kind == PreferenceKind::AppKey) {
                edit->setMaxLength(8);
                edit->setPlaceholderText(tr("The program's own key"));
            } else if (p.kind == PreferenceKind::Url) {
                edit->setPlaceholderText(to_q(p.default_value));
            }
            control = edit;
            break;
        }
    }
    control->setObjectName(id);
    control->setToolTip(plain_caption(p));
    controls_.emplace(std::string(p.id), control);
    return row ? row : control;
}

void PreferencesDialog::set_value(const std::string& id, const QString& value) {
    auto it = controls_.find(id);
    if (it == controls_.end()) return;
    QWidget* w = it->second;
    if (auto* box = qobject_cast<QCheckBox*>(w))
        box->setChecked(value == QLatin1String("1"));
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        edit->setPlainText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(value);
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->setText(value);
}

void PreferencesDialog::show_values(const PreferenceValues& values) {
    for (const auto& [id, value] : values) {
        QString shown = to_q(value);
        // Folders are shown the platform's way; the stored text is what the user typed.
        const Preference* p = find_preference(id);
        if (p && (p->kind == PreferenceKind::Folder || p->kind == PreferenceKind::FolderList))
            shown = QDir::toNativeSeparators(shown);
        set_value(id, shown);
    }
}

PreferenceValues PreferencesDialog::values() const {
    PreferenceValues out;
    for (const auto& [id, w] : controls_) {
        QString v;
        if (auto* box = qobject_cast<QCheckBox*>(w))
            v = box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
            v = edit->toPlainText();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            v = combo->currentText();
        else if (auto* line = qobject_cast<QLineEdit*>(w))
            v = line->text();
        out.emplace(id, from_q(v));
    }
    return out;
}

void PreferencesDialog::show_group(std::string_view group) {
    for (int i = 0; i < pages_->count(); ++i)
        if (pages_->widget(i)->objectName() == to_q(group)) pages_->setCurrentIndex(i);
}

bool PreferencesDialog::offer_missing_folders(const PreferenceValues& values) {
    const PreferenceValues stored = load_preferences(settings_);
    for (const Preference& p : k_preferences) {
        auto it = values.find(p.id);
        if (it == values.end()) continue;
        // Only what the user changed is questioned: a folder that went away since it was set
        // (a card that is not plugged in) is no reason to stop every other change.
        auto was = stored.find(p.id);
        if (was != stored.end() && was->second == it->second) continue;
        const auto missing = missing_folders(p, it->second);
        if (missing.empty()) continue;
        std::vector<std::string> lines{from_q(plain_caption(p)) + ":"};
        for (const auto& folder : missing) lines.push_back("  " + from_q(path_text(folder)));
        lines.push_back(missing.size() == 1 ? "This folder does not exist. Create it?"
                                            : "These folders do not exist. Create them?");
        Answer answer = prompter_.ask(lines, "Software Options", Buttons::YesNoCancel);
        if (answer == Answer::Cancel) {
            show_group(p.group);
            controls_.at(std::string(p.id))->setFocus();
            return false;
        }
        if (answer == Answer::Yes) {
            if (auto error = create_folders(missing)) {
                prompter_.tell(*error, "Software Options");
                show_group(p.group);
                return false;
            }
        }
    }
    return true;
}

bool PreferencesDialog::apply() {
    const PreferenceValues shown = values();
    for (const Preference& p : k_preferences) {
        auto it = shown.find(p.id);
        if (it == shown.end()) continue;
        if (auto error = preference_error(p, it->second)) {
            prompter_.tell(from_q(plain_caption(p)) + ": " + *error, "Software Options");
            show_group(p.group);
            controls_.at(std::string(p.id))->setFocus();
            return false;
        }
    }
    if (!offer_missing_folders(shown)) return false;
    PreferenceSave saved = save_preferences(settings_, shown);
    if (saved.error) {
        prompter_.tell(*saved.error, "Software Options");
        return false;
    }
    show_values(load_preferences(settings_));
    if (!saved.changed.empty()) {
        QStringList ids;
        for (const std::string& id : saved.changed) ids << to_q(id);
        emit preferences_changed(ids);
    }
    return true;
}

void PreferencesDialog::ok() {
    if (apply()) accept();
}

}  // namespace tarvex
