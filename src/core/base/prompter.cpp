#include "core/base/prompter.h"

namespace tarvex {

void RecordingPrompter::tell(std::string_view text, std::string_view) {
    told.emplace_back(text);
}

Answer RecordingPrompter::ask(const std::vector<std::string>& lines, std::string_view, Buttons) {
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

Answer StreamPrompter::ask(const std::vector<std::string>& lines, std::string_view, Buttons) {
    for (const auto& l : lines) std::fprintf(out_, "%s\n", l.c_str());
    return Answer::No;
}

}  // namespace tarvex
