#include "core/model/record_line.h"

#include <gtest/gtest.h>

using namespace tarvex;

TEST(GetField, LineEndsAnywhereInTheLineAreDropped) {
    EXPECT_EQ(get_field("SIN,Conventional,12\r\n", 2), "12");
    EXPECT_EQ(get_field("SIN,Harb\ror\n,0", 2), "Harbor");
    EXPECT_EQ(get_field("TFQ,851.0125,1,\r\n", 3), "");
}

TEST(GetField, OneLeadingAndOneTrailingQuoteAreStripped) {
    EXPECT_EQ(get_field("GIN,C-Group,\"Fire\",x", 2), "Fire");
    EXPECT_EQ(get_field("GIN,\"\"Fire\"\",x", 1), "\"Fire\"");
    EXPECT_EQ(get_field("GIN,\"Fire,x", 1), "Fire");
    EXPECT_EQ(get_field_plain("GIN,\"Fire\",x", 1), "\"Fire\"");
}

TEST(GetField, QuotesDoNotProtectACommaInsideAName) {
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
    EXPECT_EQ(get_field(line, 9, 3), "");
    // The count check is get_field's alone.
    EXPECT_EQ(get_field_plain(line, 1), "851.0125");
}

TEST(GetField, EmptyLineAndMissingFieldsReadEmpty) {
    EXPECT_EQ(get_field("", 0), "");
    EXPECT_EQ(get_field("", 2, 5), "");
    EXPECT_EQ(get_field("\r\n", 0), "");
    EXPECT_EQ(get_field("SIN,Motorola", 7), "");
    EXPECT_EQ(get_field_plain("", 0), "");
    EXPECT_EQ(get_field("SIN,Motorola", 0), "SIN");
}

TEST(SetField, ReplacesOneFieldAndGrowsShortLines) {
    EXPECT_EQ(set_field("SIN,Motorola,0,StateId=0,Old", 4, "New"), "SIN,Motorola,0,StateId=0,New");
    EXPECT_EQ(set_field("SIN,Motorola", 4, "Name"), "SIN,Motorola,,,Name");
    EXPECT_EQ(set_field("SIN,,", 1, "LTR"), "SIN,LTR,");
}

TEST(SystemTypes, FileWordsMapToTypeNamesAndCodes) {
    const std::pair<const char*, const char*> table[] = {
        {"Motorola", "Motorola"},          {"Edacs", "Edacs Narrow/Wide"},
        {"Scat", "Edacs Scat"},            {"Ltr", "LTR"},
        {"P25Standard", "P25 Standard"},   {"P25 Standard", "P25 Standard"},
        {"P25OneFrequency", "P25 One Freq Trunk"}, {"P25X2_TDMA", "P25 X2 TDMA"},
        {"MotoTrbo", "MotoTRBO"},          {"DmrOneFrequency", "DMR One Frequency"},
    };
    for (auto [word, name] : table) {
        const SystemTypeInfo* t = system_type_from_file_word(word);
        ASSERT_NE(t, nullptr) << word;
        EXPECT_EQ(t->type_name, name) << word;
    }
    EXPECT_EQ(system_type_from_file_word("Scat")->code, 3);
    EXPECT_EQ(system_type_from_file_word("P25 Standard")->code, 5);
    EXPECT_EQ(system_type_from_file_word("DmrOneFrequency")->code, 9);
    EXPECT_EQ(system_type_from_file_word("Edacs Scat"), nullptr);
    EXPECT_EQ(system_type_from_file_word("Trunk"), nullptr);
    EXPECT_EQ(system_type_from_name("Conventional")->code, 0);
    EXPECT_EQ(system_type_from_name("Edacs Scat")->file_word, "Scat");
}

TEST(SystemTypes, TheWriterChainGivesEveryFileWord) {
    EXPECT_EQ(file_word_for_system_type("Edacs Scat"), "Scat");
    EXPECT_EQ(file_word_for_system_type("Edacs Narrow/Wide"), "Edacs");
    EXPECT_EQ(file_word_for_system_type("P25 OneFreqTrunk"), "P25OneFrequency");
    for (const auto& t : k_system_types)
        EXPECT_EQ(file_word_for_system_type(t.type_name), t.file_word) << t.type_name;
}
