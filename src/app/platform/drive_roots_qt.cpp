#include "app/platform/drive_roots_qt.h"

#include <QDir>
#include <QStorageInfo>

#include "app/platform/qt_folder_provider.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

bool pseudo_file_system(const QByteArray& type) {
    static const char* const k_pseudo[] = {
        "proc",       "sysfs",    "devtmpfs", "devpts", "cgroup",  "cgroup2",
        "securityfs", "debugfs",  "tracefs",  "pstore", "bpf",     "mqueue",
        "hugetlbfs",  "configfs", "fusectl",  "autofs", "overlay", "squashfs"};
    for (const char* p : k_pseudo)
        if (type == p) return true;
    return false;
}

}  // namespace

QStringList QtDriveRoots::user_folders(const Settings& settings) {
    QString stored =
        QString::fromStdString(settings.GetSetting(k_card_section, k_drive_folders_key, "x"));
    QStringList out;
    for (const QString& line : stored.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.trimmed().isEmpty()) out << line.trimmed();
    return out;
}

void QtDriveRoots::set_user_folders(Settings& settings, const QStringList& folders) {
    settings.SaveSetting(k_card_section, k_drive_folders_key,
                         folders.join(QLatin1Char('\n')).toStdString());
}

std::vector<std::filesystem::path> QtDriveRoots::roots() {
    std::vector<std::filesystem::path> out;
    if (settings_)
        for (const QString& folder : user_folders(*settings_)) out.push_back(to_fs_path(folder));
#ifdef Q_OS_WIN
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        out.push_back(std::filesystem::path(std::string(1, letter) + ":\\"));
#else
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || pseudo_file_system(volume.fileSystemType()))
            continue;
        out.push_back(to_fs_path(volume.rootPath()));
    }
#endif
    return out;
}

std::string QtDriveRoots::drive_list() {
    QStringList names;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        names << volume.rootPath() + QStringLiteral(" (") +
                     QString::fromLatin1(volume.fileSystemType()) + QStringLiteral(")");
    return names.join(QLatin1Char(' ')).toStdString();
}

}  // namespace tarvex
