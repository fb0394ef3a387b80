#include "core/base/prompter.h"

namespace tarvex {

void RecordingPrompter::tell(std::string_view text, std::string_view) {
    told.emplace_back(text);
}

std::vector<ButtonWord> button_words(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return {{Answer::Yes, "OK"}};
        case Buttons::YesNo:
            return {{Answer::Yes, "Yes"}, {Answer::No, "No"}};
        case Buttons::YesNoCancel:
            return {{Answer::Yes, "Yes"}, {Answer::No, "No"}, {Answer::Cancel, "Cancel"}};
        case Buttons::SaveDiscardCancel:
            return {{Answer::Save, "Save"},
                    {Answer::Discard, "Don't Save"},
                    {Answer::Cancel, "Cancel"}};
    }
    return {};
}

Answer safe_answer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Yes;
        case Buttons::SaveDiscardCancel:
            return Answer::Save;
        default:
            return Answer::No;
    }
}

Answer RecordingPrompter::ask(const std::vector<std::string>& lines, std::string_view,
                              Buttons buttons) {
    offered.push_back(buttons);
    std::string joined;
    for (const auto& l : lines) {
        if (!joined.empty()) joined += '\n';
        joined += l;
    }
    questions.push_back(joined);
    return next_ < script_.size() ? script_[next_++] : default_;
}

void StreamPrompter::tell(std::string_view text, std::string_view) {
    std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
}

Answer StreamPrompter::ask(const std::vector<std::string>& lines, std::string_view,
                           Buttons buttons) {
    for (const auto& l : lines) std::fprintf(out_, "%s\n", l.c_str());
    // Nobody answers here: nothing proceeds, and a "go on without saving?" question stays put.
    return buttons == Buttons::SaveDiscardCancel ? Answer::Cancel : Answer::No;
}

}  // namespace tarvex
