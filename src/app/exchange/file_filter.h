#pragma once
// File-type filters are written "Name|*.ext|Name|*.ext" as the program has always listed
// them; Qt's dialogs take "Name (*.ext);;Name (*.ext)".
#include <QString>
#include <QStringList>

namespace tarvex {

inline QString qt_file_filter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") +
                   QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                   QLatin1Char(')');
    return out.join(QStringLiteral(";;"));
}

}  // namespace tarvex
