#include "core/model/record_fields.h"

#include "core/base/text.h"
#include "core/model/record_line.h"

namespace tarvex {

std::string record_name(std::string_view line) {
    return get_field(line, 4);
}

std::string system_type_word(std::string_view line) {
    return get_field(line, 1);
}

bool is_edacs_type_code(std::string_view code) {
    const std::string t = trim(code);
    for (const SystemTypeInfo& type : k_system_types)
        if (std::to_string(type.code) == t) return type.type_name.rfind("Edacs", 0) == 0;
    return false;
}

}  // namespace tarvex
