#include <gtest/gtest.h>

#include <climits>

#include "storage/IniStore.h"
#include "storage/IniValues.h"

namespace orvane {
namespace {

TEST(IniValues, ReadsIntegersLikeWtoi) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"42", 42},
        {L"  -7", -7},
        {L"\t+13x", 13},
        {L"", 0},
        {L"abc", 0},
        {L"- 5", 0},
        {L"12 34", 12},
        {L"0x1F", 0},
        {L"2147483647", INT_MAX},
        {L"2147483648", INT_MAX},
        {L"-2147483648", INT_MIN},
        {L"-99999999999999999999", INT_MIN},
    };
    for (auto [text, want] : cases) {
        EXPECT_EQ(ParseIntLikeWtoi(text), want) << "\"" << std::wstring(text).size() << "\"";
    }
}

TEST(IniValues, ExtractsFieldsWithoutTrimming) {
    EXPECT_EQ(ExtractField(L"a, b,,c", 1), L" b");
    EXPECT_EQ(ExtractField(L"a, b,,c", 2), L"");
    EXPECT_EQ(ExtractField(L"a, b,,c", 3), L"c");
    EXPECT_EQ(ExtractField(L"a, b,,c", 4), L"");
    EXPECT_EQ(ExtractField(L"a", -1), L"");
    EXPECT_EQ(ExtractField(L"", 0), L"");
    EXPECT_EQ(SplitFields(L"1,2,").size(), 3u);
    EXPECT_EQ(FieldCount(L""), 1);
}

TEST(MemoryIniStore, NamesIgnoreCaseAndKeysKeepTheirPlace) {
    MemoryIniStore s;
    s.WriteText(L"Profile1", L"IndexPic65", L"1");
    s.WriteText(L"profile1", L"MacroStrNum", L"2");
    s.WriteText(L"PROFILE1", L"indexpic65", L"3"); // replaces in place
    s.WriteText(L"TYPE", L"type", L"");
    ASSERT_EQ(s.Sections().size(), 2u);
    EXPECT_EQ(s.Entries(L"Profile1"),
              (std::vector<MemoryIniStore::Entry>{{L"IndexPic65", L"3"}, {L"MacroStrNum", L"2"}}));
    EXPECT_EQ(s.ReadInt(L"profile1", L"INDEXPIC65", 0), 3);
    EXPECT_EQ(s.ReadInt(L"Profile1", L"missing", 9), 9);
    EXPECT_EQ(s.ReadInt(L"TYPE", L"type", 1), 1); // an empty value reads as the default
    EXPECT_EQ(s.ReadText(L"nosection", L"x"), L"");

    s.EmptySection(L"PROFILE1");
    EXPECT_TRUE(s.HasSection(L"Profile1"));
    EXPECT_TRUE(s.Entries(L"Profile1").empty());
    EXPECT_FALSE(s.HasSection(L"Profile2"));
}

TEST(MemoryIniStore, LineBreaksInValuesCannotOpenNewKeys) {
    MemoryIniStore s;
    s.WriteText(L"P", L"Name", L"a\r\n[TYPE]\ntype=3");
    EXPECT_EQ(s.ReadText(L"P", L"Name"), L"a  [TYPE] type=3");
    MemoryIniStore back = ParseIniText(s.ToText());
    EXPECT_FALSE(back.HasSection(L"TYPE"));
    EXPECT_EQ(back.ReadText(L"P", L"Name"), L"a  [TYPE] type=3");
}

TEST(ParseIniText, ReadsAsThePrivateProfileFunctionsDo) {
    MemoryIniStore s = ParseIniText(L"orphan=1\r\n"
                                    L"; comment\r\n"
                                    L"  [ Profile1 ]  \r\n"
                                    L"  Key65 =  66  \r\n"
                                    L"SetName65=\"  spaced  \"\n"
                                    L"key65=67\n"
                                    L"novalue\n"
                                    L"eq=a=b\r"
                                    L"[TYPE]\n"
                                    L"type=2\n"
                                    L"[profile1]\n"
                                    L"MacroStrNum=1\n"
                                    L"[broken\n");
    EXPECT_FALSE(s.HasSection(L""));
    EXPECT_EQ(s.ReadInt(L"Profile1", L"Key65", 0), 66); // the first of repeated keys
    EXPECT_EQ(s.ReadText(L"Profile1", L"SetName65"), L"  spaced  ");
    EXPECT_EQ(s.ReadText(L"Profile1", L"eq"), L"a=b");
    EXPECT_EQ(s.ReadInt(L"Profile1", L"MacroStrNum", 0), 1); // a repeated section adds to the first
    EXPECT_EQ(s.ReadInt(L"TYPE", L"type", 1), 2);
    EXPECT_EQ(s.Sections().size(), 2u);
}

// Whatever a store holds, its text reads back as the same store: values
// with blanks at the ends, quotes and separators survive.
TEST(ParseIniText, ToTextRoundTrips) {
    MemoryIniStore s;
    const wchar_t* values[] = {
        L" lead", L"trail\t", L"\"quoted\"", L"'single'",           L"\"", L"'",
        L"a=b",   L"[x]",     L";semi",      L"Ελληνικά 中文 عربي", L""};
    int i = 0;
    for (const wchar_t* v : values) {
        s.WriteText(L"S", L"k" + std::to_wstring(i++), v);
    }
    s.EmptySection(L"Empty");
    MemoryIniStore back = ParseIniText(s.ToText());
    EXPECT_EQ(back.Entries(L"S"), s.Entries(L"S"));
    EXPECT_TRUE(back.HasSection(L"Empty"));
}

TEST(DecodeIniBytes, HandlesTheEncodingsOfIniFiles) {
    using namespace std::string_literals;
    // UTF-16LE "A" + U+1F600 (a surrogate pair) + lone high surrogate + odd byte.
    EXPECT_EQ(DecodeIniBytes("\xFF\xFE"
                             "A\0"
                             "\x3D\xD8\x00\xDE"
                             "\x3D\xD8"
                             "Z"s),
              L"A\U0001F600\xFFFD\xFFFD");
    EXPECT_EQ(DecodeIniBytes("\xFE\xFF\x00"
                             "B"s),
              L"B");
    EXPECT_EQ(DecodeIniBytes("\xEF\xBB\xBF"
                             "a\xCE\xB1\xE4\xB8\xAD\xF0\x9F\x98\x80\xC0\x80\xE4"s),
              L"a\x3B1\x4E2D\U0001F600\xFFFD\xFFFD\xFFFD");
    EXPECT_EQ(DecodeIniBytes("ab\xE9"s), L"ab\xE9");
}

} // namespace
} // namespace orvane
