#pragma once
// The HTTP the SOAP client needs, as an interface: the desktop program implements it with
// Qt Network, tests with a stand-in server on the loopback address.
#include <string>

#include <string_view>
#include "core/base/progress.h"

namespace tarvex::radioref {

struct HttpResult {
    bool done = false;       // an answer arrived (any status)
    bool timed_out = false;  // the time-out ended the wait
    int status = 0;          // HTTP status; 0 when there was none
    std::string body;        // the answer's bytes
    std::string error;       // transport error text when not done
    bool cancelled = false;  // the user ended the wait
};

class HttpClient {
  public:
    virtual ~HttpClient() = default;
    // Told the bytes of an answer as they arrive (large answers take a while); may be null.
    Progress* transfer_progress = nullptr;
    // GET with HTTP credentials; waits at most `timeout_ms`.
    virtual HttpResult get(const std::string& url, const std::string& user,
                           const std::string& password, int timeout_ms) = 0;
    // POST of a SOAP envelope with its SOAPAction header; waits at most `timeout_ms`.
    virtual HttpResult post(const std::string& url, const std::string& soap_action,
                            const std::string& body, int timeout_ms) = 0;
};

// What a progress label says while an answer arrives: "Received 312 of 1293 kB" (whole kB,
// rounded up), "Received 312 kB" when the service did not say how much is coming.
inline std::string received_text(long long received, long long total) {
    auto kb = [](long long bytes) { return std::to_string((bytes + 1023) / 1024); };
    std::string text = "Received " + kb(received);
    if (total > 0) text += " of " + kb(total);
    return text + " kB";
}

inline constexpr int k_wsdl_timeout_ms = 30000;
inline constexpr int k_soap_timeout_ms = 60000;

}  // namespace tarvex::radioref
