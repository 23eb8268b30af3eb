// How a monster looks: body, face and hit-point bar.
#include "game/monster_look.hpp"

#include <algorithm>

#include "draw/primitives.hpp"
#include "game/monsters.hpp"

namespace {
constexpr float kEyeInset = 11.0f;
constexpr float kEyeDrop = 13.0f;
constexpr float kEyeRadius = 3.0f;
constexpr float kMouthInset = 10.0f;
constexpr float kMouthRise = 12.0f;
constexpr float kMouthHeight = 3.0f;
// The bar hangs above the body: y grows downward.
constexpr float kBarRise = 8.0f;
constexpr float kBarHeight = 4.0f;

// Overkill leaves hit points below zero, which must not draw a bar pointing left.
float hitPointFraction(const Monster& monster)
{
    const float fraction = static_cast<float>(monster.hitPoints) / static_cast<float>(monster.maxHitPoints);
    return std::clamp(fraction, 0.0f, 1.0f);
}

void drawFace(const Monster& monster)
{
    const float eyeY = monster.y + kEyeDrop;
    fillDisc(monster.x + kEyeInset, eyeY, kEyeRadius, 0.0f, 0.0f, 0.0f);
    fillDisc(monster.x + monster.width - kEyeInset, eyeY, kEyeRadius, 0.0f, 0.0f, 0.0f);
    fillRect(monster.x + kMouthInset, monster.y + monster.height - kMouthRise, monster.width - 2.0f * kMouthInset,
             kMouthHeight, 0.0f, 0.0f, 0.0f);
}

void drawHitPointBar(const Monster& monster)
{
    const float barY = monster.y - kBarRise;
    fillRect(monster.x, barY, monster.width, kBarHeight, 0.22f, 0.04f, 0.04f);
    fillRect(monster.x, barY, monster.width * hitPointFraction(monster), kBarHeight, 0.1f, 0.95f, 0.1f);
}
}  // namespace

void drawMonster(const Monster& monster)
{
    fillRect(monster.x, monster.y, monster.width, monster.height, monster.color.r, monster.color.g, monster.color.b);
    drawFace(monster);
    drawHitPointBar(monster);
}
