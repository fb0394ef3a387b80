#include "app/common/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "app/common/latin1.h"

namespace tarvex {

namespace {

QString box_title(std::string_view title) {
    return title.empty() ? QApplication::applicationName() : to_q(title);
}

// The box belongs to the window the user is working in: a tool window's message must not hand
// the focus back to the main window when it closes, which would bury the tool window behind it.
QWidget* owner(QWidget* fallback) {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : fallback;
}

QMessageBox::StandardButton standard_button(Answer answer, Buttons buttons) {
    switch (answer) {
        case Answer::Yes:
            return buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
        case Answer::Save:
            return QMessageBox::Save;
        case Answer::Discard:
            return QMessageBox::Discard;
        case Answer::Cancel:
            return QMessageBox::Cancel;
    }
    return QMessageBox::Cancel;
}

}  // namespace

void QtPrompter::tell(std::string_view text, std::string_view title) {
    QMessageBox box(QMessageBox::Information, box_title(title), to_q(text), QMessageBox::Ok,
                    owner(parent_));
    box.exec();
}

Answer QtPrompter::ask(const std::vector<std::string>& lines, std::string_view title,
                       Buttons buttons) {
    QString text;
    for (const auto& line : lines) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += to_q(line);
    }
    QMessageBox box(QMessageBox::Warning, box_title(title), text, QMessageBox::NoButton,
                    owner(parent_));
    box.setObjectName(QStringLiteral("question"));
    // Standard buttons keep the platform's order and Escape; the words are the question's own.
    const Answer safe = safe_answer(buttons);
    std::map<int, Answer> answers;
    for (const ButtonWord& b : button_words(buttons)) {
        QMessageBox::StandardButton kind = standard_button(b.answer, buttons);
        QPushButton* button = box.addButton(kind);
        button->setText(QMessageBox::tr(std::string(b.word).c_str()));
        answers[kind] = b.answer;
        if (b.answer == safe) box.setDefaultButton(kind);
    }
    auto it = answers.find(box.exec());
    return it == answers.end() ? Answer::Cancel : it->second;
}

}  // namespace tarvex
