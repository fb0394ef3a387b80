#include "core/radioref/wsdl.h"

#include <array>
#include <pugixml.hpp>

#include "core/radioref/soap_decode.h"

namespace tarvex::radioref {

namespace {

constexpr std::array<std::string_view, 29> k_methods = {
    "getTrsTalkgroups", "getTrsTalkgroupCats", "getTrsDetails",          "getTrsBySysid",
    "getTrsSites",      "getStatesByList",     "getCountiesByList",      "getTag",
    "getMode",          "getTrsType",          "getTrsFlavor",           "getTrsVoice",
    "getCountryList",   "getCountryInfo",      "getStateInfo",           "getCountyInfo",
    "getAgencyInfo",    "getSubcatFreqs",      "searchCountyFreq",       "searchStateFreq",
    "searchMetroFreq",  "getCountyFreqsByTag", "getAgencyFreqsByTag",    "getMetroArea",
    "getZipcodeInfo",   "fccGetCallsign",      "fccGetRadioServiceCode", "fccGetProxCallsigns",
    "getUserData"};

std::string attr(const pugi::xml_node& n, const char* name) {
    return utf8_to_latin1(n.attribute(name).value());
}

std::string_view local(const char* qualified) {
    std::string_view n(qualified);
    auto colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

// Descendants by local name: the documents use prefixes ("xsd:", "soap:") inconsistently
// between versions, so a prefix never decides a match.
template <typename Visit>
void each_descendant(const pugi::xml_node& under, std::string_view name, Visit&& visit) {
    for (auto n = under.first_child(); n;) {
        if (n.type() == pugi::node_element && local(n.name()) == name) visit(n);
        if (n.first_child()) {
            n = n.first_child();
        } else {
            while (n && !n.next_sibling() && n != under) n = n.parent();
            if (!n || n == under) break;
            n = n.next_sibling();
        }
    }
}

pugi::xml_node first_descendant(const pugi::xml_node& under, std::string_view name) {
    pugi::xml_node found;
    each_descendant(under, name, [&](const pugi::xml_node& n) {
        if (!found) found = n;
    });
    return found;
}

WsdlComplexType read_type(const pugi::xml_node& t) {
    WsdlComplexType type;
    type.name = attr(t, "name");
    each_descendant(t, "element", [&](const pugi::xml_node& e) {
        type.elements.push_back({attr(e, "name"), attr(e, "type")});
    });
    if (auto r = first_descendant(t, "restriction")) type.restriction_base = attr(r, "base");
    if (auto a = first_descendant(t, "attribute")) {
        type.attribute_ref = attr(a, "ref");
        type.array_type = attr(a, "wsdl:arrayType");
    }
    return type;
}

WsdlBody read_body(const pugi::xml_node& io) {
    WsdlBody body;
    if (auto b = first_descendant(io, "body")) {
        body.use = attr(b, "use");
        body.name_space = attr(b, "namespace");
        body.encoding_style = attr(b, "encodingStyle");
    }
    return body;
}

}  // namespace

std::string_view service_method_name(int index) {
    return index >= 0 && index < static_cast<int>(k_methods.size()) ? k_methods[index] : "";
}

std::string without_prefix(std::string_view message_name) {
    return message_name.size() > 4 ? std::string(message_name.substr(4)) : std::string();
}

WsdlModel ParseWSDL(std::string_view text) {
    WsdlModel m;
    pugi::xml_document doc;
    if (!doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto))
        return m;
    pugi::xml_node defs = doc.document_element();
    if (local(defs.name()) != "definitions") return m;
    m.target_namespace = attr(defs, "targetNamespace");
    m.xmlns = attr(defs, "xmlns");
    m.xmlns_soap = attr(defs, "xmlns:soap");
    m.xmlns_soap_enc = attr(defs, "xmlns:SOAP-ENC");
    m.xmlns_soap_env = attr(defs, "xmlns:SOAP-ENV");
    m.xmlns_wsdl = attr(defs, "xmlns:wsdl");
    m.xmlns_tns = attr(defs, "xmlns:tns");
    m.xmlns_xsi = attr(defs, "xmlns:xsi");
    for (auto child : defs.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string_view name = local(child.name());
        if (name == "types") {
            auto schema = first_descendant(child, "schema");
            m.schema_namespace = attr(schema, "targetNamespace");
            for (auto s : schema.children()) {
                std::string_view sn = local(s.name());
                if (sn == "import") m.imports.push_back(attr(s, "namespace"));
                if (sn == "complexType") m.types.push_back(read_type(s));
            }
        } else if (name == "message") {
            WsdlMessage msg{attr(child, "name"), {}};
            each_descendant(child, "part", [&](const pugi::xml_node& p) {
                msg.parts.push_back({attr(p, "name"), attr(p, "type")});
            });
            m.messages.push_back(std::move(msg));
        } else if (name == "portType") {
            m.port_type_name = attr(child, "name");
            each_descendant(child, "operation", [&](const pugi::xml_node& o) {
                WsdlPortOperation op;
                op.name = attr(o, "name");
                op.documentation =
                    utf8_to_latin1(first_descendant(o, "documentation").text().get());
                op.input = attr(first_descendant(o, "input"), "message");
                op.output = attr(first_descendant(o, "output"), "message");
                m.port_operations.push_back(std::move(op));
            });
        } else if (name == "binding") {
            m.binding_name = attr(child, "name");
            m.binding_type = attr(child, "type");
            for (auto b : child.children()) {
                std::string_view bn = local(b.name());
                if (bn == "binding") {
                    m.binding_style = attr(b, "style");
                    m.binding_transport = attr(b, "transport");
                } else if (bn == "operation") {
                    WsdlBindingOperation op;
                    op.name = attr(b, "name");
                    if (auto so = first_descendant(b, "operation")) {
                        op.soap_action = attr(so, "soapAction");
                        op.style = attr(so, "style");
                    }
                    op.input = read_body(first_descendant(b, "input"));
                    op.output = read_body(first_descendant(b, "output"));
                    m.binding_operations.push_back(std::move(op));
                }
            }
        } else if (name == "service") {
            m.service_name = attr(child, "name");
            if (auto port = first_descendant(child, "port")) {
                m.port_name = attr(port, "name");
                m.port_binding = attr(port, "binding");
                m.location = attr(first_descendant(port, "address"), "location");
            }
        }
    }
    return m;
}

OperationContext SelectOperation(const WsdlModel& model, int method_index) {
    OperationContext ctx;
    ctx.method = std::string(service_method_name(method_index));
    bool port = false, message = false, binding = false, type = false;
    for (const auto& op : model.port_operations) {
        if (op.name != ctx.method || ctx.method.empty()) continue;
        ctx.input_message = op.input;
        ctx.output_message = op.output;
        port = true;
        break;
    }
    std::string in = without_prefix(ctx.input_message), out = without_prefix(ctx.output_message);
    for (const auto& msg : model.messages) {
        if (!in.empty() && msg.name == in) {
            ctx.input_parts = msg.parts;
            message = true;
        }
        if (!out.empty() && msg.name == out) {
            ctx.output_parts = msg.parts;
            message = true;
        }
    }
    for (const auto& op : model.binding_operations) {
        if (op.name == ctx.method && !ctx.method.empty()) {
            ctx.binding = op;
            binding = true;
            break;
        }
    }
    for (const auto& t : model.types) {
        if (!in.empty() && t.name == in) {
            ctx.input_type = t;
            type = true;
        }
        if (!out.empty() && t.name == out) {
            ctx.output_type = t;
            type = true;
        }
    }
    ctx.complete = port && message && binding && type;
    return ctx;
}

}  // namespace tarvex::radioref
