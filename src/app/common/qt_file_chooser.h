#pragma once
// The session's file dialogs as Qt dialogs.
#include <QPointer>
#include <QWidget>

#include "core/editor/session.h"

namespace tarvex {

class QtFileChooser : public FileChooser {
  public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> open_file(std::string_view title,
                                         const std::filesystem::path& start_folder) override;
    std::optional<std::string> save_file(std::string_view title,
                                         std::string_view suggested_name) override;
    std::optional<std::string> choose_folder(std::string_view title) override;

  private:
    QPointer<QWidget> parent_;
};

// A path chosen in Qt as the core's file name (the platform's local 8-bit encoding, as the
// standard library opens it), and back.
std::string to_core_path(const QString& path);
QString from_core_path(const std::string& path);

}  // namespace tarvex
