#include "core/radioref/rr_codes.h"

#include "core/hpd/vocab.h"

namespace tarvex::radioref {

// The tag numbers are the scanner's own service-type numbers: one table serves both.

std::string_view ServiceTagName(int number) {
    return vocab::service_type_at(number);
}

std::span<const std::string_view> service_tag_names_sorted() {
    return vocab::service_type_menu();
}

int service_tag_number(std::string_view name) {
    for (int n : service_tag_numbers())
        if (vocab::service_type_at(n) == name) return n;
    return 0;
}

const std::vector<int>& service_tag_numbers() {
    static const std::vector<int> numbers = [] {
        std::vector<int> v;
        for (int n = 1; n <= 217; ++n)
            if (!vocab::service_type_at(n).empty()) v.push_back(n);
        return v;
    }();
    return numbers;
}

std::string_view ModeName(int number) {
    switch (number) {
        case 1:
            return "FM";
        case 2:
            return "P25";
        case 3:
            return "AM";
        case 4:
            return "FMN";
        case 8:
            return "D-STAR";
        case 9:
            return "USB";
        case 10:
            return "LSB";
        default:
            return "";
    }
}

std::string_view TrunkTypeName(int type) {
    switch (type) {
        case 0:
        case 1:
            return "Motorola";
        case 2:
            return "Edacs";
        case 3:
            return "LTR";
        case 4:
            return "MPT-1327";
        case 5:
            return "TETRA";
        case 6:
            return "Midland CMS";
        case 7:
            return "OpenSky";
        case 8:
            return "Project 25";
        case 9:
            return "iDEN";
        case 10:
            return "SmarTrunk";
        case 11:
            return "NXDN";
        case 12:
            return "DMR";
        case 90:
            return "Other";
        case 91:
            return "Unknown";
        default:
            return "";
    }
}

const std::array<UsState, 53>& us_states() {
    static constexpr std::array<UsState, 53> states = {{
        {"Alabama", "1", "AL"},
        {"Alaska", "2", "AK"},
        {"Arizona", "4", "AZ"},
        {"Arkansas", "5", "AR"},
        {"California", "6", "CA"},
        {"Colorado", "8", "CO"},
        {"Connecticut", "9", "CT"},
        {"Delaware", "10", "DE"},
        {"District of Columbia", "11", "DC"},
        {"Florida", "12", "FL"},
        {"Georgia", "13", "GA"},
        {"Hawaii", "15", "HI"},
        {"Idaho", "16", "ID"},
        {"Illinois", "17", "IL"},
        {"Indiana", "18", "IN"},
        {"Iowa", "19", "IA"},
        {"Kansas", "20", "KS"},
        {"Kentucky", "21", "KY"},
        {"Louisiana", "22", "LA"},
        {"Maine", "23", "ME"},
        {"Maryland", "24", "MD"},
        {"Massachusetts", "25", "MA"},
        {"Michigan", "26", "MI"},
        {"Minnesota", "27", "MN"},
        {"Mississippi", "28", "MS"},
        {"Missouri", "29", "MO"},
        {"Montana", "30", "MT"},
        {"Nebraska", "31", "NE"},
        {"Nevada", "32", "NV"},
        {"New Hampshire", "33", "NH"},
        {"New Jersey", "34", "NJ"},
        {"New Mexico", "35", "NM"},
        {"New York", "36", "NY"},
        {"North Carolina", "37", "NC"},
        {"North Dakota", "38", "ND"},
        {"Ohio", "39", "OH"},
        {"Oklahoma", "40", "OK"},
        {"Oregon", "41", "OR"},
        {"Pennsylvania", "42", "PA"},
        {"Puerto Rico", "57", "PR"},
        {"Rhode Island", "44", "RI"},
        {"South Carolina", "45", "SC"},
        {"South Dakota", "46", "SD"},
        {"Tennessee", "47", "TN"},
        {"Texas", "48", "TX"},
        {"Utah", "49", "UT"},
        {"Vermont", "50", "VT"},
        {"Virgin Islands", "181", "VI"},
        {"Virginia", "51", "VA"},
        {"Washington", "53", "WA"},
        {"West Virginia", "54", "WV"},
        {"Wisconsin", "55", "WI"},
        {"Wyoming", "56", "WY"},
    }};
    return states;
}

}  // namespace tarvex::radioref
