#pragma once
// The service calls the program makes and the lists their answers fill. Each list has a reader
// from decoded nodes (tested on captured answers) and a call that sends the request.
//
// Numbers the program only shows or passes on are kept as the service's text; texts that will
// travel inside comma-separated record lines have their commas turned into ";" where marked.
#include <optional>
#include <string>
#include <vector>

#include "core/radioref/soap_client.h"

namespace tarvex::radioref {

struct UserData {
    std::string username, subExpireDate;
};
struct IdName {
    int id = 0;
    std::string name;
};
struct TrsFlavor {
    int sType = 0, sFlavor = 0;
    std::string descr;
};
struct Subcat {
    int scid = 0;
    std::string scName, lat, lon, range;
};
struct Category {
    int cid = 0;
    std::string cName;
    std::vector<Subcat> subcats;
};
struct TrsEntry {
    int sid = 0;
    std::string sName;
    int sType = 0, sFlavor = 0, sVoice = 0;
    std::string sCity, lastUpdated;
};
struct Agency {
    int aid = 0;
    std::string aName;
    int aType = 0;
};
struct County {
    int ctid = 0;
    std::string countyName, countyHeader;
};
struct StateEntry {
    int stid = 0;
    std::string stateCode, stateName;
};
struct CountryInfo {
    std::vector<StateEntry> states;
    std::vector<Agency> agencies;
};
struct StateInfo {
    int stid = 0;
    std::string stateName, stateEntityType;
    std::vector<TrsEntry> systems;
    std::vector<Agency> agencies;
    std::vector<County> counties;
};
struct CountyInfo {
    int ctid = 0, stid = 0;
    std::string countyName, countyHeader, lat, lon, range, lastUpdated;
    std::vector<Category> cats;
    std::vector<TrsEntry> systems;
    std::vector<Agency> agencies;
};
struct AgencyInfo {
    int aid = 0, ctid = 0, stid = 0;
    std::string agencyName, agencyType, lat, lon, range, lastUpdated;
    std::vector<Category> cats;
};
struct ZipInfo {
    int zipCode = 0, stid = 0, ctid = 0;
    std::string lat, lon, city;
};
struct Bandplan {
    std::string base, offset, spacing;
};
struct TrsDetails {
    std::string sName;
    int sType = 0, sFlavor = 0, sVoice = 0;
    std::string sCity, sCountry, lat, lon, range, lastUpdated;
    std::vector<int> counties, states;
    std::vector<Bandplan> bandplan;
};
struct SiteFreq {
    int lcn = 0;
    std::string freq, use, colorCode, ch_id;
};
struct TrsSite {
    int siteId = 0, sid = 0, siteNumber = 0;
    std::string siteDescr, siteLocation, siteCtid, siteCt, siteModulation, lat, lon, range;
    int rebanded = 0, splinter = 0;
    std::vector<Bandplan> bandplan;
    std::vector<SiteFreq> freqs;
};
struct TgCategory {
    int tgCid = 0, sid = 0, tgSort = 0;
    std::string tgCname, lat, lon, range, lastUpdated;
};
struct Talkgroup {
    int tgId = 0;
    std::string tgDec;  // decimal talkgroup as the service sends it
    std::string tgSubfleet, tgDescr, tgAlpha, tgMode, tgSlot, tgDate;
    bool tgLtr = false;
    std::vector<int> tags;
    int tgCid = 0, tgSort = 0;
};
struct Frequency {
    int fid = 0, sort = 0;
    std::string out, in, callsign, descr, alpha, tone, mode, klass, colorCode, slot, lastUpdated;
    std::vector<int> tags;
};
struct SearchRow {
    std::string out, in, callsign, descr, alpha, tone, mode, klass, lastUpdated;
    std::vector<int> tags;
    int scid = 0, sid = 0, aid = 0, ctid = 0, fid = 0, sort = 0;
};
// The lookup lists loaded after login.
struct LookupLists {
    std::vector<IdName> tags, modes, trunk_types, metros;
    std::vector<TrsFlavor> flavors, voices;
};

// ---- readers of decoded answers (the first part of the answer) ----
UserData read_user_data(const SoapNode& part);
std::vector<IdName> read_id_names(const SoapNode& part, std::string_view id, std::string_view name);
std::vector<TrsFlavor> read_flavors(const SoapNode& part, std::string_view id_name,
                                    std::string_view descr_name);
CountryInfo read_country_info(const SoapNode& part);
StateInfo read_state_info(const SoapNode& part);
CountyInfo read_county_info(const SoapNode& part);
AgencyInfo read_agency_info(const SoapNode& part);
ZipInfo read_zip_info(const SoapNode& part);
TrsDetails read_trs_details(const SoapNode& part);
std::vector<TrsSite> read_trs_sites(const SoapNode& part);
std::vector<TgCategory> read_tg_categories(const SoapNode& part);
std::vector<Talkgroup> read_talkgroups(const SoapNode& part);
std::vector<Frequency> read_frequencies(const SoapNode& part);
std::vector<SearchRow> read_search_rows(const SoapNode& part);

// ---- the calls; nullopt when the call failed (its message was told) ----
std::optional<UserData> getUserData(SoapConnection& c);
std::optional<LookupLists> load_lookup_lists(SoapConnection& c);
std::optional<CountryInfo> getCountryInfo(SoapConnection& c, int coid);
std::optional<StateInfo> getStateInfo(SoapConnection& c, int stid);
std::optional<CountyInfo> getCountyInfo(SoapConnection& c, int ctid, bool namespace_slash = false);
std::optional<AgencyInfo> getAgencyInfo(SoapConnection& c, int aid);
std::optional<ZipInfo> getZipcodeInfo(SoapConnection& c, int zipcode);
std::optional<std::vector<TrsSite>> getTrsSites(SoapConnection& c, int sid);
std::optional<TrsDetails> getTrsDetails(SoapConnection& c, int sid);
std::optional<std::vector<TgCategory>> getTrsTalkgroupCats(SoapConnection& c, int sid);
std::optional<std::vector<Talkgroup>> getTrsTalkgroups(SoapConnection& c, int sid, int tgCid);
std::optional<std::vector<Frequency>> getSubcatFreqs(SoapConnection& c, int scid);
std::optional<std::vector<SearchRow>> searchCountyFreq(SoapConnection& c, int ctid,
                                                       const std::string& freq,
                                                       const std::string& tone);
std::optional<std::vector<SearchRow>> searchStateFreq(SoapConnection& c, int stid,
                                                      const std::string& freq,
                                                      const std::string& tone);
std::optional<std::vector<SearchRow>> getCountyFreqsByTag(SoapConnection& c, int ctid, int tag);

// Name lookups over the lookup lists: "Unknown" for a number that is not listed.
std::string lookup_name(const std::vector<IdName>& list, int id);

}  // namespace tarvex::radioref
