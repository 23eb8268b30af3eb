// Text from outside quoted for a message.
#include "game/quoting.hpp"

std::string quoteForMessage(std::string_view text, std::size_t mostChars)
{
    constexpr char kHexDigits[] = "0123456789abcdef";
    constexpr std::string_view kCut = "...";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        std::string form;
        if (c == '\\')
            form = "\\\\";
        else if (byte < 0x20 || byte > 0x7e)
            form = {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xf]};
        else
            form = c;
        if (shown.size() + form.size() > mostChars) {
            shown += kCut;
            break;
        }
        shown += form;
    }
    return '\'' + shown + '\'';
}
