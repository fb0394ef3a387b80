#pragma once
// Decoding a SOAP answer of the RadioReference service into named nodes and arrays.
//
// The service answers rpc/encoded: Body > <ns1:opResponse> > <return>, lists as SOAP-ENC:Array
// with <item> children, leaves typed by xsi:type, a null as xsi:nil="true" or a member left out.
// Members come in any order and newer services add members we do not know, so everything is
// read by local name and unknown names are simply carried along.
//
// Texts are handed on as single-byte text (Latin-1), the form record lines use; characters
// beyond Latin-1 become "?". The document's own prolog decides its encoding (the service says
// ISO-8859-1 in some prologs and UTF-8 in others, whatever the HTTP header claims).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::radioref {

struct SoapNode {
    std::string name;  // local name, prefix dropped
    std::string text;  // leaf text; empty for compounds, arrays and nils
    bool nil = false;
    bool array = false;
    std::vector<SoapNode> children;

    // First child with this local name, or nullptr.
    const SoapNode* child(std::string_view child_name) const;
    // Text of a named child; "" when missing or nil.
    std::string str(std::string_view child_name) const;
    long long integer(std::string_view child_name) const;  // lenient; 0 when missing
    double real(std::string_view child_name) const;
    // Elements of a named child list (an array's items); empty when missing or nil.
    const std::vector<SoapNode>& items(std::string_view child_name) const;
};

struct SoapAnswer {
    enum class Kind { response, fault, empty, malformed };
    Kind kind = Kind::empty;
    std::string method;     // local name of the element inside Body ("getUserDataResponse")
    std::string part_name;  // local name of its first child ("return"); "" when it has none
    bool part_null = true;  // the first part is missing or xsi:nil
    SoapNode part;          // the first part
    std::string fault_code, fault_string;
    std::string error;  // what made the document unreadable
};

// Decodes the bytes of one HTTP answer body. Never throws; nesting and size are bounded so
// hostile answers cannot exhaust the stack.
SoapAnswer decode_soap(std::string_view bytes);

// UTF-8 to single-byte text (code points above 255 become "?").
std::string utf8_to_latin1(std::string_view utf8);
// Single-byte text to UTF-8, for building requests.
std::string latin1_to_utf8(std::string_view latin1);

inline constexpr int k_max_soap_depth = 64;

}  // namespace tarvex::radioref
