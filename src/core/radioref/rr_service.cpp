#include "core/radioref/rr_service.h"

#include "core/base/text.h"
#include "core/model/record_line.h"

namespace tarvex::radioref {

namespace {

int to_int(const SoapNode& n, std::string_view name) {
    return static_cast<int>(n.integer(name));
}

// A list answer is an array of items; a single compound answer is read as a list of one.
const std::vector<SoapNode>& items_of(const SoapNode& part) {
    return part.children;
}

std::vector<Subcat> read_subcats(const SoapNode& cat, bool semicolons) {
    std::vector<Subcat> out;
    for (const auto& s : cat.items("subcats")) {
        std::string name = s.str("scName");
        out.push_back({to_int(s, "scid"), semicolons ? comma_to_semicolon(name) : name,
                       s.str("lat"), s.str("lon"), s.str("range")});
    }
    return out;
}

std::vector<Category> read_cats(const SoapNode& part, bool semicolons) {
    std::vector<Category> out;
    for (const auto& c : part.items("cats"))
        out.push_back({to_int(c, "cid"), c.str("cName"), read_subcats(c, semicolons)});
    return out;
}

std::vector<TrsEntry> read_trs_list(const SoapNode& part) {
    std::vector<TrsEntry> out;
    for (const auto& t : part.items("trsList"))
        out.push_back({to_int(t, "sid"), t.str("sName"), to_int(t, "sType"), to_int(t, "sFlavor"),
                       to_int(t, "sVoice"), t.str("sCity"), t.str("lastUpdated")});
    return out;
}

std::vector<Agency> read_agencies(const SoapNode& part) {
    std::vector<Agency> out;
    for (const auto& a : part.items("agencyList"))
        out.push_back({to_int(a, "aid"), a.str("aName"), to_int(a, "aType")});
    return out;
}

std::vector<Bandplan> read_bandplan(const SoapNode& n, bool missing_as_zero) {
    std::vector<Bandplan> out;
    auto value = [missing_as_zero](const SoapNode& b, std::string_view name) {
        std::string v = b.str(name);
        return v.empty() && missing_as_zero ? std::string("0") : v;
    };
    for (const auto& b : n.items("bandplan"))
        out.push_back({value(b, "base"), value(b, "offset"), value(b, "spacing")});
    return out;
}

std::vector<int> read_tags(const SoapNode& n) {
    std::vector<int> out;
    for (const auto& t : n.items("tags")) out.push_back(to_int(t, "tagId"));
    return out;
}

}  // namespace

UserData read_user_data(const SoapNode& part) {
    return {part.str("username"), part.str("subExpireDate")};
}

std::vector<IdName> read_id_names(const SoapNode& part, std::string_view id,
                                  std::string_view name) {
    std::vector<IdName> out;
    for (const auto& i : items_of(part)) out.push_back({to_int(i, id), i.str(name)});
    return out;
}

std::vector<TrsFlavor> read_flavors(const SoapNode& part, std::string_view id_name,
                                    std::string_view descr_name) {
    std::vector<TrsFlavor> out;
    for (const auto& i : items_of(part))
        out.push_back({to_int(i, "sType"), to_int(i, id_name), i.str(descr_name)});
    return out;
}

CountryInfo read_country_info(const SoapNode& part) {
    CountryInfo info;
    for (const auto& s : part.items("stateList"))
        info.states.push_back({to_int(s, "stid"), s.str("stateCode"), s.str("stateName")});
    info.agencies = read_agencies(part);
    return info;
}

StateInfo read_state_info(const SoapNode& part) {
    StateInfo info;
    info.stid = to_int(part, "stid");
    info.stateName = part.str("stateName");
    info.stateEntityType = part.str("stateEntityType");
    info.systems = read_trs_list(part);
    info.agencies = read_agencies(part);
    for (const auto& c : part.items("countyList"))
        info.counties.push_back({to_int(c, "ctid"), c.str("countyName"), c.str("countyHeader")});
    return info;
}

CountyInfo read_county_info(const SoapNode& part) {
    CountyInfo info;
    info.ctid = to_int(part, "ctid");
    info.stid = to_int(part, "stid");
    info.countyName = part.str("countyName");
    info.countyHeader = part.str("countyHeader");
    info.lat = part.str("lat");
    info.lon = part.str("lon");
    info.range = part.str("range");
    info.lastUpdated = part.str("lastUpdated");
    info.cats = read_cats(part, false);
    info.systems = read_trs_list(part);
    info.agencies = read_agencies(part);
    return info;
}

AgencyInfo read_agency_info(const SoapNode& part) {
    AgencyInfo info;
    info.aid = to_int(part, "aid");
    info.ctid = to_int(part, "ctid");
    info.stid = to_int(part, "stid");
    info.agencyName = comma_to_semicolon(part.str("agencyName"));
    info.agencyType = part.str("agencyType");
    info.lat = part.str("lat");
    info.lon = part.str("lon");
    info.range = part.str("range");
    info.lastUpdated = part.str("lastUpdated");
    info.cats = read_cats(part, true);
    return info;
}

ZipInfo read_zip_info(const SoapNode& part) {
    return {to_int(part, "zipCode"), to_int(part, "stid"), to_int(part, "ctid"),
            part.str("lat"),         part.str("lon"),      part.str("city")};
}

TrsDetails read_trs_details(const SoapNode& part) {
    TrsDetails d;
    d.sName = part.str("sName");
    d.sType = to_int(part, "sType");
    d.sFlavor = to_int(part, "sFlavor");
    d.sVoice = to_int(part, "sVoice");
    d.sCity = part.str("sCity");
    d.sCountry = part.str("sCountry");
    d.lat = part.str("lat");
    d.lon = part.str("lon");
    d.range = part.str("range");
    d.lastUpdated = part.str("lastUpdated");
    for (const auto& c : part.items("sCounty")) d.counties.push_back(to_int(c, "ctid"));
    for (const auto& s : part.items("sState")) d.states.push_back(to_int(s, "stid"));
    d.bandplan = read_bandplan(part, false);
    return d;
}

std::vector<TrsSite> read_trs_sites(const SoapNode& part) {
    std::vector<TrsSite> out;
    out.reserve(part.children.size());
    for (const auto& i : items_of(part)) {
        TrsSite s;
        s.siteId = to_int(i, "siteId");
        s.sid = to_int(i, "sid");
        s.siteNumber = to_int(i, "siteNumber");
        s.siteDescr = i.str("siteDescr");
        s.siteLocation = i.str("siteLocation");
        const SoapNode* ct = i.child("siteCtid");
        s.siteCtid = !ct || ct->nil ? "Null" : ct->text;
        s.siteCt = i.str("siteCt");
        s.siteModulation = i.str("siteModulation");
        s.lat = i.str("lat");
        s.lon = i.str("lon");
        s.range = i.str("range");
        s.rebanded = to_int(i, "rebanded");
        s.splinter = to_int(i, "splinter");
        s.bandplan = read_bandplan(i, true);
        for (const auto& f : i.items("siteFreqs"))
            s.freqs.push_back({to_int(f, "lcn"), f.str("freq"), f.str("use"), f.str("colorCode"),
                               f.str("ch_id")});
        out.push_back(std::move(s));
    }
    return out;
}

std::vector<TgCategory> read_tg_categories(const SoapNode& part) {
    std::vector<TgCategory> out;
    for (const auto& i : items_of(part)) {
        std::string name = i.str("tgCname");
        if (name.empty()) name = "All";
        out.push_back({to_int(i, "tgCid"), to_int(i, "sid"), to_int(i, "tgSort"), name,
                       i.str("lat"), i.str("lon"), i.str("range"), i.str("lastUpdated")});
    }
    return out;
}

std::vector<Talkgroup> read_talkgroups(const SoapNode& part) {
    std::vector<Talkgroup> out;
    out.reserve(part.children.size());
    for (const auto& i : items_of(part)) {
        Talkgroup t;
        t.tgId = to_int(i, "tgId");
        t.tgDec = i.str("tgDec");
        t.tgSubfleet = i.str("tgSubfleet");
        std::string ltr = i.str("tgLtr");
        t.tgLtr = ltr == "true" || ltr == "1";
        t.tgDescr = comma_to_semicolon(i.str("tgDescr"));
        t.tgAlpha = comma_to_semicolon(i.str("tgAlpha"));
        t.tgMode = i.str("tgMode");
        t.tgSlot = i.str("tgSlot");
        t.tags = read_tags(i);
        t.tgCid = to_int(i, "tgCid");
        t.tgSort = to_int(i, "tgSort");
        t.tgDate = i.str("tgDate");
        out.push_back(std::move(t));
    }
    return out;
}

namespace {

// A subcategory's frequency and a search result are the same record of the service; only the
// conventional side turns commas of its texts into semicolons (they become fields of a line).
template <typename Row>
Row read_frequency_record(const SoapNode& i, bool semicolons) {
    auto text = [&](std::string_view name) {
        std::string v = i.str(name);
        return semicolons ? comma_to_semicolon(v) : v;
    };
    Row r;
    r.fid = to_int(i, "fid");
    r.sort = to_int(i, "sort");
    r.out = i.str("out");
    r.in = i.str("in");
    r.callsign = i.str("callsign");
    r.descr = text("descr");
    r.alpha = text("alpha");
    r.tone = i.str("tone");
    r.mode = i.str("mode");
    r.klass = i.str("class");
    r.lastUpdated = i.str("lastUpdated");
    r.tags = read_tags(i);
    return r;
}

}  // namespace

std::vector<Frequency> read_frequencies(const SoapNode& part) {
    std::vector<Frequency> out;
    for (const auto& i : items_of(part)) {
        Frequency f = read_frequency_record<Frequency>(i, true);
        f.colorCode = i.str("colorCode");
        f.slot = i.str("slot");
        out.push_back(std::move(f));
    }
    return out;
}

std::vector<SearchRow> read_search_rows(const SoapNode& part) {
    std::vector<SearchRow> out;
    for (const auto& i : items_of(part)) {
        SearchRow r = read_frequency_record<SearchRow>(i, false);
        r.scid = to_int(i, "scid");
        r.sid = to_int(i, "sid");
        r.aid = to_int(i, "aid");
        r.ctid = to_int(i, "ctid");
        out.push_back(std::move(r));
    }
    return out;
}

std::string lookup_name(const std::vector<IdName>& list, int id) {
    for (const auto& e : list)
        if (e.id == id) return e.name;
    return "Unknown";
}

// ---- calls ----

namespace {

SoapParam int_param(std::string name, long long value) {
    return {std::move(name), std::to_string(value), "int"};
}

template <typename Reader>
auto run(SoapConnection& c, ServiceMethod m, std::vector<SoapParam> params, Reader&& reader,
         bool slash = false) -> std::optional<decltype(reader(SoapNode{}))> {
    CallResult r = c.call(m, params, slash);
    if (!r.ok) return std::nullopt;
    if (r.null) return decltype(reader(SoapNode{})){};
    return reader(r.part);
}

}  // namespace

std::optional<UserData> getUserData(SoapConnection& c) {
    return run(c, ServiceMethod::getUserData, {}, read_user_data);
}

std::optional<LookupLists> load_lookup_lists(SoapConnection& c) {
    LookupLists l;
    auto flavors = run(c, ServiceMethod::getTrsFlavor, {int_param("id", 0)}, [](const SoapNode& p) {
        return read_flavors(p, "sFlavor", "sFlavorDescr");
    });
    auto types = run(c, ServiceMethod::getTrsType, {int_param("id", 0)},
                     [](const SoapNode& p) { return read_id_names(p, "sType", "sTypeDescr"); });
    auto voices = run(c, ServiceMethod::getTrsVoice, {int_param("id", 0)},
                      [](const SoapNode& p) { return read_flavors(p, "sVoice", "sVoiceDescr"); });
    auto modes = run(c, ServiceMethod::getMode, {int_param("mode", 0)},
                     [](const SoapNode& p) { return read_id_names(p, "mode", "modeName"); });
    auto tags = run(c, ServiceMethod::getTag, {int_param("id", 0)},
                    [](const SoapNode& p) { return read_id_names(p, "tagId", "tagDescr"); });
    auto metros = run(c, ServiceMethod::getMetroArea, {int_param("mid", 0)},
                      [](const SoapNode& p) { return read_id_names(p, "mid", "metroName"); });
    if (!flavors || !types || !voices || !modes || !tags || !metros) return std::nullopt;
    l.flavors = std::move(*flavors);
    l.trunk_types = std::move(*types);
    l.voices = std::move(*voices);
    l.modes = std::move(*modes);
    l.tags = std::move(*tags);
    l.metros = std::move(*metros);
    return l;
}

std::optional<CountryInfo> getCountryInfo(SoapConnection& c, int coid) {
    return run(c, ServiceMethod::getCountryInfo, {int_param("coid", coid)}, read_country_info);
}
std::optional<StateInfo> getStateInfo(SoapConnection& c, int stid) {
    return run(c, ServiceMethod::getStateInfo, {int_param("stid", stid)}, read_state_info);
}
std::optional<CountyInfo> getCountyInfo(SoapConnection& c, int ctid, bool namespace_slash) {
    return run(c, ServiceMethod::getCountyInfo, {int_param("ctid", ctid)}, read_county_info,
               namespace_slash);
}
std::optional<AgencyInfo> getAgencyInfo(SoapConnection& c, int aid) {
    return run(c, ServiceMethod::getAgencyInfo, {int_param("aid", aid)}, read_agency_info);
}
std::optional<ZipInfo> getZipcodeInfo(SoapConnection& c, int zipcode) {
    return run(c, ServiceMethod::getZipcodeInfo, {int_param("zipcode", zipcode)}, read_zip_info);
}
std::optional<std::vector<TrsSite>> getTrsSites(SoapConnection& c, int sid) {
    return run(c, ServiceMethod::getTrsSites, {int_param("sid", sid)}, read_trs_sites);
}
std::optional<TrsDetails> getTrsDetails(SoapConnection& c, int sid) {
    return run(c, ServiceMethod::getTrsDetails, {int_param("sid", sid)}, read_trs_details);
}
std::optional<std::vector<TgCategory>> getTrsTalkgroupCats(SoapConnection& c, int sid) {
    return run(c, ServiceMethod::getTrsTalkgroupCats, {int_param("sid", sid)}, read_tg_categories);
}
std::optional<std::vector<Talkgroup>> getTrsTalkgroups(SoapConnection& c, int sid, int tgCid) {
    return run(c, ServiceMethod::getTrsTalkgroups,
               {int_param("sid", sid), int_param("tgCid", tgCid), int_param("tgTag", 0),
                int_param("tgDec", 0)},
               read_talkgroups);
}
std::optional<std::vector<Frequency>> getSubcatFreqs(SoapConnection& c, int scid) {
    return run(c, ServiceMethod::getSubcatFreqs, {int_param("scid", scid)}, read_frequencies);
}
std::optional<std::vector<SearchRow>> searchCountyFreq(SoapConnection& c, int ctid,
                                                       const std::string& freq,
                                                       const std::string& tone) {
    return run(c, ServiceMethod::searchCountyFreq,
               {int_param("ctid", ctid), {"freq", freq, "decimal"}, {"tone", tone, "string"}},
               read_search_rows);
}
std::optional<std::vector<SearchRow>> searchStateFreq(SoapConnection& c, int stid,
                                                      const std::string& freq,
                                                      const std::string& tone) {
    return run(c, ServiceMethod::searchStateFreq,
               {int_param("stid", stid), {"freq", freq, "decimal"}, {"tone", tone, "string"}},
               read_search_rows);
}
std::optional<std::vector<SearchRow>> getCountyFreqsByTag(SoapConnection& c, int ctid, int tag) {
    return run(c, ServiceMethod::getCountyFreqsByTag,
               {int_param("ctid", ctid), int_param("tag", tag)}, read_search_rows);
}

}  // namespace tarvex::radioref
