// How floating messages look: they rise 44 units and fade over their life, over a soft shadow.
#include "ui/messages.hpp"

#include <algorithm>

#include "draw/font.hpp"

namespace {
constexpr float kMessageScale = 3.2f;
constexpr float kRiseOverLife = 44.0f;
constexpr float kShadowOffset = 3.0f;
constexpr float kShadowStrength = 0.65f;

void drawMessage(const FloatingText& message)
{
    // 0 at birth, 1 at the end of life.
    const float age = std::clamp(1.0f - message.timeLeft / message.lifetime, 0.0f, 1.0f);
    const float alpha = 1.0f - age;
    const float top = message.y - kRiseOverLife * age;
    const float left = centredTextX(message.x, message.text, kMessageScale);
    const Colour colour{message.color.r, message.color.g, message.color.b};
    drawTextAlpha(left + kShadowOffset, top + kShadowOffset, message.text, kMessageScale, palette::kBlack,
                  alpha * kShadowStrength);
    drawTextAlpha(left, top, message.text, kMessageScale, colour, alpha);
}
}  // namespace

void drawMessages(const MessageList& list)
{
    // Oldest first, so a newer message lies over an older one at the same spot.
    for (const FloatingText& message : list)
        drawMessage(message);
}
