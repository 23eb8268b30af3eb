// How a monster looks: body, face and hit-point bar.
#include "ui/monster_look.hpp"

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
    fillDisc(monster.x + kEyeInset, eyeY, kEyeRadius, palette::kBlack);
    fillDisc(monster.x + monster.width - kEyeInset, eyeY, kEyeRadius, palette::kBlack);
    fillRect(monster.x + kMouthInset, monster.y + monster.height - kMouthRise, monster.width - 2.0f * kMouthInset,
             kMouthHeight, palette::kBlack);
}

void drawHitPointBar(const Monster& monster)
{
    const float barY = monster.y - kBarRise;
    fillRect(monster.x, barY, monster.width, kBarHeight, palette::kMonsterBarEmpty);
    fillRect(monster.x, barY, monster.width * hitPointFraction(monster), kBarHeight, palette::kMonsterBarFull);
}
}  // namespace

void drawMonster(const Monster& monster)
{
    const Colour body{monster.color.r, monster.color.g, monster.color.b};
    fillRect(monster.x, monster.y, monster.width, monster.height, body);
    drawFace(monster);
    drawHitPointBar(monster);
}
