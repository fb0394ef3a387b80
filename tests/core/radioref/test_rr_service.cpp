// The lists the service calls fill, read from the real service's answers.
#include <gtest/gtest.h>

#include <tuple>

#include "core/radioref/rr_codes.h"
#include "core/radioref/rr_service.h"
#include "rr_test_support.h"

namespace tarvex::radioref {
namespace {

SoapNode part_of(const std::string& file) {
    return decode_soap(test::rr_file(file)).part;
}

TEST(RealLists, LoginAndLookupLists) {
    SKIP_WITHOUT_RR();
    EXPECT_EQ(read_user_data(part_of("user_data.xml")).subExpireDate, "11-24-2026");
    auto types = read_id_names(part_of("trs_types.xml"), "sType", "sTypeDescr");
    ASSERT_EQ(types.size(), 13u);
    EXPECT_EQ(lookup_name(types, 8), "Project 25");
    EXPECT_EQ(lookup_name(types, 777), "Unknown");
    auto flavors = read_flavors(part_of("trs_flavors.xml"), "sFlavor", "sFlavorDescr");
    EXPECT_EQ(flavors.size(), 49u);
    auto voices = read_flavors(part_of("trs_voices.xml"), "sVoice", "sVoiceDescr");
    EXPECT_EQ(voices.size(), 28u);
}

TEST(RealLists, CountyAndZipInfo) {
    SKIP_WITHOUT_RR();
    CountyInfo c = read_county_info(part_of("county_info.xml"));
    EXPECT_EQ(c.ctid, 841);
    EXPECT_EQ(c.countyName, "Linn");
    EXPECT_EQ(c.stid, 19);
    EXPECT_EQ(c.lat, "42.077");
    EXPECT_EQ(c.cats.size(), 5u);
    ASSERT_FALSE(c.cats.front().subcats.empty());
    EXPECT_EQ(c.cats.front().subcats.front().scid, 24967);
    EXPECT_EQ(c.systems.size(), 24u);
    EXPECT_EQ(c.agencies.size(), 9u);
    ZipInfo z = read_zip_info(part_of("zipcode_info.xml"));
    EXPECT_EQ(z.zipCode, 52401);
    EXPECT_EQ(z.ctid, 841);
    EXPECT_EQ(z.city, "Cedar Rapids");
}

TEST(RealLists, AProject25SystemWithSitesCategoriesAndTalkgroups) {
    SKIP_WITHOUT_RR();
    TrsDetails d = read_trs_details(part_of("trs_details_p25.xml"));
    EXPECT_EQ(d.sName, "SARA Network");
    EXPECT_EQ(d.sType, 8);
    EXPECT_EQ(d.sFlavor, 33);
    EXPECT_EQ(d.counties.size(), 23u);
    EXPECT_EQ(d.states, (std::vector<int>{19, 17, 46}));
    auto sites = read_trs_sites(part_of("trs_sites_p25.xml"));
    ASSERT_EQ(sites.size(), 35u);
    EXPECT_EQ(sites[0].siteNumber, 1);
    EXPECT_EQ(sites[0].siteDescr, "Johnson Co Simulcast");
    EXPECT_EQ(sites[0].siteCtid, "836");
    EXPECT_EQ(sites[0].freqs.size(), 11u);
    EXPECT_EQ(sites[0].freqs[0].freq, "851.05");
    EXPECT_EQ(sites[0].freqs[0].use, "d");
    size_t freqs = 0;
    for (const auto& s : sites) freqs += s.freqs.size();
    EXPECT_EQ(freqs, 181u);
    auto cats = read_tg_categories(part_of("trs_talkgroup_cats_p25.xml"));
    EXPECT_EQ(cats.size(), 64u);
    EXPECT_EQ(cats[0].tgCname, "University of Iowa");
    auto tgs = read_talkgroups(part_of("trs_talkgroups_p25.xml"));
    ASSERT_EQ(tgs.size(), 1793u);
    EXPECT_EQ(tgs[0].tgDec, "52031");
    EXPECT_EQ(tgs[0].tgAlpha, "52 FIRE MUT AID+");
    EXPECT_EQ(tgs[0].tags, (std::vector<int>{11}));
    EXPECT_EQ(tgs[0].tgMode, "D");
    // Every talkgroup belongs to one of the system's categories.
    for (const auto& t : tgs) {
        bool found = false;
        for (const auto& c : cats) found = found || c.tgCid == t.tgCid;
        ASSERT_TRUE(found) << t.tgDec;
    }
}

TEST(Lists, MarkedTextsTurnCommasIntoSemicolonsAndNullsGetTheirStandIns) {
    SoapAnswer a = decode_soap(test::answer(
        "getTrsTalkgroups",
        "<return><item><tgDec>100</tgDec><tgDescr>Fire, EMS</tgDescr><tgAlpha>A,B</tgAlpha>"
        "<tgSubfleet xsi:nil=\"true\"/></item></return>"));
    auto tgs = read_talkgroups(a.part);
    ASSERT_EQ(tgs.size(), 1u);
    EXPECT_EQ(tgs[0].tgDescr, "Fire; EMS");
    EXPECT_EQ(tgs[0].tgAlpha, "A;B");
    auto cats = read_tg_categories(
        decode_soap(test::answer("x",
                                 "<return><item><tgCid>5</tgCid><tgCname/></item>"
                                 "<item><tgCid>6</tgCid></item></return>"))
            .part);
    ASSERT_EQ(cats.size(), 2u);
    EXPECT_EQ(cats[0].tgCname, "All");
    EXPECT_EQ(cats[1].tgCname, "All");
    auto sites = read_trs_sites(
        decode_soap(test::answer("x",
                                 "<return><item><siteCtid xsi:nil=\"true\"/>"
                                 "<bandplan><item><base>851.025</base></item></bandplan>"
                                 "</item><item/></return>"))
            .part);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0].siteCtid, "Null");
    EXPECT_EQ(sites[1].siteCtid, "Null");
    ASSERT_EQ(sites[0].bandplan.size(), 1u);
    EXPECT_EQ(sites[0].bandplan[0].offset, "0");
    AgencyInfo ag = read_agency_info(
        decode_soap(test::answer("x",
                                 "<return><agencyName>A, B</agencyName><cats><item>"
                                 "<subcats><item><scName>C, D</scName></item></subcats>"
                                 "</item></cats></return>"))
            .part);
    EXPECT_EQ(ag.agencyName, "A; B");
    EXPECT_EQ(ag.cats.at(0).subcats.at(0).scName, "C; D");
}

