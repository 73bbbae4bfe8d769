#include <gtest/gtest.h>

#include "display/Exception.h"
#include "display/Utf8.h"

namespace ik {
namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::u32string expected;
};

constexpr char32_t kBad = 0xFFFD;

const Utf8Case kCases[] = {
    {"ascii", "Hra", U"Hra"},
    {"czechTwoBytes", "Žár", U"\u017D\u00E1r"},
    {"threeBytes", "\xE2\x82\xAC", U"\u20AC"},
    {"fourBytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
    {"truncatedAtEnd", "a\xC5", {U'a', kBad}},
    {"continuationAlone", "\x80x", {kBad, U'x'}},
    {"overlongSlash", "\xC0\xAF", {kBad, kBad}},
    {"surrogate", "\xED\xA0\x80", {kBad, kBad, kBad}},
    {"beyondUnicode", "\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},
    {"brokenSequenceKeepsNextLetter", "\xC5Z", {kBad, U'Z'}},
};

class DecodeUtf8Table : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(DecodeUtf8Table, GivesCodePointsAndReplacements) {
    EXPECT_EQ(decodeUtf8(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeUtf8Table, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PrintableCase {
    const char* name;
    std::string bytes;
    std::string shown;
};

const PrintableCase kPrintableCases[] = {
    {"czechStays", "Žár \xE2\x82\xAC", "Žár \xE2\x82\xAC"},
    {"nulInTheMiddle", std::string("na\0me", 5), "na\\x00me"},
    {"lineBreaksAndTab", "a\r\nb\tc", "a\\x0D\\x0Ab\\x09c"},
    {"escapeAndDelete", "\x1B[2J\x7F", "\\x1B[2J\\x7F"},
    {"c1ControlAsUtf8", "\xC2\x85", "\\xC2\\x85"},
    {"latin1Byte", "K\xE1men", "K\\xE1men"},
    {"truncatedAtEnd", "a\xC5", "a\\xC5"},
    {"overlong", "\xC0\xAF/", "\\xC0\\xAF/"},
    {"surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
};

class PrintableTextTable : public ::testing::TestWithParam<PrintableCase> {};

TEST_P(PrintableTextTable, EscapesWhatCannotBeShown) { EXPECT_EQ(printableText(GetParam().bytes), GetParam().shown); }

TEST_P(PrintableTextTable, MessagesAndTheirNamesComeWhole) {
    const PrintableCase& c = GetParam();
    EXPECT_EQ(std::string(Exception("Error reading " + c.bytes + ": Stream read error").what()),
              "Error reading " + c.shown + ": Stream read error");
    EXPECT_EQ(Format("Image '%s' not found", c.bytes), "Image '" + c.shown + "' not found");
    // A message wrapped in another one keeps its escapes as they are.
    EXPECT_EQ(std::string(Exception(std::string("outer: ") + Exception(c.bytes).what()).what()), "outer: " + c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintableTextTable, ::testing::ValuesIn(kPrintableCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ik
