// The decoder on every captured answer of the real service, and on the shapes it must survive.
#include "core/radioref/soap_decode.h"

#include <gtest/gtest.h>

#include "rr_test_support.h"

namespace tarvex::radioref {
namespace {

using test::answer;

struct Capture {
    const char* file;
    const char* method;
    size_t items;  // children of <return>
    bool array;
};

class RealAnswers : public ::testing::TestWithParam<Capture> {};

TEST_P(RealAnswers, DecodeToTheirMethodAndEveryItem) {
    SKIP_WITHOUT_RR();
    const Capture& c = GetParam();
    SoapAnswer a = decode_soap(test::rr_file(c.file));
    ASSERT_EQ(a.kind, SoapAnswer::Kind::response) << a.error;
    EXPECT_EQ(a.method, c.method);
    EXPECT_EQ(a.part_name, "return");
    EXPECT_FALSE(a.part_null);
    EXPECT_EQ(a.part.array, c.array);
    EXPECT_EQ(a.part.children.size(), c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Captures, RealAnswers,
    ::testing::Values(Capture{"user_data.xml", "getUserDataResponse", 2, false},
                      Capture{"trs_types.xml", "getTrsTypeResponse", 13, true},
                      Capture{"trs_flavors.xml", "getTrsFlavorResponse", 49, true},
                      Capture{"trs_voices.xml", "getTrsVoiceResponse", 28, true},
                      Capture{"county_info.xml", "getCountyInfoResponse", 12, false},
                      Capture{"zipcode_info.xml", "getZipcodeInfoResponse", 6, false},
                      Capture{"trs_details_p25.xml", "getTrsDetailsResponse", 13, false},
                      Capture{"trs_sites_p25.xml", "getTrsSitesResponse", 35, true},
                      Capture{"trs_talkgroup_cats_p25.xml", "getTrsTalkgroupCatsResponse", 64,
                              true},
                      Capture{"trs_talkgroups_p25.xml", "getTrsTalkgroupsResponse", 1793, true}),
    [](const auto& info) {
        std::string n = info.param.file;
        return n.substr(0, n.find('.'));
    });

TEST(SoapDecode, TheLoginFaultCarriesItsCodeAndTextThroughAnIsoPrologAndLineBreaks) {
    SKIP_WITHOUT_RR();
    SoapAnswer a = decode_soap(test::rr_file("fault_auth.xml"));
    ASSERT_EQ(a.kind, SoapAnswer::Kind::fault);
    EXPECT_EQ(a.fault_code, "AUTH");
    EXPECT_EQ(a.fault_string,
              "Invalid Username or Password.  Make sure you are logging in with your username "
              "and not your email address.");
}

TEST(SoapDecode, NilMissingAndEmptyMembersAllReadAsEmptyText) {
    SoapAnswer a = decode_soap(answer("getTrsSites",
                                      "<return><a xsi:nil=\"true\" xsi:type=\"xsd:string\"/><b></b>"
                                      "<c xsi:type=\"xsd:int\">7</c></return>"));
    ASSERT_EQ(a.kind, SoapAnswer::Kind::response);
    EXPECT_TRUE(a.part.child("a")->nil);
    EXPECT_EQ(a.part.str("a"), "");
    EXPECT_EQ(a.part.str("b"), "");
    EXPECT_EQ(a.part.str("missing"), "");
    EXPECT_EQ(a.part.integer("c"), 7);
    EXPECT_TRUE(a.part.items("a").empty());
}

TEST(SoapDecode, ANullReturnIsAnEmptyResultNotAnError) {
    SoapAnswer nil = decode_soap(answer("getSubcatFreqs", "<return xsi:nil=\"true\"/>"));
    EXPECT_EQ(nil.kind, SoapAnswer::Kind::response);
    EXPECT_TRUE(nil.part_null);
    SoapAnswer none = decode_soap(answer("getSubcatFreqs", ""));
    EXPECT_EQ(none.kind, SoapAnswer::Kind::response);
    EXPECT_TRUE(none.part_null);
    EXPECT_EQ(none.part_name, "");
}

TEST(SoapDecode, TextFollowsTheDocumentsOwnEncoding) {
    // "Hôpital" in Latin-1 bytes under an ISO prolog, and in UTF-8 under a UTF-8 prolog: both
    // arrive as the same single-byte text.
    std::string latin = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                        answer("getTag", "<return><n>H\xF4pital</n></return>").substr(38);
    std::string utf8 = answer("getTag", "<return><n>H\xC3\xB4pital</n></return>");
    EXPECT_EQ(decode_soap(latin).part.str("n"), "H\xF4pital");
    EXPECT_EQ(decode_soap(utf8).part.str("n"), "H\xF4pital");
    // Beyond Latin-1 there is no byte for it.
    EXPECT_EQ(decode_soap(answer("getTag", "<return><n>\xE2\x82\xAC 5</n></return>")).part.str("n"),
              "? 5");
}

TEST(SoapDecode, BrokenAnswersAreReportedNotThrown) {
    EXPECT_EQ(decode_soap("").kind, SoapAnswer::Kind::empty);
    EXPECT_EQ(decode_soap("  \r\n").kind, SoapAnswer::Kind::empty);
    for (std::string bad :
         {std::string("<html><body>502 Bad Gateway</body></html>"),
          std::string("<SOAP-ENV:Envelope><SOAP-ENV:Body>"), std::string("\x00\x01\x02garbage", 10),
          std::string("<Envelope><Body/></Envelope>")}) {
        SoapAnswer a = decode_soap(bad);
        EXPECT_EQ(a.kind, SoapAnswer::Kind::malformed) << bad;
        EXPECT_FALSE(a.error.empty());
    }
}

TEST(SoapDecode, DeepNestingIsCutAtItsBound) {
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "<x>";
    for (int i = 0; i < 5000; ++i) deep += "</x>";
    SoapAnswer a = decode_soap(answer("getTag", "<return>" + deep + "</return>"));
    ASSERT_EQ(a.kind, SoapAnswer::Kind::response);
    int depth = 0;
    for (const SoapNode* n = &a.part; !n->children.empty(); n = &n->children.front()) ++depth;
    EXPECT_LE(depth, k_max_soap_depth);
}

TEST(SoapDecode, EveryPrefixOfARealAnswerDecodesWithoutCrashing) {
    SKIP_WITHOUT_RR();
    std::string bytes = test::rr_file("trs_details_p25.xml");
    for (size_t n = 0; n < bytes.size(); n += 37) decode_soap(std::string_view(bytes).substr(0, n));
}

}  // namespace
}  // namespace tarvex::radioref
