#pragma once
// The geocoding lookup: an address, postal code, place or airport to coordinates through a web
// service that answers in the Google-style XML shape (GeocodeResponse / result / geometry /
// location / lat, lng; address_component with type postal_code). The service address and key
// are settings, so any service answering the same elements can take its place.
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::location {

// A plain HTTP GET of a whole document: the app's is Qt Network, the tests' a fake or a
// stand-in server on loopback.
struct HttpAnswer {
    bool ok = false;    // a complete answer arrived (any status)
    int status = 0;     // HTTP status
    std::string body;   // the document
    std::string error;  // why not, when !ok ("Operation timed out", ...)
};
class HttpClient {
  public:
    virtual ~HttpClient() = default;
    virtual HttpAnswer get(const std::string& url, int timeout_ms) = 0;
};

enum class QueryKind { Address, PostalCode, Place, Airport };

struct GeocodeQuery {
    QueryKind kind = QueryKind::Address;
    std::string street, city, state;  // Address
    std::string text;                 // PostalCode, Place, Airport
};

// Defaults of the lookup window's place and airport boxes.
inline constexpr std::string_view k_default_place = "Grand Canyon";
inline constexpr std::string_view k_default_airport = "AMS";
inline constexpr int k_geocode_timeout_ms = 20000;

// The query text: street + ",+" + city + ",+" + state; the postal code; the place name; the
// airport code + "+airport".
std::string geocode_query_text(const GeocodeQuery& query);
// service + "/maps/api/geocode/xml?address=" + the query (blanks as "+", other unsafe bytes
// %-escaped) + "&key=" + key. An empty key is still sent.
std::string geocode_url(std::string_view service, const GeocodeQuery& query, std::string_view key);

struct GeocodeResult {
    bool has_geometry = false;  // lat and lng of the first result's geometry were found
    std::string latitude, longitude;
    std::string postal_code;  // "" when the answer names none
};
// Parses the answer with an XML parser. A malformed document, or one without the geometry,
// gives has_geometry false and nothing else, so the caller leaves its fields unchanged.
GeocodeResult parse_geocode_answer(std::string_view xml);

struct GeocodeOutcome {
    GeocodeResult result;
    std::string error;  // the transfer's failure, "" when an answer arrived
};
GeocodeOutcome geocode(HttpClient& http, std::string_view service, const GeocodeQuery& query,
                       std::string_view key, int timeout_ms = k_geocode_timeout_ms);

// "Find GPS data" of the location dialog: the older, Yahoo-style service that takes one free
// query. Its request is service + "/geocode?q=" + the query + "&country=US&appid=" + appid;
// its answer names the position in "Latitude"/"latitude" and "Longitude"/"longitude" elements
// and the postal code in "Zip"/"postal", anywhere in the document. A malformed answer, or one
// without both coordinates, gives has_geometry false.
std::string older_geocode_url(std::string_view service, std::string_view query,
                              std::string_view appid);
GeocodeResult parse_older_geocode_answer(std::string_view xml);
GeocodeOutcome older_geocode(HttpClient& http, std::string_view service, std::string_view query,
                             std::string_view appid, int timeout_ms = k_geocode_timeout_ms);

}  // namespace tarvex::location
