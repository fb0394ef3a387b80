#pragma once
// How the core talks to the user: messages and Yes/No/Cancel questions. The desktop program
// shows message boxes, the command line prints to stderr, tests script the answers.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

enum class Answer { Yes, No, Cancel, Save, Discard };
// The buttons a question offers. SaveDiscardCancel is for "go on without saving?" questions:
// the user answers with what should happen to the changes (Save, Discard) rather than Yes/No.
enum class Buttons { Ok, YesNo, YesNoCancel, SaveDiscardCancel };

// The words on a question's buttons, in the order they are shown, with the answer each gives.
struct ButtonWord {
    Answer answer;
    std::string_view word;
};
std::vector<ButtonWord> button_words(Buttons buttons);
// The answer Enter gives: the one that loses nothing and changes nothing.
Answer safe_answer(Buttons buttons);

class Prompter {
  public:
    virtual ~Prompter() = default;
    // A message the user must see ("Nothing to Save", "ERROR: Out of storage space", ...).
    virtual void tell(std::string_view text, std::string_view title = {}) = 0;
    // A question built from lines (each shown on its own line); only Yes proceeds.
    virtual Answer ask(const std::vector<std::string>& lines, std::string_view title = "Warning",
                       Buttons buttons = Buttons::YesNoCancel) = 0;
};

// Records every text and answers questions from a script (default answer when the script runs
// out). Used by tests and by the command line, which never asks.
class RecordingPrompter : public Prompter {
  public:
    explicit RecordingPrompter(Answer default_answer = Answer::No) : default_(default_answer) {}
    void tell(std::string_view text, std::string_view title = {}) override;
    Answer ask(const std::vector<std::string>& lines, std::string_view title = "Warning",
               Buttons buttons = Buttons::YesNoCancel) override;
    void script(std::vector<Answer> answers) {
        script_ = std::move(answers);
        next_ = 0;
    }

    std::vector<std::string> told;       // every message, in order
    std::vector<std::string> questions;  // every question, lines joined by "\n"
    std::vector<Buttons> offered;        // the buttons of every question, in order
  private:
    Answer default_;
    std::vector<Answer> script_;
    size_t next_ = 0;
};

// Prints messages to a stream, one per line; answers every question with No.
class StreamPrompter : public Prompter {
  public:
    explicit StreamPrompter(std::FILE* out) : out_(out) {}
    void tell(std::string_view text, std::string_view title = {}) override;
    Answer ask(const std::vector<std::string>& lines, std::string_view title = "Warning",
               Buttons buttons = Buttons::YesNoCancel) override;

  private:
    std::FILE* out_;
};

}  // namespace tarvex
