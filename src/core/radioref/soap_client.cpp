#include "core/radioref/soap_client.h"

#include <fstream>

#include "core/base/prompter.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"

namespace tarvex::radioref {

void SoapTrace::SoapLog(std::string_view text) {
    if (echo) echo->emplace_back(text);
    if (!enabled || file.empty()) return;
    std::ofstream out(file, std::ios::app | std::ios::binary);
    out << text << "\r\n";
}

void SoapTrace::delete_file(Prompter& prompter) {
    std::error_code ec;
    if (!file.empty()) std::filesystem::remove(file, ec);
    prompter.tell("Log file deleted.");
}

bool SoapConnection::InitSoap() {
    model = WsdlModel{};
    version = "13";
    last_error.clear();
    log("INITSOAP");
    log("INITSOAP1 " + wsdl_file().string());
    std::string url = base_url + "?wsdl&v=13";
    log("INITSOAP6 FILE DOES NOT EXIST");
    log("INITSOAP CALL GETSOURCE");
    log("HTML_GETSOURCE");
    HttpResult r = http_.get(url, user_name, password, wsdl_timeout_ms);
    log("HTML_GETSOURCE4");
    log("status=" + std::to_string(r.status));
    if (r.cancelled) {
        // The user ended the wait: nothing to tell, and the next login fetches it again.
        log("INITSOAP CANCELLED");
        last_error = "Cancelled.";
        return false;
    }
    if (r.timed_out) prompter_.tell("Unexpected HTTP TimeOut");
    // The status is only traced: a WSDL is a WSDL whatever the status line says, and an error
    // page does not parse into operations (caught below).
    if (!r.done) {
        log("ERROR: GET WSDL SOURCE FALSE!");
        last_error = "Error, can't load WSDL site, check firewall settings";
        prompter_.tell(last_error);
        return false;
    }
    log("INITSOAP GET WSDL SOURCE");
    wsdl_text = r.body;
    log("INITSOAP GET WSDL SOURCE:" + wsdl_text);
    if (!soap_folder.empty()) {
        // A cache for inspection only: the program never reads it back.
        std::error_code ec;
        std::filesystem::create_directories(soap_folder, ec);
        SafeFileWriter out(wsdl_file());
        out.write(wsdl_text);
        out.write("\r\n");
        if (!out.commit()) log("INITSOAP6 ERROR SAVING: " + out.error_text());
    }
    if (wsdl_text.empty()) {
        log("INITSOAP7 WSDL = empty, exit function!");
        return true;
    }
    log("INITSOAP8 calling ParseWSDL");
    log("PARSEWSDL ");
    model = ParseWSDL(wsdl_text);
    log("PARSEWSDL EXIT");
    if (model.empty()) {
        last_error = "Error, can't load WSDL site, check firewall settings";
        prompter_.tell(last_error);
        return false;
    }
    return true;
}

std::string SoapConnection::request_for(ServiceMethod method, const std::vector<SoapParam>& params,
                                        bool namespace_slash) const {
    OperationContext ctx = SelectOperation(model, static_cast<int>(method));
    std::string element = without_prefix(ctx.input_message);
    if (element.empty()) element = ctx.method;
    std::string ns = model.target_namespace + (namespace_slash ? "/" : "");
    return build_envelope(element, ns, params, AuthInfo{user_name, password, app_key, version});
}

CallResult SoapConnection::call(ServiceMethod method, const std::vector<SoapParam>& params,
                                bool namespace_slash) {
    CallResult result = send(method, params, namespace_slash);
    last_error = result.error;
    return result;
}

CallResult SoapConnection::send(ServiceMethod method, const std::vector<SoapParam>& params,
                                bool namespace_slash) {
    CallResult result;
    OperationContext ctx = SelectOperation(model, static_cast<int>(method));
    std::string body = request_for(method, params, namespace_slash);
    log("SET_HTTP");
    // The service dispatches on the Body element and, for a name it does not know, on the
    // operation after "#": the binding's action carries it; build one when the WSDL has none.
    std::string action = ctx.binding.soap_action;
    if (action.empty()) action = model.target_namespace + "#" + ctx.method;
    log("SET_HTTP1 " + action);
    std::string url = base_url + "index.php";
    log("SET_HTTP2 " + url);
    HttpResult r = http_.post(url, action, body, soap_timeout_ms);
    if (r.cancelled) {
        // The user asked for it: no message box, and the caller leaves everything as it was.
        log("SET_HTTP CANCELLED");
        result.cancelled = true;
        result.error = "Cancelled.";
        return result;
    }
    if (!r.done) {
        log("SET_HTTP ERROR " + r.error);
        result.error = r.timed_out
                           ? "No answer from the RadioReference service within " +
                                 std::to_string((soap_timeout_ms + 999) / 1000) + " seconds."
                           : "Error, no connection to the RadioReference service: " + r.error;
        prompter_.tell(result.error);
        return result;
    }
    log("SET_HTTP3 ");
    log("SET_HTTP RESPONSE:" + r.body);
    SoapAnswer answer = decode_soap(r.body);
    switch (answer.kind) {
        case SoapAnswer::Kind::fault:
            result.error = answer.fault_string.empty() ? answer.fault_code : answer.fault_string;
            prompter_.tell(result.error);
            return result;
        case SoapAnswer::Kind::empty:
            result.error = "The RadioReference service answered " + ctx.method + " with HTTP " +
                           std::to_string(r.status) + " and no data.";
            prompter_.tell(result.error);
            return result;
        case SoapAnswer::Kind::malformed:
            log("SET_HTTP ERROR " + answer.error);
            result.error = "Unreadable answer from the RadioReference service: " + answer.error;
            prompter_.tell(result.error);
            return result;
        case SoapAnswer::Kind::response:
            break;
    }
    std::string expected = without_prefix(ctx.output_message);
    if (expected.empty()) expected = ctx.method + "Response";
    if (answer.method != expected) {
        result.error = "Unexpected Return:" + answer.method + " - " + ctx.method;
        prompter_.tell(result.error);
        return result;
    }
    result.ok = true;
    result.null = answer.part_null;
    if (!answer.part_null) result.part = std::move(answer.part);
    return result;
}

}  // namespace tarvex::radioref
