#include "core/radioref/envelope.h"

#include "core/radioref/soap_decode.h"

namespace tarvex::radioref {

std::string xml_text(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char c : latin1) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters are not allowed in XML 1.0 text.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                    continue;
                out += c;
        }
    }
    return latin1_to_utf8(out);
}

std::string build_envelope(std::string_view method, std::string_view name_space,
                           const std::vector<SoapParam>& params, const AuthInfo& auth) {
    std::string m(method);
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\" "
        "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">"
        "<SOAP-ENV:Body><ns1:" +
        m + " xmlns:ns1=\"" + xml_text(name_space) + "\">";
    auto leaf = [&out](std::string_view name, std::string_view value, std::string_view type) {
        std::string n(name);
        out += "<" + n + " xsi:type=\"xsd:" + std::string(type) + "\">" + xml_text(value) + "</" +
               n + ">";
    };
    for (const auto& p : params) leaf(p.name, p.value, p.type);
    out += "<authInfo xsi:type=\"ns1:authInfo\">";
    leaf("username", auth.username, "string");
    leaf("password", auth.password, "string");
    leaf("appKey", auth.app_key, "string");
    leaf("version", auth.version, "string");
    out += "</authInfo></ns1:" + m + "></SOAP-ENV:Body></SOAP-ENV:Envelope>";
    return out;
}

}  // namespace tarvex::radioref
