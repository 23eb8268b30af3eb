// Text from outside (a script, an argument, a path) quoted for a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How much of a word or argument a message quotes.
constexpr std::size_t kMostQuotedChars = 40;

// Text from outside as a message shows it: in single quotes, every byte outside printable
// ASCII as \xNN and a backslash as \\, and cut short with "..." before it shows more than
// `mostChars` characters, so no input can flood or steer the terminal the message goes to.
std::string quoteForMessage(std::string_view text, std::size_t mostChars = kMostQuotedChars);
