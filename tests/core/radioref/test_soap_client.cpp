// The client's conduct on the wire: WSDL fetch and cache, the call pattern, and every way the
// service or the network can fail.
#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/radioref/rr_service.h"
#include "core/radioref/rr_settings.h"
#include "core/radioref/soap_client.h"
#include "core/settings/settings.h"
#include "rr_test_support.h"

namespace tarvex::radioref {
namespace {

using test::answer;

// A WSDL with just the operations these tests call.
std::string small_wsdl() {
    std::string ops, msgs, binds;
    for (std::string op : {"getUserData", "getTrsDetails", "getCountyInfo"}) {
        msgs += "<message name=\"" + op +
                "Request\"><part name=\"id\" type=\"xsd:int\"/>"
                "<part name=\"authInfo\" type=\"tns:authInfo\"/></message><message name=\"" +
                op + "Response\"><part name=\"return\" type=\"tns:X\"/></message>";
        ops += "<operation name=\"" + op + "\"><input message=\"tns:" + op +
               "Request\"/><output message=\"tns:" + op + "Response\"/></operation>";
        binds += "<operation name=\"" + op + "\"><soap:operation soapAction=\"urn:rr#" + op +
                 "\" style=\"rpc\"/></operation>";
    }
    return "<?xml version=\"1.0\"?><definitions xmlns:soap=\"s\" targetNamespace=\"urn:rr\">"
           "<types><xsd:schema xmlns:xsd=\"x\"><xsd:complexType name=\"X\"/></xsd:schema>"
           "</types>" +
           msgs + "<portType name=\"P\">" + ops + "</portType><binding name=\"B\">" + binds +
           "</binding><service name=\"S\"><port name=\"p\"><soap:address location=\"l\"/>"
           "</port></service></definitions>";
}

struct Fixture : ::testing::Test {
    test::ScriptedHttp http;
    RecordingPrompter prompter;
    SoapConnection conn{http, prompter};
    tarvex::test::TempDir dir;
    std::vector<std::string> trace;
    void SetUp() override {
        conn.base_url = "http://127.0.0.1:9/soap2/";
        conn.soap_folder = dir.path() / "soap";
        conn.trace.echo = &trace;
    }
    void init() {
        http.ok(small_wsdl());
        ASSERT_TRUE(conn.InitSoap());
    }
};

TEST_F(Fixture, InitFetchesTheVersionedWsdlAndLeavesACacheCopy) {
    init();
    EXPECT_EQ(http.urls.at(0), "http://127.0.0.1:9/soap2/?wsdl&v=13");
    EXPECT_EQ(tarvex::test::read_file(conn.wsdl_file()), small_wsdl() + "\r\n");
    EXPECT_EQ(conn.model.port_operations.size(), 3u);
    EXPECT_TRUE(prompter.told.empty());
}

TEST_F(Fixture, AnUnreachableOrNonsenseWsdlIsToldAndLeavesTheConnectionUninitialised) {
    EXPECT_FALSE(conn.InitSoap());
    http.timeout();
    EXPECT_FALSE(conn.InitSoap());
    http.ok("<html>maintenance</html>", 503);
    EXPECT_FALSE(conn.InitSoap());
    EXPECT_EQ(prompter.told,
              (std::vector<std::string>{"Error, can't load WSDL site, check firewall settings",
                                        "Unexpected HTTP TimeOut",
                                        "Error, can't load WSDL site, check firewall settings",
                                        "Error, can't load WSDL site, check firewall settings"}));
}

TEST_F(Fixture, ACallPostsToIndexPhpWithTheBindingsActionAndTheInputMessageElement) {
    init();
    http.ok(answer("getTrsDetails", "<return><sName>X</sName><sType>2</sType></return>"));
    auto d = getTrsDetails(conn, 42);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->sName, "X");
    EXPECT_EQ(http.urls.back(), "http://127.0.0.1:9/soap2/index.php");
    EXPECT_EQ(http.actions.back(), "urn:rr#getTrsDetails");
    EXPECT_NE(http.bodies.back().find("<ns1:getTrsDetailsRequest xmlns:ns1=\"urn:rr\">"),
              std::string::npos);
    // The county lookups of the search send the namespace with a trailing slash.
    http.ok(answer("getCountyInfo", "<return><countyName>Linn</countyName></return>"));
    auto c = getCountyInfo(conn, 841, true);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->countyName, "Linn");
    EXPECT_NE(http.bodies.back().find("xmlns:ns1=\"urn:rr/\""), std::string::npos);
}

