// The service description and the request envelope.
#include <gtest/gtest.h>

#include "core/radioref/envelope.h"
#include "core/radioref/soap_decode.h"
#include "core/radioref/wsdl.h"
#include "rr_test_support.h"

namespace tarvex::radioref {
namespace {

TEST(Wsdl, TheRealDescriptionGivesEveryOperationItsMessagesActionAndEndpoint) {
    SKIP_WITHOUT_RR();
    WsdlModel m = ParseWSDL(test::rr_file("rr-v3.wsdl"));
    EXPECT_EQ(m.target_namespace, "http://api.radioreference.com/soap2");
    EXPECT_EQ(m.xmlns_tns, "http://api.radioreference.com/soap2");
    EXPECT_EQ(m.port_operations.size(), 30u);
    EXPECT_EQ(m.binding_operations.size(), 30u);
    EXPECT_EQ(m.binding_style, "rpc");
    EXPECT_EQ(m.location, "http://api.radioreference.com/soap2/index.php");
    EXPECT_EQ(m.imports.size(), 2u);
    // Every operation of the program's table is found in full.
    for (int i = 0; i <= static_cast<int>(ServiceMethod::getUserData); ++i) {
        OperationContext ctx = SelectOperation(m, i);
        SCOPED_TRACE(ctx.method);
        EXPECT_EQ(ctx.input_message, "tns:" + ctx.method + "Request");
        EXPECT_EQ(ctx.output_message, "tns:" + ctx.method + "Response");
        EXPECT_EQ(ctx.binding.soap_action, "http://api.radioreference.com/soap2#" + ctx.method);
        EXPECT_EQ(ctx.binding.input.use, "encoded");
        // The country list is the one call without parameters, authInfo included.
        if (ctx.method == "getCountryList") continue;
        ASSERT_FALSE(ctx.input_parts.empty());
        EXPECT_EQ(ctx.input_parts.back().name, "authInfo");
    }
    OperationContext tg = SelectOperation(m, 0);
    ASSERT_EQ(tg.input_parts.size(), 5u);
    EXPECT_EQ(tg.input_parts[1].name, "tgCid");
    // An array type keeps its element type.
    const WsdlComplexType* tgs = nullptr;
    for (const auto& t : m.types)
        if (t.name == "Talkgroups") tgs = &t;
    ASSERT_NE(tgs, nullptr);
    EXPECT_EQ(tgs->restriction_base, "SOAP-ENC:Array");
    EXPECT_EQ(tgs->array_type, "tns:Talkgroup[]");
}

TEST(Wsdl, UnknownIndexesAndBrokenDocumentsGiveEmptyResults) {
    EXPECT_EQ(service_method_name(-1), "");
    EXPECT_EQ(service_method_name(29), "");
    EXPECT_EQ(service_method_name(28), "getUserData");
    EXPECT_EQ(service_method_name(15), "getCountyInfo");
    EXPECT_TRUE(ParseWSDL("not xml").empty());
    EXPECT_TRUE(ParseWSDL("<html/>").empty());
    EXPECT_FALSE(SelectOperation(WsdlModel{}, 2).complete);
}

TEST(Envelope, CarriesTypedParametersThenAuthInfoAndEscapesText) {
    std::string e = build_envelope("getTrsTalkgroupsRequest", "http://api.radioreference.com/soap2",
                                   {{"sid", "6673", "int"}, {"tone", "a<b&\"c\xE9", "string"}},
                                   AuthInfo{"us&er", "p<w", "12345678", "13"});
    SoapAnswer a = decode_soap(e);
    // Our own envelope reads back through the decoder: Body > method > parameters.
    ASSERT_EQ(a.kind, SoapAnswer::Kind::response) << a.error;
    EXPECT_EQ(a.method, "getTrsTalkgroupsRequest");
    EXPECT_EQ(a.part_name, "sid");
    EXPECT_NE(e.find("<sid xsi:type=\"xsd:int\">6673</sid>"), std::string::npos);
    EXPECT_NE(e.find("a&lt;b&amp;&quot;c\xC3\xA9"), std::string::npos);
    size_t auth = e.find("<authInfo");
    ASSERT_NE(auth, std::string::npos);
    EXPECT_GT(auth, e.find("<tone"));
    std::string order = e.substr(auth);
    EXPECT_LT(order.find("<username"), order.find("<password"));
    EXPECT_LT(order.find("<password"), order.find("<appKey"));
    EXPECT_LT(order.find("<appKey"), order.find("<version"));
    EXPECT_NE(order.find(">us&amp;er<"), std::string::npos);
    EXPECT_NE(order.find(">13</version>"), std::string::npos);
}

}  // namespace
}  // namespace tarvex::radioref
