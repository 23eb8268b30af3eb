// Quoting text from outside for a message.
#include "game/quoting.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(Quoting, ShowsAFewDozenCharactersAndOnlyPrintableAscii)
{
    using namespace std::string_literals;
    const std::string forty(kMostQuotedChars, 'x');
    const std::string shorter(kMostQuotedChars - 3, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"jump", "'jump'"},
        {"\x1b[2J\r\0\x7f\xff~ "s, R"('\x1b[2J\x0d\x00\x7f\xff~ ')"},
        {R"(a\x41)", R"('a\\x41')"},  // a backslash of the input is told from an escape
        {forty, "'" + forty + "'"},
        {forty + "y", "'" + forty + "...'"},
        {shorter + "\x01", "'" + shorter + "...'"},  // no escape is cut in half
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(quoteForMessage(text), shown);
    EXPECT_EQ(quoteForMessage(forty + forty, std::string_view::npos), "'" + forty + forty + "'");
}

}  // namespace
