#include "core/editor/grid_keys.h"

#include <cctype>
#include <cstdlib>

#include "core/base/text.h"

namespace tarvex::grid {

namespace {

std::optional<std::string> word(std::string_view w) {
    return std::string(w);
}

bool is_digit(char key) {
    return key >= '0' && key <= '9';
}

std::optional<std::string> switch_key(char key, std::string_view current) {
    switch (key) {
        case ' ':
            return word(current == "On" ? "Off" : "On");
        case '0':
        case 'F':
            return word("Off");
        case '1':
        case 'N':
            return word("On");
        default:
            return std::nullopt;
    }
}

std::optional<std::string> delay_key(char key, std::string_view current) {
    switch (key) {
        case '0':
        case 'F':
            return word("0");
        case '1':
            return word("10");
        case '2':
        case 'N':
        case 'D':
            return word("2");
        case '3':
            return word("30");
        case '4':
            return word("4");
        case '5':
            return word("5");
        case '-':
            return word(trim(current) == "10" ? "-10" : "-5");
        default:
            return std::nullopt;
    }
}

std::optional<std::string> volume_key(char key, std::string_view current) {
    if (key >= '0' && key <= '3') return std::string(1, key);
    if (key != '-') return std::nullopt;
    long long level = std::llabs(lenient_integer(current));
    if (level == 0) level = 1;
    if (level > 3) level = 3;
    return "-" + std::to_string(level);
}

}  // namespace

std::optional<std::string> key_entry(Column column, char key, std::string_view current) {
    key = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    switch (column) {
        case Column::Avoid:
        case Column::Attenuator:
            return switch_key(key, current);
        case Column::AlertTone:
            if (key == 'F' || key == '0') return word("Off");
            if (key >= '1' && key <= '9') return std::string(1, key);
            return std::nullopt;
        case Column::AlertLevel:
            if (key == 'A') return word("Auto");
            if (key == '0') return word("10");
            if (is_digit(key)) return std::string(1, key);
            return std::nullopt;
        case Column::DelayTime:
            return delay_key(key, current);
        case Column::VolumeOffset:
            return volume_key(key, current);
        case Column::AudioType:
            if (key == 'A') return word("Analog");
            if (key == 'L') return word("All");
            if (key == 'D') return word("Digital");
            return std::nullopt;
        case Column::SqMode:
            if (key == 'C') return word("CTCSS");
            if (key == 'D') return word("DCS");
            if (key == 'P') return word("P25");
            return std::nullopt;
        case Column::Mode:
            if (key == 'A') return word("AM");
            if (key == 'F') return word("FM");
            return std::nullopt;
        case Column::Talkgroup:
            if (key == 'I') return word("i00000");
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::string shortcuts_overview() {
    return "Switch columns (Avoid, Attenuator): Space toggles On/Off; 0 or F = Off; 1 or N = On\n"
           "Mode: A = AM; F = FM\n"
           "SQ Mode: C = CTCSS; D = DCS; P = P25\n"
           "Alert Tone: F or 0 = Off; 1..9 = that tone\n"
           "Alert Level: A = Auto; 1..9 = that level; 0 = 10\n"
           "Delay Time: 0 or F = 0; 1 = 10; 2, N or D = 2; 3 = 30; 4 = 4; 5 = 5; "
           "- = -5 (-10 when the cell holds 10)\n"
           "Volume Offset: 0..3 = that offset; - = the negative offset (-1 when the cell holds 0)\n"
           "AudioType: A = Analog; L = All; D = Digital\n"
           "Talkgroup: I = i00000 (unit ID)\n"
           "F2: edit the cell\n";
}

}  // namespace tarvex::grid
