// 32-bit floats as decimal text: written in the fewest digits that read back as the same
// float, and read back the same on every system and in every C locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The shortest decimal text that reads back as exactly this float, byte for byte what
// std::to_chars writes.
void appendFloat(std::string& out, float value);

// A plain decimal number (digits, a point, a sign, an exponent) as the nearest 32-bit float;
// past float's range it rounds to infinity or to zero. Nothing when the text is anything else:
// spaces, hexadecimal, "inf", "nan", trailing junk.
std::optional<float> readFloat(std::string_view text);
