#pragma once
// The HTTP the SOAP client needs, as an interface: the desktop program implements it with
// Qt Network, tests with a stand-in server on the loopback address.
#include <string>
#include <string_view>

namespace tarvex::radioref {

struct HttpResult {
    bool done = false;       // an answer arrived (any status)
    bool timed_out = false;  // the time-out ended the wait
    int status = 0;          // HTTP status; 0 when there was none
    std::string body;        // the answer's bytes
    std::string error;       // transport error text when not done
};

class HttpClient {
  public:
    virtual ~HttpClient() = default;
    // GET with HTTP credentials; waits at most `timeout_ms`.
    virtual HttpResult get(const std::string& url, const std::string& user,
                           const std::string& password, int timeout_ms) = 0;
    // POST of a SOAP envelope with its SOAPAction header; waits at most `timeout_ms`.
    virtual HttpResult post(const std::string& url, const std::string& soap_action,
                            const std::string& body, int timeout_ms) = 0;
};

inline constexpr int k_wsdl_timeout_ms = 30000;
inline constexpr int k_soap_timeout_ms = 60000;

}  // namespace tarvex::radioref