TEST_F(Fixture, EveryFailureIsToldOnceAndYieldsNothing) {
    init();
    SKIP_WITHOUT_RR();
    http.ok(test::rr_file("fault_auth.xml"), 500);
    http.ok("", 500);
    http.timeout();
    http.ok("<html>oops</html>", 502);
    http.ok(answer("getTrsSites", "<return/>"));  // another operation's answer
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(getUserData(conn)) << i;
    ASSERT_EQ(prompter.told.size(), 5u);
    EXPECT_EQ(prompter.told[0].substr(0, 30), "Invalid Username or Password. ");
    EXPECT_EQ(prompter.told[1],
              "The RadioReference service answered getUserData with HTTP 500 and no data.");
    EXPECT_EQ(prompter.told[2], "No answer from the RadioReference service within 60 seconds.");
    EXPECT_EQ(prompter.told[3].substr(0, 35), "Unreadable answer from the RadioRef");
    EXPECT_EQ(prompter.told[4], "Unexpected Return:getTrsSitesResponse - getUserData");
}

TEST_F(Fixture, ACancelledCallYieldsNothingAndTellsNothing) {
    init();
    http.cancelled();
    CallResult r = conn.call(ServiceMethod::getUserData, {});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(prompter.told.empty());
    http.cancelled();
    EXPECT_FALSE(getTrsDetails(conn, 1));
    EXPECT_TRUE(prompter.told.empty());
}

TEST(Transfer, TheProgressLabelCountsWholeKilobytesRoundedUp) {
    struct Case {
        long long received, total;
        const char* text;
    };
    for (const Case& c :
         {Case{0, -1, "Received 0 kB"}, Case{1, -1, "Received 1 kB"},
          Case{1024, 0, "Received 1 kB"}, Case{1025, 1363148, "Received 2 of 1332 kB"},
          Case{1363148, 1363148, "Received 1332 of 1332 kB"}})
        EXPECT_EQ(received_text(c.received, c.total), c.text) << c.received;
}

TEST_F(Fixture, ANullAnswerIsAnEmptyResultWithoutAMessage) {
    init();
    http.ok(answer("getUserData", "<return xsi:nil=\"true\"/>"));
    auto u = getUserData(conn);
    ASSERT_TRUE(u);
    EXPECT_EQ(u->subExpireDate, "");
    EXPECT_TRUE(prompter.told.empty());
}

TEST_F(Fixture, TheTraceFileIsWrittenOnlyWhileSwitchedOnAndHoldsThePassword) {
    conn.trace.file = dir.path() / "soaplog.txt";
    init();
    EXPECT_FALSE(std::filesystem::exists(conn.trace.file));
    conn.trace.enabled = true;
    conn.password = "secret";
    conn.trace.SoapLog("Login user " + conn.password);
    EXPECT_NE(tarvex::test::read_file(conn.trace.file).find("Login user secret"),
              std::string::npos);
    conn.trace.delete_file(prompter);
    EXPECT_FALSE(std::filesystem::exists(conn.trace.file));
    EXPECT_EQ(prompter.told.back(), "Log file deleted.");
    EXPECT_EQ(trace.front(), "INITSOAP");
}

TEST(AppKey, AnEmptySettingSendsTheProgramsKeyAndAnotherFormIsRefusedByName) {
    EXPECT_EQ(app_key_from("").key, std::to_string(k_program_app_key));
    EXPECT_EQ(app_key_from("  ").error, "");
    EXPECT_EQ(std::to_string(k_program_app_key).size(), 8u);
    EXPECT_EQ(app_key_from("87654321").key, "87654321");
    EXPECT_EQ(app_key_from(" 00000042").key, "00000042");
    for (const char* bad : {"1234567", "123456789", "1234567a", "12 45678"}) {
        AppKey k = app_key_from(bad);
        EXPECT_EQ(k.key, "") << bad;
        EXPECT_EQ(k.error, std::string("The RadioReference application key must be 8 decimal "
                                       "digits (setting rr_app_key is \"") +
                               bad + "\").")
            << bad;
    }
    MemorySettingsBackend main, import;
    Settings settings{main, import};
    EXPECT_EQ(stored_app_key(settings).key, std::to_string(k_program_app_key));
    settings.SaveImportSetting(k_key_app_key, "11112222");
    EXPECT_EQ(stored_app_key(settings).key, "11112222");
}

}  // namespace
}  // namespace tarvex::radioref
