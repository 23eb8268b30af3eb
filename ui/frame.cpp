// One whole frame, back to front.
#include "ui/frame.hpp"

#include <GL/gl.h>

#include <cstddef>

#include "app/game_state.hpp"
#include "draw/backdrop.hpp"
#include "draw/font.hpp"
#include "draw/primitives.hpp"
#include "draw/view.hpp"
#include "game/health_column_look.hpp"
#include "game/monster_look.hpp"
#include "game/ship_look.hpp"
#include "game/weapon_column_look.hpp"
#include "ui/hud.hpp"
#include "ui/messages.hpp"

namespace {
constexpr float kLabelY = 106.0f;
constexpr float kLabelScale = 1.6f;
constexpr float kHealthLabelX = 65.0f;
constexpr float kWeaponLabelX = 773.0f;

void drawColumnLabels()
{
    drawText(kHealthLabelX, kLabelY, "HEALTH", kLabelScale, 1.0f, 0.45f, 0.45f);
    drawText(kWeaponLabelX, kLabelY, "WEAPON", kLabelScale, 0.45f, 0.65f, 1.0f);
}

// Top slot first, so the bottom crate, the one being shot, lies on top where crates overlap.
void drawHealthColumn(const HealthColumn& column)
{
    for (std::size_t i = column.size(); i-- > 0;)
        drawHealthCrate(column[i], i == 0);
}

// Locked or open is worked out from the score every frame; the crate's stored flag only
// drives the highlight.
void drawWeaponColumn(const WeaponColumn& column, std::int32_t score, std::int32_t lastUpgradeScore)
{
    for (std::size_t i = column.size(); i-- > 0;) {
        const std::int32_t neededScore = lastUpgradeScore + unlockThreshold(column[i].type);
        drawUpgradeCrate(column[i], i == 0, score >= neededScore, neededScore);
    }
}

void drawPlayObjects(const GameState& state)
{
    for (const Monster& monster : state.monsters)
        drawMonster(monster);
    for (const Shot& shot : state.shots)
        drawShot(shot);
    drawShip(state.ship);
}

// The messages are the only translucent drawing, so blending is on for them alone.
void drawBlendedMessages(const MessageList& messages)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawMessages(messages);
    glDisable(GL_BLEND);
}

constexpr float kPanelLeft = 250.0f;
constexpr float kPanelTop = 300.0f;
constexpr float kPanelWidth = 400.0f;
constexpr float kPanelHeight = 100.0f;
constexpr float kPanelInset = 12.0f;

// The texts sit centred on x 450 by the font's width rule, worked out in advance.
void drawGameOverPanel()
{
    fillRect(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight, 0.3f, 0.0f, 0.0f);
    fillRect(kPanelLeft + kPanelInset, kPanelTop + kPanelInset, kPanelWidth - 2.0f * kPanelInset,
             kPanelHeight - 2.0f * kPanelInset, 0.7f, 0.0f, 0.0f);
    drawText(342.0f, 324.0f, "GAME OVER", 4.0f, 1.0f, 1.0f, 1.0f);
    drawText(408.0f, 365.0f, "PRESS R", 2.0f, 1.0f, 0.9f, 0.9f);
}
}  // namespace

void drawFrame(SDL_Window* window, const GameState& state)
{
    beginFrame(window);
    drawHudBackdrop();
    drawHud(kLogicalWidth, state.health, state.score, state.wave, state.level, state.guns, state.power,
            state.supergun);
    drawPlayfield();
    drawColumnLabels();
    drawHealthColumn(state.healthColumn);
    drawWeaponColumn(state.weaponColumn, state.score, state.lastUpgradeScore);
    drawPlayObjects(state);
    if (!state.messages.empty())
        drawBlendedMessages(state.messages);
    // Last and opaque: the frozen scene and any fading message stay hidden behind it.
    if (state.gameOver)
        drawGameOverPanel();
}
