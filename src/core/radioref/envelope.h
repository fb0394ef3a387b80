#pragma once
// The request envelope: SOAP 1.1, rpc/encoded, the method element with its typed parameters
// and the authInfo block last.
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::radioref {

struct SoapParam {
    std::string name;
    std::string value;            // single-byte text
    std::string type = "string";  // xsd type: "int", "string", "decimal"
};

struct AuthInfo {
    std::string username, password, app_key, version = "13";
};

// `method` is the element name inside Body, `name_space` its namespace.
std::string build_envelope(std::string_view method, std::string_view name_space,
                           const std::vector<SoapParam>& params, const AuthInfo& auth);

// XML text escaping of single-byte text, written out as UTF-8.
std::string xml_text(std::string_view latin1);

}  // namespace tarvex::radioref
