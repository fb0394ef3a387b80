#include "core/location/geocode.h"

#include <initializer_list>
#include <pugixml.hpp>

#include "core/base/text.h"

namespace tarvex::location {

namespace {

bool url_safe(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~' || c == ',' || c == '+';
}

std::string url_escape(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == ' ')
            out += '+';
        else if (url_safe(c))
            out += ch;
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string element_text(const pugi::xml_node& node) {
    return trim(node.child_value());
}

}  // namespace

std::string geocode_query_text(const GeocodeQuery& q) {
    switch (q.kind) {
        case QueryKind::Address:
            return trim(q.street) + ",+" + trim(q.city) + ",+" + trim(q.state);
        case QueryKind::PostalCode:
        case QueryKind::Place:
            return trim(q.text);
        case QueryKind::Airport:
            return trim(q.text) + "+airport";
    }
    return {};
}

std::string geocode_url(std::string_view service, const GeocodeQuery& query, std::string_view key) {
    std::string base = trim(service);
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + "/maps/api/geocode/xml?address=" + url_escape(geocode_query_text(query)) +
           "&key=" + url_escape(key);
}

GeocodeResult parse_geocode_answer(std::string_view xml) {
    GeocodeResult r;
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size())) return r;
    pugi::xml_node root = doc.document_element();
    // The first result that carries a geometry; its postal code, if it names one.
    for (pugi::xml_node result : root.children("result")) {
        pugi::xml_node location = result.child("geometry").child("location");
        std::string lat = element_text(location.child("lat"));
        std::string lng = element_text(location.child("lng"));
        if (lat.empty() || lng.empty()) continue;
        r.has_geometry = true;
        r.latitude = replace_all(lat, ",", ".");
        r.longitude = replace_all(lng, ",", ".");
        for (pugi::xml_node component : result.children("address_component"))
            for (pugi::xml_node type : component.children("type"))
                if (element_text(type) == "postal_code" && r.postal_code.empty())
                    r.postal_code = element_text(component.child("short_name"));
        break;
    }
    return r;
}

GeocodeOutcome geocode(HttpClient& http, std::string_view service, const GeocodeQuery& query,
                       std::string_view key, int timeout_ms) {
    GeocodeOutcome out;
    HttpAnswer answer = http.get(geocode_url(service, query, key), timeout_ms);
    if (!answer.ok) {
        out.error = answer.error.empty() ? "no answer from the geocoding service" : answer.error;
        return out;
    }
    out.result = parse_geocode_answer(answer.body);
    return out;
}

std::string older_geocode_url(std::string_view service, std::string_view query,
                              std::string_view appid) {
    std::string base = trim(service);
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + "/geocode?q=" + url_escape(trim(query)) +
           "&country=US&appid=" + url_escape(appid);
}

namespace {

// The text of the first element, in document order, whose name is one of `names`.
std::string first_text(const pugi::xml_document& doc,
                       std::initializer_list<std::string_view> names) {
    pugi::xml_node found = doc.find_node([&](const pugi::xml_node& n) {
        if (n.type() != pugi::node_element) return false;
        for (std::string_view name : names)
            if (name == n.name()) return true;
        return false;
    });
    return found ? element_text(found) : std::string();
}

}  // namespace

GeocodeResult parse_older_geocode_answer(std::string_view xml) {
    GeocodeResult r;
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size())) return r;
    std::string lat = first_text(doc, {"Latitude", "latitude"});
    std::string lon = first_text(doc, {"Longitude", "longitude"});
    if (lat.empty() || lon.empty()) return r;
    r.has_geometry = true;
    r.latitude = replace_all(lat, ",", ".");
    r.longitude = replace_all(lon, ",", ".");
    r.postal_code = first_text(doc, {"Zip", "postal"});
    return r;
}

GeocodeOutcome older_geocode(HttpClient& http, std::string_view service, std::string_view query,
                             std::string_view appid, int timeout_ms) {
    GeocodeOutcome out;
    HttpAnswer answer = http.get(older_geocode_url(service, query, appid), timeout_ms);
    if (!answer.ok) {
        out.error = answer.error.empty() ? "no answer from the geocoding service" : answer.error;
        return out;
    }
    out.result = parse_older_geocode_answer(answer.body);
    return out;
}

}  // namespace tarvex::location
