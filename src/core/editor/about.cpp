#include "core/editor/about.h"

namespace tarvex {

std::string about_text(std::string_view version, std::string_view licence,
                       std::string_view qt_version) {
    std::string out = "Tarvex " + std::string(version.empty() ? "(development build)" : version) +
                      "\nEditor and programmer for the Uniden HomePatrol-1 and HomePatrol-2 "
                      "scanners.\n\nLicence: " +
                      std::string(licence) +
                      "\n\nBuilt with:\n"
                      "- Qt " +
                      std::string(qt_version) +
                      " (Widgets, Network, SerialPort, Multimedia), LGPL-3.0\n"
                      "- pugixml, MIT licence\n"
                      "HomePatrol is a trademark of Uniden; Tarvex is not made by Uniden.";
    return out;
}

}  // namespace tarvex
