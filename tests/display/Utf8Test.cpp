#include <gtest/gtest.h>

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
    EXPECT_EQ(DecodeUtf8(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeUtf8Table, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ik
