#include "app/common/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>

#include "app/common/latin1.h"

namespace tarvex {

namespace {

QString box_title(std::string_view title) {
    return title.empty() ? QApplication::applicationName() : to_q(title);
}

}  // namespace

void QtPrompter::tell(std::string_view text, std::string_view title) {
    QMessageBox box(QMessageBox::Information, box_title(title), to_q(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

Answer QtPrompter::ask(const std::vector<std::string>& lines, std::string_view title,
                       Buttons buttons) {
    QString text;
    for (const auto& line : lines) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += to_q(line);
    }
    QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) shown |= QMessageBox::Cancel;
    if (buttons == Buttons::Ok) shown = QMessageBox::Ok;
    QMessageBox box(QMessageBox::Warning, box_title(title), text, shown, parent_);
    // Only Yes proceeds, so the safe answer is the one Enter gives.
    box.setDefaultButton(buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes:
        case QMessageBox::Ok:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

}  // namespace tarvex
