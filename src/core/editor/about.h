#pragma once
// The text of Help -> "About": version, licence and the libraries the program is built on.
#include <string>
#include <string_view>

namespace tarvex {

std::string about_text(std::string_view version, std::string_view licence,
                       std::string_view qt_version);

}  // namespace tarvex
