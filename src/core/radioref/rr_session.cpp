#include "core/radioref/rr_session.h"

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/radioref/rr_codes.h"

namespace tarvex::radioref {

LoginResult login(SoapConnection& c, const std::string& user, const std::string& password,
                  const std::string& zip) {
    LoginResult r;
    if (user.empty() || password.empty()) return r;
    r.attempted = true;
    c.user_name = user;
    c.password = password;
    c.zip_code = zip;
    c.trace.SoapLog("Login " + user + " " + password);
    c.trace.SoapLog(c.soap_folder.string() + "INIT");
    c.trace.SoapLog(std::string("INIT1") + (c.initialised ? "True" : "False"));
    if (!c.initialised) {
        c.initialised = c.InitSoap();
        c.trace.SoapLog(std::string("INIT2") + (c.initialised ? "True" : "False"));
        if (!c.initialised) {
            r.status = "INIT not ok, check firewall settings.";
            c.trace.SoapLog("INIT not ok, check firewall settings");
            return r;
        }
    }
    c.trace.SoapLog("INIT DBaseIndex:0");
    auto user_data = getUserData(c);
    if (!user_data) {
        c.trace.SoapLog("INIT3, exit sub");
        r.status = "INIT not ok, can't read user data.";
        return r;
    }
    c.expiry = user_data->subExpireDate;
    c.trace.SoapLog("INIT " + c.expiry);
    c.logged_in = !c.expiry.empty();
    c.trace.SoapLog(std::string("INIT Loggedin:") + (c.logged_in ? "True" : "False"));
    r.status = "Subscription expires on: " + c.expiry;
    if (!c.logged_in) {
        c.prompter().tell("No Response From Web Service.");
        return r;
    }
    r.logged_in = true;
    if (auto lists = load_lookup_lists(c)) r.lists = std::move(*lists);
    return r;
}

std::string complete_frequency(std::string_view typed) {
    std::string f = trim(typed);
    if (f.size() >= 2) {
        std::string_view tail = std::string_view(f).substr(f.size() - 2);
        if (tail == "12" || tail == "62" || tail == "37" || tail == "87") f += "5";
    }
    return f;
}

const CountyInfo& CountyNames::county(int ctid) {
    auto it = cache_.find(ctid);
    if (it != cache_.end()) return it->second;
    CountyInfo info;
    if (ctid > 0)
        if (auto c = getCountyInfo(c_, ctid, true)) info = std::move(*c);
    return cache_.emplace(ctid, std::move(info)).first->second;
}

std::string state_name(int stid) {
    for (const auto& s : us_states())
        if (s.id == std::to_string(stid)) return std::string(s.name);
    return stid > 0 ? std::to_string(stid) : std::string();
}

std::vector<std::string> search_columns(const SearchRow& r, CountyNames& counties) {
    const CountyInfo& county = counties.county(r.ctid);
    std::string tag = r.tags.empty() ? std::string() : std::string(ServiceTagName(r.tags[0]));
    auto num = [](int v) { return std::to_string(v); };
    return {r.out,      r.descr,    r.alpha,           r.tone,
            r.mode,     r.klass,    num(r.scid),       r.lastUpdated,
            r.callsign, tag,        county.countyName, state_name(county.stid),
            num(r.sid), num(r.aid), num(r.ctid)};
}

std::string web_page(std::string_view kind, int id) {
    const std::string site = "https://www.radioreference.com/";
    if (kind == "county") return site + "modules.php?name=RR&ctid=" + std::to_string(id);
    if (kind == "system") return site + "apps/db/?sid=" + std::to_string(id);
    return site + "modules.php?name=RR&aid=" + std::to_string(id);
}

}  // namespace tarvex::radioref
