#pragma once
// The client of the RadioReference SOAP service: fetches and models the WSDL, carries every
// service call (operation lookup, envelope, POST, answer check) and keeps the optional trace.
// One connection serves the import window, the search window and the command line.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/radioref/envelope.h"
#include "core/radioref/http_client.h"
#include "core/radioref/soap_decode.h"
#include "core/radioref/wsdl.h"

namespace tarvex {
class Prompter;
}

namespace tarvex::radioref {

inline constexpr std::string_view k_default_base_url = "https://api.radioreference.com/soap2/";

// The trace file ("soaplog.txt" in the documents folder), written only while switched on.
class SoapTrace {
  public:
    bool enabled = false;
    std::filesystem::path file;
    void SoapLog(std::string_view text);
    // Deletes the file and says so ("Log file deleted.").
    void delete_file(Prompter& prompter);
    // Lines kept in memory as well, for tests and the CLI's --trace.
    std::vector<std::string>* echo = nullptr;
};

struct CallResult {
    bool ok = false;   // an answer of the expected operation arrived
    bool null = true;  // its first part was null or missing: an empty result, not an error
    SoapNode part;
    std::string error;       // what went wrong, as told to the user ("" when nothing was told)
    bool cancelled = false;  // the user ended the wait: nothing is told, nothing is changed
};

class SoapConnection {
  public:
    SoapConnection(HttpClient& http, Prompter& prompter) : http_(http), prompter_(prompter) {}

    std::string base_url = std::string(k_default_base_url);
    std::string user_name, password, zip_code;
    std::string app_key;  // 8 decimal digits
    std::string version = "13";
    std::filesystem::path soap_folder;  // the WSDL cache goes here
    std::string wsdl_text;
    WsdlModel model;
    int wsdl_timeout_ms = k_wsdl_timeout_ms;
    int soap_timeout_ms = k_soap_timeout_ms;
    bool initialised = false;
    bool logged_in = false;
    std::string expiry;
    SoapTrace trace;
    // What the latest call told the user ("" after an answer, "Cancelled." after a cancel): a
    // window that shows only a status line can repeat it there.
    std::string last_error;

    // Fetches and parses the WSDL; false (with its message) when it cannot be loaded.
    bool InitSoap();
    std::filesystem::path wsdl_file() const { return soap_folder / "RR_Soap.wsdl"; }

    // One service call: parameters in sending order, authInfo added last. With
    // `namespace_slash` the method's namespace gets a trailing "/" (the county lookups of the
    // search and the conventional side).
    CallResult call(ServiceMethod method, const std::vector<SoapParam>& params,
                    bool namespace_slash = false);

    // The envelope a call would send (for tests and the trace).
    std::string request_for(ServiceMethod method, const std::vector<SoapParam>& params,
                            bool namespace_slash = false) const;

    // Set while a call waits; a window's Cancel button clears the wait through the transport.
    HttpClient& http() { return http_; }
    Prompter& prompter() { return prompter_; }

  private:
    CallResult send(ServiceMethod method, const std::vector<SoapParam>& params,
                    bool namespace_slash);
    void log(std::string_view text) { trace.SoapLog(text); }
    HttpClient& http_;
    Prompter& prompter_;
};

}  // namespace tarvex::radioref
