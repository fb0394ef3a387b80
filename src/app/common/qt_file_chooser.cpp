#include "app/common/qt_file_chooser.h"

#include <QFile>
#include <QFileDialog>

#include "app/common/latin1.h"

namespace tarvex {

namespace {
const QString k_hpd_filter = QStringLiteral("HPD files (*.hpd *.HPD *.txt);;All files (*)");
}

std::string to_core_path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString from_core_path(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::optional<std::string> QtFileChooser::open_file(std::string_view title,
                                                    const std::filesystem::path& start_folder) {
    QString chosen = QFileDialog::getOpenFileName(
        parent_, to_q(title), from_core_path(start_folder.string()), k_hpd_filter);
    if (chosen.isEmpty()) return std::nullopt;
    return to_core_path(chosen);
}

std::optional<std::string> QtFileChooser::save_file(std::string_view title,
                                                    std::string_view suggested_name) {
    QString chosen = QFileDialog::getSaveFileName(
        parent_, to_q(title), from_core_path(std::string(suggested_name)), k_hpd_filter);
    if (chosen.isEmpty()) return std::nullopt;
    return to_core_path(chosen);
}

std::optional<std::string> QtFileChooser::choose_folder(std::string_view title) {
    QString chosen = QFileDialog::getExistingDirectory(parent_, to_q(title));
    if (chosen.isEmpty()) return std::nullopt;
    return to_core_path(chosen);
}

}  // namespace tarvex
