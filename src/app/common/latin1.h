#pragma once
// Record lines are single-byte text; every widget boundary converts through Latin-1 so each
// byte the user typed or the file held survives the trip through QString.
#include <QString>
#include <string>
#include <string_view>

namespace tarvex {

inline QString to_q(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string from_q(const QString& s) {
    QByteArray bytes = s.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace tarvex
