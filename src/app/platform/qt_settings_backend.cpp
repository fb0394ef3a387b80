#include "app/platform/qt_settings_backend.h"

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include "core/settings/folders.h"

namespace tarvex {

namespace {

const char* const k_organisation = "Norvane";
const char* const k_import_application = "RRfetch";
const char* const k_import_group = "settings";

std::unique_ptr<QSettings> open_store(const QString& application) {
    const QString dir = qEnvironmentVariable("TARVEX_SETTINGS_DIR");
    if (!dir.isEmpty()) {
        return std::make_unique<QSettings>(QDir(dir).filePath(application + ".ini"),
                                           QSettings::IniFormat);
    }
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\%1\\%2").arg(k_organisation, application),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, k_organisation,
                                       application);
#endif
}

bool plain_name(std::string_view name) {
    return name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos;
}

QString latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// QSettings keeps root values apart from groups (the registry's values versus subkeys, the
// INI file's [General] versus named groups), so "section/key" and a root "key" never meet as
// long as neither name carries a separator. One catch: in an INI file a section spelled
// "general" in any case is written as [%General] and read back as "General", so the "general"
// section would be lost on the next start. We spell it "General" ourselves; the registry
// ignores case anyway, so this only makes the INI file behave like the registry.
std::optional<QString> settings_key(const QString& group, std::string_view section,
                                    std::string_view key) {
    if (key.empty() || !plain_name(key) || !plain_name(section)) return std::nullopt;
    QString path;
    if (!group.isEmpty()) path = group + u'/';
    if (!section.empty()) {
        QString name = latin1(section);
        if (name.compare(u"general", Qt::CaseInsensitive) == 0) name = QStringLiteral("General");
        path += name + u'/';
    }
    return path + latin1(key);
}

}  // namespace

QtSettingsBackend::QtSettingsBackend(Store store) {
    if (store == Store::main) {
        settings_ = open_store(latin1(k_app_name));
    } else {
        settings_ = open_store(QString::fromLatin1(k_import_application));
        group_ = QString::fromLatin1(k_import_group);
    }
}

QtSettingsBackend::~QtSettingsBackend() = default;

std::optional<std::string> QtSettingsBackend::read(std::string_view section, std::string_view key) {
    std::optional<QString> name = settings_key(group_, section, key);
    if (!name) return std::nullopt;
    const QVariant value = settings_->value(*name);
    if (!value.isValid()) return std::nullopt;
    // A hand-edited INI value with a bare comma comes back as a list.
    const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',')
                                                                  : value.toString();
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void QtSettingsBackend::write(std::string_view section, std::string_view key,
                              std::string_view raw) {
    std::optional<QString> name = settings_key(group_, section, key);
    if (!name) return;
    settings_->setValue(*name, latin1(raw));
}

void QtSettingsBackend::sync() {
    settings_->sync();
}

QString QtSettingsBackend::location() const {
    return settings_->fileName();
}

}  // namespace tarvex
