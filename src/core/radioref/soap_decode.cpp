#include "core/radioref/soap_decode.h"

#include <cstring>
#include <pugixml.hpp>

#include "core/base/text.h"

namespace tarvex::radioref {

namespace {

std::string_view local_name(const char* qualified) {
    std::string_view n(qualified);
    auto colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

bool is_nil(const pugi::xml_node& e) {
    for (auto a : e.attributes()) {
        if (local_name(a.name()) == "nil") {
            std::string_view v(a.value());
            return v == "true" || v == "1";
        }
    }
    return false;
}

bool is_array(const pugi::xml_node& e) {
    for (auto a : e.attributes()) {
        std::string_view n = local_name(a.name());
        if (n == "arrayType") return true;
        if (n == "type" && local_name(a.value()) == "Array") return true;
    }
    return false;
}

void fill(const pugi::xml_node& e, SoapNode& out, int depth) {
    out.name = std::string(local_name(e.name()));
    out.nil = is_nil(e);
    out.array = is_array(e);
    bool has_elements = false;
    for (auto c : e.children()) {
        if (c.type() != pugi::node_element) continue;
        has_elements = true;
        if (depth >= k_max_soap_depth) break;
        out.children.emplace_back();
        fill(c, out.children.back(), depth + 1);
    }
    if (!has_elements && !out.nil) out.text = utf8_to_latin1(e.text().get());
}

pugi::xml_node first_element(const pugi::xml_node& parent) {
    for (auto c : parent.children())
        if (c.type() == pugi::node_element) return c;
    return {};
}

pugi::xml_node child_local(const pugi::xml_node& parent, std::string_view name) {
    for (auto c : parent.children())
        if (c.type() == pugi::node_element && local_name(c.name()) == name) return c;
    return {};
}

}  // namespace

const SoapNode* SoapNode::child(std::string_view child_name) const {
    for (const auto& c : children)
        if (c.name == child_name) return &c;
    return nullptr;
}

std::string SoapNode::str(std::string_view child_name) const {
    const SoapNode* c = child(child_name);
    return c && !c->nil ? c->text : std::string();
}

long long SoapNode::integer(std::string_view child_name) const {
    return lenient_integer(str(child_name));
}

double SoapNode::real(std::string_view child_name) const {
    return lenient_number(str(child_name));
}

const std::vector<SoapNode>& SoapNode::items(std::string_view child_name) const {
    static const std::vector<SoapNode> none;
    const SoapNode* c = child(child_name);
    return c && !c->nil ? c->children : none;
}

SoapAnswer decode_soap(std::string_view bytes) {
    SoapAnswer answer;
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return answer;  // Kind::empty: the service's bare HTTP 500
    pugi::xml_document doc;
    // encoding_auto honours the prolog's encoding="ISO-8859-1"; the result is UTF-8.
    auto parsed =
        doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
        answer.kind = SoapAnswer::Kind::malformed;
        answer.error = parsed.description();
        return answer;
    }
    pugi::xml_node envelope = first_element(doc);
    pugi::xml_node body = child_local(envelope, "Body");
    if (local_name(envelope.name()) != "Envelope" || !body) {
        answer.kind = SoapAnswer::Kind::malformed;
        answer.error = "no SOAP body";
        return answer;
    }
    pugi::xml_node method = first_element(body);
    if (!method) {
        answer.kind = SoapAnswer::Kind::malformed;
        answer.error = "empty SOAP body";
        return answer;
    }
    answer.method = std::string(local_name(method.name()));
    if (answer.method == "Fault") {
        answer.kind = SoapAnswer::Kind::fault;
        answer.fault_code = utf8_to_latin1(child_local(method, "faultcode").text().get());
        answer.fault_string = utf8_to_latin1(child_local(method, "faultstring").text().get());
        return answer;
    }
    answer.kind = SoapAnswer::Kind::response;
    pugi::xml_node part = first_element(method);
    if (!part) return answer;
    fill(part, answer.part, 1);
    answer.part_name = answer.part.name;
    answer.part_null = answer.part.nil;
    return answer;
}

std::string utf8_to_latin1(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra == 0 || i + extra >= s.size()) {
            out += '?';
            ++i;
            continue;
        }
        unsigned cp = c & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            auto n = static_cast<unsigned char>(s[i + k]);
            if ((n & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (n & 0x3F);
        }
        out += ok && cp < 256 ? static_cast<char>(cp) : '?';
        i += ok ? extra + 1 : 1;
    }
    return out;
}

std::string latin1_to_utf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace tarvex::radioref
