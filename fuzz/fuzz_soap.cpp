// Answers and service descriptions of the RadioReference web service: whatever arrives over
// the network is decoded, read into every list the program fills, and taken as a WSDL.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/radioref/rr_service.h"
#include "core/radioref/soap_decode.h"
#include "core/radioref/wsdl.h"

using namespace tarvex::radioref;

namespace {

void read_every_list(const SoapNode& part) {
    (void)read_user_data(part);
    (void)read_id_names(part, "sType", "sTypeDescr");
    (void)read_flavors(part, "sFlavor", "sFlavorDescr");
    (void)read_country_info(part);
    (void)read_state_info(part);
    (void)read_county_info(part);
    (void)read_agency_info(part);
    (void)read_zip_info(part);
    (void)read_trs_details(part);
    (void)read_trs_sites(part);
    (void)read_tg_categories(part);
    (void)read_talkgroups(part);
    (void)read_frequencies(part);
    (void)read_search_rows(part);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SoapAnswer answer = decode_soap(bytes);
    if (answer.kind == SoapAnswer::Kind::response && !answer.part_null)
        read_every_list(answer.part);
    WsdlModel model = ParseWSDL(bytes);
    for (int m = 0; !service_method_name(m).empty(); ++m) (void)SelectOperation(model, m);
    (void)utf8_to_latin1(bytes);
    (void)latin1_to_utf8(bytes);
    return 0;
}
