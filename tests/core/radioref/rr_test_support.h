#pragma once
// Shared pieces of the RadioReference tests: the captured answers (skipped when absent), a
// scripted HTTP client and small answer builders.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>

#include "core/radioref/http_client.h"
#include "support/test_support.h"

namespace tarvex::radioref::test {

inline std::filesystem::path rr_dir() {
#ifdef TARVEX_RR_DIR
    std::filesystem::path p = TARVEX_RR_DIR;
    if (std::filesystem::exists(p / "rr-v3.wsdl")) return p;
#endif
    return {};
}

#define SKIP_WITHOUT_RR()                                                        \
    do {                                                                         \
        if (::tarvex::radioref::test::rr_dir().empty())                          \
            GTEST_SKIP() << "captured RadioReference answers are not available"; \
    } while (0)

inline std::string rr_file(const std::string& name) {
    return tarvex::test::read_file(rr_dir() / name);
}

// An answer envelope as the service writes it, around the body of <return>.
inline std::string answer(const std::string& op, const std::string& ret) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><SOAP-ENV:Envelope "
           "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\"><SOAP-ENV:Body><ns1:" +
           op + "Response xmlns:ns1=\"http://api.radioreference.com/soap2\">" + ret +
           "</ns1:" + op + "Response></SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

// Answers requests from a queue and records what was sent.
class ScriptedHttp : public HttpClient {
  public:
    std::deque<HttpResult> answers;
    std::vector<std::string> urls, actions, bodies;
    HttpResult get(const std::string& url, const std::string&, const std::string&, int) override {
        urls.push_back(url);
        return next();
    }
    HttpResult post(const std::string& url, const std::string& action, const std::string& body,
                    int) override {
        urls.push_back(url);
        actions.push_back(action);
        bodies.push_back(body);
        return next();
    }
    void ok(std::string body, int status = 200) {
        answers.push_back({true, false, status, std::move(body), ""});
    }
    void timeout() { answers.push_back({false, true, 0, "", "timed out"}); }
    void cancelled() { answers.push_back({false, false, 0, "", "Cancelled", true}); }

  private:
    HttpResult next() {
        if (answers.empty()) return {false, false, 0, "", "connection refused"};
        HttpResult r = answers.front();
        answers.pop_front();
        return r;
    }
};

}  // namespace tarvex::radioref::test
