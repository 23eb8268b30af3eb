// Floating messages as the rules see them: posting one and letting it age.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/rgb.hpp"

struct FloatingText {
    std::string text;
    float x = 0.0f;  // horizontal centre of the text
    float y = 0.0f;  // top edge of the text at birth
    float timeLeft = 0.0f;
    float lifetime = 0.0f;
    Rgb color;
};

// Oldest first.
using MessageList = std::vector<FloatingText>;

inline constexpr int MaxMessages = 4;

// Adds a message with one second to live; a fifth pushes out the oldest.
void addMessage(MessageList& list, std::string_view text, float x, float y, Rgb color);

// Counts every message down by dt and drops the expired ones, keeping the order of the rest.
void ageMessages(MessageList& list, float dt);
