// Floats as text: the shortest digits laid out as the standard library lays them out, and
// read back to the very same float.
#include "game/float_text.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace {

std::uint32_t bitsOf(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

// The standard library's reading, which the desktop builds have.
float standardRead(const std::string& text)
{
    float value = std::numeric_limits<float>::quiet_NaN();
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << "not a number: " << text;
    return value;
}

std::string printedFloat(float value)
{
    std::string text;
    appendFloat(text, value);
    return text;
}

TEST(FloatText, FloatsReadBackAsExactlyTheSameFloat)
{
    std::vector<float> values = {0.05f,
                                 0.1f,
                                 1.0f / 3.0f,
                                 613.3331f,
                                 1e-4f,
                                 -0.0f,
                                 -640.0f,
                                 std::numeric_limits<float>::denorm_min(),
                                 std::numeric_limits<float>::min(),
                                 std::numeric_limits<float>::max(),
                                 std::nextafter(1.0f, 2.0f),
                                 16777217.0f};
    std::mt19937 bits(7);
    while (values.size() < 20000) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits()));
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const float value : values)
        ASSERT_EQ(bitsOf(readFloat(printedFloat(value)).value_or(NAN)), bitsOf(value)) << printedFloat(value);
}

TEST(FloatText, FloatsTakeTheirShortestForm)
{
    EXPECT_EQ(printedFloat(0.05f), "0.05");
    EXPECT_EQ(printedFloat(431.0f), "431");
    EXPECT_EQ(printedFloat(0.016667f), "0.016667");
    EXPECT_EQ(printedFloat(2.125f), "2.125");
}

// Floats are written our own way (the browser's C++ library has no floating-point to_chars),
// and must come out exactly as the standard library writes them on the desktop. Where
// the two could part: beside powers of two (lopsided rounding ranges), beside powers of ten
// (a digit more or less), whole numbers written out, subnormals, and anything at random.
TEST(FloatText, FloatsAreWrittenExactlyAsTheStandardLibraryWritesThem)
{
    std::vector<std::uint32_t> patterns;
    for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
        for (std::uint32_t offset = 0; offset < 64; ++offset)
            patterns.insert(patterns.end(), {(exponent << 23) + offset, (exponent << 23) - offset - 1});
    }
    for (int power = -45; power <= 38; ++power) {
        const std::uint32_t tenth = bitsOf(standardRead("1e" + std::to_string(power)));
        for (std::uint32_t offset = 0; offset < 64; ++offset)
            patterns.insert(patterns.end(), {tenth + offset, tenth - offset});
    }
    std::mt19937 bits(11);
    for (int i = 0; i < 50000; ++i)
        patterns.push_back(static_cast<std::uint32_t>(bits()));
    for (const std::uint32_t pattern : patterns) {
        const float value = std::bit_cast<float>(pattern);
        if (!std::isfinite(value))
            continue;
        char standard[64];
        const std::to_chars_result end = std::to_chars(std::begin(standard), std::end(standard), value);
        ASSERT_EQ(printedFloat(value), std::string(standard, end.ptr)) << "bits " << pattern;
    }
}

// Decimal texts of many digits near the halfway points between floats, where a reading that
// rounds twice (to a double, then to a float) or stops early after some digits is off by one.
TEST(FloatText, ReadsTheNearestFloatAsTheStandardLibraryDoes)
{
    std::mt19937 bits(5);
    for (int i = 0; i < 20000; ++i) {
        const float below = std::bit_cast<float>(static_cast<std::uint32_t>(bits() % 0x7f000000u));
        const double halfway = (static_cast<double>(below) + std::nextafter(below, 2.0f * below + 1.0f)) / 2.0;
        char text[64];
        const int digits = 9 + static_cast<int>(bits() % 12);
        const std::to_chars_result end =
            std::to_chars(std::begin(text), std::end(text), halfway, std::chars_format::scientific, digits);
        const std::string decimal(text, end.ptr);
        const std::optional<float> value = readFloat(decimal);
        ASSERT_TRUE(value.has_value()) << decimal;
        ASSERT_EQ(bitsOf(*value), bitsOf(standardRead(decimal))) << decimal;
    }
}

TEST(FloatText, ReadsPlainDecimalsOnly)
{
    const std::pair<std::string_view, float> numbers[] = {
        {"0.016667", 0.016667f}, {"5.", 5.0f},  {".25", 0.25f},     {"+2E-2", 0.02f},      {"007", 7.0f},
        {"1e-50", 0.0f},         {"-0", -0.0f}, {"1e39", INFINITY}, {"1e0000000000003", 1000.0f},
    };
    for (const auto& [text, value] : numbers) {
        const std::optional<float> read = readFloat(text);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(bitsOf(*read), bitsOf(value)) << text;
    }
    using namespace std::string_view_literals;
    for (const std::string_view text : {""sv, "."sv, "e5"sv, "1e"sv, "1e+"sv, "+-1"sv, "1.5."sv, " 1"sv, "1 "sv,
                                        "0x10"sv, "inf"sv, "nan"sv, "1,5"sv, "1\0005"sv})
        EXPECT_FALSE(readFloat(text).has_value()) << text;
}

}  // namespace
