// Floating messages as the rules see them: posting one and letting it age.
#include "game/messages.hpp"

#include <algorithm>

namespace {
constexpr float kMessageLifetimeSeconds = 1.0f;
}

void addMessage(MessageList& list, std::string_view text, float x, float y, Rgb color)
{
    FloatingText message{std::string(text), x, y, kMessageLifetimeSeconds, kMessageLifetimeSeconds, color};
    if (list.size() >= MaxMessages)
        list.erase(list.begin());
    list.push_back(std::move(message));
}

void ageMessages(MessageList& list, float dt)
{
    for (FloatingText& message : list)
        message.timeLeft -= dt;
    std::erase_if(list, [](const FloatingText& message) { return message.timeLeft <= 0.0f; });
}