TEST(Lists, AFrequencyAndASearchRowReadTheSameRecordOnlyTheFrequencyTurnsCommas) {
    const std::string item =
        "<item><fid>7</fid><sort>2</sort><out>155.475</out><in>156.0</in><callsign>KA1</callsign>"
        "<descr>Fire, EMS</descr><alpha>F,E</alpha><tone>100.0 PL</tone><mode>FM</mode>"
        "<class>B</class><lastUpdated>2020-01-01</lastUpdated><colorCode>3</colorCode>"
        "<slot>1</slot><scid>9001</scid><sid>101</sid><aid>77</aid><ctid>900</ctid>"
        "<tags><item><tagId>3</tagId></item></tags></item>";
    SoapNode part = decode_soap(test::answer("x", "<return>" + item + "</return>")).part;
    auto f = read_frequencies(part).at(0);
    auto r = read_search_rows(part).at(0);
    EXPECT_EQ(f.descr, "Fire; EMS");
    EXPECT_EQ(f.alpha, "F;E");
    EXPECT_EQ(r.descr, "Fire, EMS");
    EXPECT_EQ(r.alpha, "F,E");
    for (const auto& [a, b] :
         std::vector<std::pair<std::string, std::string>>{{f.out, r.out},
                                                          {f.in, r.in},
                                                          {f.callsign, r.callsign},
                                                          {f.tone, r.tone},
                                                          {f.mode, r.mode},
                                                          {f.klass, r.klass},
                                                          {f.lastUpdated, r.lastUpdated}})
        EXPECT_EQ(a, b);
    EXPECT_EQ(f.out, "155.475");
    EXPECT_EQ(f.klass, "B");
    EXPECT_EQ(f.tags, std::vector<int>{3});
    EXPECT_EQ(r.tags, std::vector<int>{3});
    EXPECT_EQ(std::tie(f.fid, f.sort, f.colorCode, f.slot), std::make_tuple(7, 2, "3", "1"));
    EXPECT_EQ(std::tie(r.fid, r.sort, r.scid, r.sid, r.aid, r.ctid),
              std::make_tuple(7, 2, 9001, 101, 77, 900));
}

TEST(Codes, ServiceTagsModesTrunkTypesAndStates) {
    EXPECT_EQ(ServiceTagName(1), "Multi-Dispatch");
    EXPECT_EQ(ServiceTagName(37), "Corrections");
    EXPECT_EQ(ServiceTagName(208), "Custom 1");
    EXPECT_EQ(ServiceTagName(215), "Custom 8");
    EXPECT_EQ(ServiceTagName(217), "Racing Teams");
    for (int n : {0, 5, 10, 18, 19, 27, 28, 35, 36, 38, 100, 207, 218})
        EXPECT_EQ(ServiceTagName(n), "") << n;
    // The alphabetical list holds exactly the named tags.
    const auto& sorted = service_tag_names_sorted();
    EXPECT_EQ(sorted.size(), 39u);
    EXPECT_EQ(service_tag_numbers().size(), 39u);
    for (auto name : sorted) EXPECT_NE(service_tag_number(name), 0) << name;
    EXPECT_EQ(ModeName(4), "FMN");
    EXPECT_EQ(ModeName(5), "");
    EXPECT_EQ(TrunkTypeName(0), "Motorola");
    EXPECT_EQ(TrunkTypeName(8), "Project 25");
    EXPECT_EQ(TrunkTypeName(91), "Unknown");
    EXPECT_EQ(TrunkTypeName(13), "");
    const auto& states = us_states();
    for (size_t i = 1; i < states.size(); ++i) EXPECT_LT(states[i - 1].name, states[i].name);
    int dc = 0;
    for (const auto& s : states)
        if (s.code == "DC" || s.code == "PR" || s.code == "VI") dc += std::stoi(std::string(s.id));
    EXPECT_EQ(dc, 11 + 57 + 181);
}

}  // namespace
}  // namespace tarvex::radioref
