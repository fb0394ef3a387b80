#include "core/radioref/rr_codes.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tarvex::radioref {

namespace {

const std::map<int, std::string_view>& tag_table() {
    static const std::map<int, std::string_view> table = [] {
        std::map<int, std::string_view> t = {
            {1, "Multi-Dispatch"},  {2, "Law Dispatch"},   {3, "Fire Dispatch"},
            {4, "EMS Dispatch"},    {6, "Multi-TAC"},      {7, "Law TAC"},
            {8, "Fire-Tac"},        {9, "EMS-Tac"},        {11, "Interop"},
            {12, "Hospital"},       {13, "Ham"},           {14, "Public Works"},
            {15, "Aircraft"},       {16, "Federal"},       {17, "Business"},
            {20, "Railroad"},       {21, "Other"},         {22, "Multi-Talk"},
            {23, "Law-Talk"},       {24, "Fire-Talk"},     {25, "EMS-Talk"},
            {26, "Transportation"}, {29, "Emergency Ops"}, {30, "Military"},
            {31, "Media"},          {32, "Schools"},       {33, "Security"},
            {34, "Utilities"},      {37, "Corrections"},   {216, "Racing Officials"},
            {217, "Racing Teams"}};
        static constexpr std::string_view customs[] = {"Custom 1", "Custom 2", "Custom 3",
                                                       "Custom 4", "Custom 5", "Custom 6",
                                                       "Custom 7", "Custom 8"};
        for (int i = 0; i < 8; ++i) t[208 + i] = customs[i];
        return t;
    }();
    return table;
}

}  // namespace

std::string_view ServiceTagName(int number) {
    auto it = tag_table().find(number);
    return it == tag_table().end() ? std::string_view() : it->second;
}

const std::vector<std::string_view>& service_tag_names_sorted() {
    static const std::vector<std::string_view> names = {"Aircraft",      "Business",
                                                        "Corrections",   "Emergency Ops",
                                                        "EMS Dispatch",  "EMS-Tac",
                                                        "EMS-Talk",      "Federal",
                                                        "Fire Dispatch", "Fire-Tac",
                                                        "Fire-Talk",     "Ham",
                                                        "Hospital",      "Interop",
                                                        "Law Dispatch",  "Law TAC",
                                                        "Law-Talk",      "Media",
                                                        "Military",      "Multi-Dispatch",
                                                        "Multi-TAC",     "Multi-Talk",
                                                        "Other",         "Public Works",
                                                        "Railroad",      "Schools",
                                                        "Security",      "Transportation",
                                                        "Utilities",     "Custom 1",
                                                        "Custom 2",      "Custom 3",
                                                        "Custom 4",      "Custom 5",
                                                        "Custom 6",      "Custom 7",
                                                        "Custom 8",      "Racing Officials",
                                                        "Racing Teams"};
    return names;
}

int service_tag_number(std::string_view name) {
    for (const auto& [n, text] : tag_table())
        if (text == name) return n;
    return 0;
}

const std::vector<int>& service_tag_numbers() {
    static const std::vector<int> numbers = [] {
        std::vector<int> v;
        for (const auto& [n, text] : tag_table()) v.push_back(n);
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
