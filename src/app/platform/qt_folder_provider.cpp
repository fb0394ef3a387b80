#include "app/platform/qt_folder_provider.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace tarvex {

std::filesystem::path to_fs_path(const QString& path) {
    if (path.isEmpty()) return {};
    const std::u16string utf16 = QDir::toNativeSeparators(path).toStdU16String();
    return std::filesystem::path(utf16);
}

namespace {

QString documents_folder() {
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? QDir::homePath() : docs;
}

QString common_app_data_folder() {
#ifdef Q_OS_WIN
    const QString program_data = qEnvironmentVariable("PROGRAMDATA");
    return program_data.isEmpty() ? QStringLiteral("C:/ProgramData") : program_data;
#else
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QStringList all = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& dir : all) {
        if (dir != own) return dir;
    }
    return QStringLiteral("/usr/share");
#endif
}

}  // namespace

PlatformFolders QtFolderProvider::folders() {
    PlatformFolders f;
    const QString home = qEnvironmentVariable("TARVEX_DATA_HOME");
    if (!home.isEmpty()) {
        const QDir root(home);
        f.documents = to_fs_path(root.filePath(QStringLiteral("Documents")));
        f.app_data = to_fs_path(root.filePath(QStringLiteral("AppData")));
        f.common_app_data = to_fs_path(root.filePath(QStringLiteral("ProgramData")));
    } else {
        f.documents = to_fs_path(documents_folder());
        f.app_data =
            to_fs_path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        f.common_app_data = to_fs_path(common_app_data_folder());
        f.scratch = ram_scratch_folder();
    }
    if (QCoreApplication::instance()) {
        // Beside the program in a build tree or a Windows installation; in share/tarvex when
        // installed into a Unix prefix (bin/ and share/ side by side).
        const QDir bin(QCoreApplication::applicationDirPath());
        const QString shared = bin.filePath(QStringLiteral("../share/tarvex"));
        const bool beside = QDir(bin.filePath(QStringLiteral("hpd files"))).exists();
        f.install_dir =
            to_fs_path(!beside && QDir(shared).exists() ? QDir::cleanPath(shared) : bin.path());
    }
    return f;
}

}  // namespace tarvex
