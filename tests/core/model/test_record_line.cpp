#include "core/model/record_fields.h"
#include "core/model/record_line.h"

#include <gtest/gtest.h>

using namespace tarvex;

TEST(GetField, DropsLineEndsAndOneQuoteOnEachSide) {
    EXPECT_EQ(get_field("SIN,Harb\ror\n,12\r\n", 1), "Harbor");
    EXPECT_EQ(get_field("SIN,Harbor,12\r\n", 2), "12");
    EXPECT_EQ(get_field("GIN,\"\"Fire\"\",x", 1), "\"Fire\"");
    EXPECT_EQ(get_field("GIN,\"Fire,x", 1), "Fire");
    EXPECT_EQ(get_field_plain("GIN,\"Fire\",x", 1), "\"Fire\"");
    // Quotes protect no comma: each piece loses only its own outer quote.
    const std::string line = "GIN,C-Group,CGroupId=1,AgencyId=2,\"Fire, North\",Off";
    EXPECT_EQ(get_field(line, 4), "Fire");
    EXPECT_EQ(get_field(line, 5), " North");
    EXPECT_EQ(get_field(line, 6), "Off");
}

TEST(GetField, ExpectedCountMustMatchTheLastFieldIndexElseZero) {
    const std::string line = "TFQ,851.0125,1,2";  // last field index 3
    EXPECT_EQ(get_field(line, 1, 3), "851.0125");
    EXPECT_EQ(get_field(line, 1, 4), "0");
    EXPECT_EQ(get_field(line, 1, 2), "0");
    EXPECT_EQ(get_field_plain(line, 1), "851.0125");
}

TEST(GetField, EmptyLinesAndMissingFieldsReadEmpty) {
    EXPECT_EQ(get_field("", 0), "");
    EXPECT_EQ(get_field("", 2, 5), "");
    EXPECT_EQ(get_field("\r\n", 0), "");
    EXPECT_EQ(get_field("SIN,Motorola", 7), "");
    EXPECT_EQ(get_field_plain("", 0), "");
}

TEST(SetField, ReplacesOneFieldAndGrowsShortLines) {
    EXPECT_EQ(set_field("SIN,Motorola,0,StateId=0,Old", 4, "New"), "SIN,Motorola,0,StateId=0,New");
    EXPECT_EQ(set_field("SIN,Motorola", 4, "Name"), "SIN,Motorola,,,Name");
    EXPECT_EQ(set_field("SIN,,", 1, "LTR"), "SIN,LTR,");
}

TEST(SystemTypes, FileWordsTypeNamesAndCodesMapBothWays) {
    const std::pair<const char*, int> file_words[] = {{"Motorola", 1},
                                                      {"Edacs", 2},
                                                      {"Scat", 3},
                                                      {"Ltr", 4},
                                                      {"P25Standard", 5},
                                                      {"P25 Standard", 5},
                                                      {"P25OneFrequency", 6},
                                                      {"P25X2_TDMA", 7},
                                                      {"MotoTrbo", 8},
                                                      {"DmrOneFrequency", 9}};
    for (auto [word, code] : file_words) {
        const SystemTypeInfo* t = system_type_from_file_word(word);
        ASSERT_NE(t, nullptr) << word;
        EXPECT_EQ(t->code, code) << word;
        EXPECT_EQ(file_word_for_system_type(t->type_name), code == 5 ? "P25Standard" : word);
    }
    EXPECT_EQ(system_type_from_file_word("Scat")->type_name, "Edacs Scat");
    EXPECT_EQ(system_type_from_file_word("Edacs Scat"), nullptr);
    EXPECT_EQ(system_type_from_name("Edacs Scat")->file_word, "Scat");
    EXPECT_EQ(system_type_from_name("Conventional")->code, 0);
    EXPECT_EQ(file_word_for_system_type("P25 OneFreqTrunk"), "P25OneFrequency");
    EXPECT_EQ(file_word_for_system_type("Conventional"), "Conventional");
}

TEST(RecordFields, NameAndTypeOfTheLinesTheWindowsList) {
    const std::string system = tarvex::new_trunked_system("Motorola", "County, West");
    EXPECT_EQ(tarvex::record_name(system), "County; West");
    EXPECT_EQ(tarvex::system_type_word(system), "Motorola");
    EXPECT_EQ(tarvex::record_name(tarvex::new_conventional_system("Fire")), "Fire");
    EXPECT_EQ(tarvex::system_type_word(tarvex::new_conventional_system("Fire")), "Conventional");
    EXPECT_EQ(tarvex::record_name(tarvex::new_group("Dispatch")), "Dispatch");
    EXPECT_EQ(tarvex::record_name(""), "");
}

TEST(RecordFields, EdacsTypesAreKnownByTheirCodes) {
    for (const tarvex::SystemTypeInfo& type : tarvex::k_system_types) {
        const bool edacs = type.file_word == "Edacs" || type.file_word == "Scat";
        EXPECT_EQ(tarvex::is_edacs_type_code(std::to_string(type.code)), edacs) << type.type_name;
    }
    EXPECT_TRUE(tarvex::is_edacs_type_code(" 2 "));
    EXPECT_FALSE(tarvex::is_edacs_type_code(""));
    EXPECT_FALSE(tarvex::is_edacs_type_code("x"));
}
