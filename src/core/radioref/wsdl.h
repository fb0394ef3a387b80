#pragma once
// The service description: what the WSDL says about types, messages, operations, the binding
// and the endpoint, and the lookup of one operation for the call in progress.
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::radioref {

struct WsdlElement {
    std::string name, type;
};

struct WsdlComplexType {
    std::string name;
    std::vector<WsdlElement> elements;  // <xsd:all> members
    std::string restriction_base;       // complexContent: "SOAP-ENC:Array"
    std::string attribute_ref, array_type;
};

struct WsdlMessage {
    std::string name;
    std::vector<WsdlElement> parts;
};

struct WsdlPortOperation {
    std::string name, documentation, input, output;  // input/output as written ("tns:...")
};

struct WsdlBody {
    std::string use, name_space, encoding_style;
};

struct WsdlBindingOperation {
    std::string name, soap_action, style;
    WsdlBody input, output;
};

struct WsdlModel {
    // definitions
    std::string target_namespace;
    std::string xmlns, xmlns_soap, xmlns_soap_enc, xmlns_soap_env, xmlns_wsdl, xmlns_tns, xmlns_xsi;
    // types
    std::string schema_namespace;
    std::vector<std::string> imports;
    std::vector<WsdlComplexType> types;
    std::vector<WsdlMessage> messages;
    // port type
    std::string port_type_name;
    std::vector<WsdlPortOperation> port_operations;
    // binding
    std::string binding_name, binding_type, binding_style, binding_transport;
    std::vector<WsdlBindingOperation> binding_operations;
    // service
    std::string service_name, port_name, port_binding, location;

    bool empty() const { return port_operations.empty() && messages.empty(); }
};

// Builds the model; a document that does not parse gives an empty model. Missing attributes
// leave their fields empty.
WsdlModel ParseWSDL(std::string_view text);

// The operations the program knows, in their fixed order.
enum class ServiceMethod {
    getTrsTalkgroups = 0,
    getTrsTalkgroupCats,
    getTrsDetails,
    getTrsBySysid,
    getTrsSites,
    getStatesByList,
    getCountiesByList,
    getTag,
    getMode,
    getTrsType,
    getTrsFlavor,
    getTrsVoice,
    getCountryList,
    getCountryInfo,
    getStateInfo,
    getCountyInfo,
    getAgencyInfo,
    getSubcatFreqs,
    searchCountyFreq,
    searchStateFreq,
    searchMetroFreq,
    getCountyFreqsByTag,
    getAgencyFreqsByTag,
    getMetroArea,
    getZipcodeInfo,
    fccGetCallsign,
    fccGetRadioServiceCode,
    fccGetProxCallsigns,
    getUserData,
};
// "" for an index outside the table.
std::string_view service_method_name(int index);

struct OperationContext {
    std::string method;          // "getTrsDetails"
    std::string input_message;   // "tns:getTrsDetailsRequest"
    std::string output_message;  // "tns:getTrsDetailsResponse"
    std::vector<WsdlElement> input_parts, output_parts;
    WsdlBindingOperation binding;
    WsdlComplexType input_type, output_type;
    bool complete = false;  // all four lookups found their match
};

// The prefix ("tns:") and its colon are the first four characters of a message name.
std::string without_prefix(std::string_view message_name);

OperationContext SelectOperation(const WsdlModel& model, int method_index);

}  // namespace tarvex::radioref
