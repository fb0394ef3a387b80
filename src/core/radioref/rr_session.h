#pragma once
// The login of the import and search windows, its retry count, and the frequency search: the
// decisions both windows and the command line share.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/radioref/rr_service.h"

namespace tarvex::radioref {

struct LoginResult {
    bool attempted = false;  // false when user name or password was empty
    bool logged_in = false;
    std::string status;  // the status label's text
    LookupLists lists;   // filled when logged in
};

// LogInBtn_Click of the import window: WSDL once, then the user data, then the lookup lists.
LoginResult login(SoapConnection& c, const std::string& user, const std::string& password,
                  const std::string& zip = {});

// Timer5 of the import window: nine login attempts, then the window gives up.
class LoginRetry {
  public:
    enum class Step { login, give_up };
    Step tick() { return ++attempts_ <= 9 ? Step::login : Step::give_up; }
    int attempts() const { return attempts_; }
    void reset() { attempts_ = 0; }

  private:
    int attempts_ = 0;
};
inline constexpr std::string_view k_give_up_status =
    "Error, no response from webservice, check firewall/username/password";

// A frequency typed without the last digit of its 12.5 kHz step gets it back ("851.012" ->
// "851.0125").
std::string complete_frequency(std::string_view typed);

// The search window's result columns, in caption order.
inline constexpr std::string_view k_search_captions[] = {
    "Frequencies:", "Description:", "Display:",     "Subtone:",  "Mode:",
    "Type:",        "scid:",        "lastupdated:", "Call Sign", "Servicetag:",
    "County:",      "State:",       "sid:",         "aid:",      "ctid:"};

// Looks county names up once per county for a run of searches.
class CountyNames {
  public:
    explicit CountyNames(SoapConnection& c) : c_(c) {}
    // "" for county 0 or a county the service does not know.
    const CountyInfo& county(int ctid);

  private:
    SoapConnection& c_;
    std::map<int, CountyInfo> cache_;
};

std::vector<std::string> search_columns(const SearchRow& row, CountyNames& counties);
// The state's name from the states table (or the id itself when unknown).
std::string state_name(int stid);
// The web page of a county, system or agency.
std::string web_page(std::string_view kind, int id);

}  // namespace tarvex::radioref
