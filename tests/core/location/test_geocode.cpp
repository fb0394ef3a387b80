#include "core/location/geocode.h"

#include <gtest/gtest.h>

using namespace tarvex::location;

namespace {

std::string answer(const std::string& inner) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GeocodeResponse><status>OK</status>" +
           inner + "</GeocodeResponse>";
}

const std::string k_full = answer(
    "<result><address_component><short_name>NJ</short_name><type>administrative_area_level_1"
    "</type></address_component><address_component><long_name>07712</long_name>"
    "<short_name>07712</short_name><type>postal_code</type></address_component>"
    "<geometry><location><lat>40.2096000</lat><lng>-74.0100000</lng></location>"
    "<viewport><southwest><lat>1</lat><lng>2</lng></southwest></viewport></geometry></result>"
    "<result><geometry><location><lat>9</lat><lng>9</lng></location></geometry></result>");

class FakeHttp : public HttpClient {
  public:
    HttpAnswer reply;
    std::string asked;
    HttpAnswer get(const std::string& url, int) override {
        asked = url;
        return reply;
    }
};

}  // namespace

TEST(GeocodeRequest, QueryTextAndAddressForEachKindOfQuery) {
    GeocodeQuery q;
    q.street = "1 Main St";
    q.city = "Asbury Park";
    q.state = "NJ";
    EXPECT_EQ(geocode_query_text(q), "1 Main St,+Asbury Park,+NJ");
    EXPECT_EQ(geocode_url("http://127.0.0.1:8080/", q, "KEY"),
              "http://127.0.0.1:8080/maps/api/geocode/xml?address=1+Main+St,+Asbury+Park,+NJ"
              "&key=KEY");
    q.kind = QueryKind::Airport;
    q.text = "AMS";
    EXPECT_EQ(geocode_query_text(q), "AMS+airport");
    q.kind = QueryKind::PostalCode;
    q.text = " 07712 ";
    // an empty key is still sent
    EXPECT_EQ(geocode_url("http://h", q, ""), "http://h/maps/api/geocode/xml?address=07712&key=");
    q.kind = QueryKind::Place;
    q.text = "Café & Bar #1";
    EXPECT_EQ(geocode_url("http://h", q, "a&b"),
              "http://h/maps/api/geocode/xml?address=Caf%C3%A9+%26+Bar+%231&key=a%26b");
}

TEST(GeocodeAnswer, TheFirstResultsGeometryAndPostalCode) {
    GeocodeResult r = parse_geocode_answer(k_full);
    ASSERT_TRUE(r.has_geometry);
    EXPECT_EQ(r.latitude, "40.2096000");
    EXPECT_EQ(r.longitude, "-74.0100000");
    EXPECT_EQ(r.postal_code, "07712");
}

TEST(GeocodeAnswer, BrokenOrIncompleteAnswersYieldNothing) {
    for (const std::string& bad :
         {std::string(), std::string("<html>Service unavailable"),
          answer("<result><geometry><location><lat>40.1</lat><lng>-74"),  // cut off
          answer("<status>ZERO_RESULTS</status>"),
          answer("<result><address_component><short_name>07712</short_name><type>postal_code"
                 "</type></address_component></result>"),  // no geometry
          answer("<result><geometry><location><lat>40.1</lat></location></geometry></result>")}) {
        GeocodeResult r = parse_geocode_answer(bad);
        EXPECT_FALSE(r.has_geometry) << bad;
        EXPECT_TRUE(r.latitude.empty() && r.longitude.empty()) << bad;
    }
    // geometry without a postal code: the position, no postal code
    GeocodeResult r = parse_geocode_answer(
        answer("<result><geometry><location><lat>1.5</lat><lng>2.5</lng></location></geometry>"
               "</result>"));
    EXPECT_TRUE(r.has_geometry);
    EXPECT_EQ(r.postal_code, "");
}

TEST(GeocodeAnswer, TransferFailuresAreReportedNotParsed) {
    FakeHttp http;
    GeocodeQuery q;
    q.kind = QueryKind::Place;
    q.text = "Grand Canyon";
    http.reply = {false, 0, "", "Operation timed out"};
    GeocodeOutcome out = geocode(http, "http://stub", q, "k");
    EXPECT_EQ(out.error, "Operation timed out");
    EXPECT_FALSE(out.result.has_geometry);
    EXPECT_EQ(http.asked, "http://stub/maps/api/geocode/xml?address=Grand+Canyon&key=k");

    http.reply = {true, 200, k_full, ""};
    out = geocode(http, "http://stub", q, "k");
    EXPECT_TRUE(out.error.empty());
    EXPECT_EQ(out.result.latitude, "40.2096000");
}

// ---- "Find GPS data": the older service ----

TEST(OlderGeocode, RequestAndTheElementsOfEitherSpelling) {
    FakeHttp http;
    http.reply.ok = true;
    http.reply.status = 200;
    http.reply.body =
        "<?xml version=\"1.0\"?><ResultSet><Result precision=\"address\"><Latitude>40.2096"
        "</Latitude><Longitude>-74.01</Longitude><Address>1 Main St</Address><Zip>07712</Zip>"
        "</Result></ResultSet>";
    GeocodeOutcome out = older_geocode(http, "http://h/", " 1 Main St, Asbury Park ", "ID&1");
    EXPECT_EQ(http.asked, "http://h/geocode?q=1+Main+St,+Asbury+Park&country=US&appid=ID%261");
    ASSERT_TRUE(out.result.has_geometry);
    EXPECT_EQ(out.result.latitude, "40.2096");
    EXPECT_EQ(out.result.longitude, "-74.01");
    EXPECT_EQ(out.result.postal_code, "07712");

    GeocodeResult lower = parse_older_geocode_answer(
        "<r><place><latitude>51,5</latitude><longitude>-0,12</longitude><postal>SW1</postal>"
        "</place></r>");
    ASSERT_TRUE(lower.has_geometry);
    EXPECT_EQ(lower.latitude, "51.5");
    EXPECT_EQ(lower.longitude, "-0.12");
    EXPECT_EQ(lower.postal_code, "SW1");
}

TEST(OlderGeocode, AnAnswerWithoutBothCoordinatesOrBrokenGivesNothing) {
    for (const char* body :
         {"<ResultSet><Result><Latitude>40.2</Latitude></Result></ResultSet>",
          "<ResultSet><Result><Latitude>40.2</Latitude><Longitude>-74", "", "not xml at all"}) {
        GeocodeResult r = parse_older_geocode_answer(body);
        EXPECT_FALSE(r.has_geometry) << body;
        EXPECT_TRUE(r.latitude.empty()) << body;
    }
    FakeHttp http;
    http.reply.ok = false;
    http.reply.error = "Operation timed out";
    GeocodeOutcome out = older_geocode(http, "http://h", "x", "");
    EXPECT_EQ(out.error, "Operation timed out");
    EXPECT_FALSE(out.result.has_geometry);
}
