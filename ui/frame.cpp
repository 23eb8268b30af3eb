// One whole frame, back to front.
#include "ui/frame.hpp"

#include <cstddef>

#include "draw/colour.hpp"
#include "draw/font.hpp"
#include "draw/primitives.hpp"
#include "draw/view.hpp"
#include "game/game_state.hpp"
#include "ui/backdrop.hpp"
#include "ui/health_column_look.hpp"
#include "ui/hud.hpp"
#include "ui/messages.hpp"
#include "ui/monster_look.hpp"
#include "ui/ship_look.hpp"
#include "ui/weapon_column_look.hpp"

// The rules' field and the drawing's logical space are the same 900 units wide.
static_assert(kFieldWidth == kLogicalWidth);

namespace {
constexpr float kLabelY = 106.0f;
constexpr float kLabelScale = 1.6f;
constexpr float kHealthLabelX = 65.0f;
constexpr float kWeaponLabelX = 773.0f;

void drawColumnLabels()
{
    drawText(kHealthLabelX, kLabelY, "HEALTH", kLabelScale, palette::kHealthColumnLabel);
    drawText(kWeaponLabelX, kLabelY, "WEAPON", kLabelScale, palette::kWeaponColumnLabel);
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
    setBlending(true);
    drawMessages(messages);
    setBlending(false);
}

constexpr float kPanelLeft = 250.0f;
constexpr float kPanelTop = 300.0f;
constexpr float kPanelWidth = 400.0f;
constexpr float kPanelHeight = 100.0f;
constexpr float kPanelInset = 12.0f;

constexpr float kPanelTitleY = 324.0f;
constexpr float kPanelTitleScale = 4.0f;
constexpr float kPanelHintY = 365.0f;
constexpr float kPanelHintScale = 2.0f;

void drawGameOverPanel()
{
    const float cx = kPanelLeft + kPanelWidth * 0.5f;
    fillRect(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight, palette::kPanelFrame);
    fillRect(kPanelLeft + kPanelInset, kPanelTop + kPanelInset, kPanelWidth - 2.0f * kPanelInset,
             kPanelHeight - 2.0f * kPanelInset, palette::kPanelBody);
    drawText(centredTextX(cx, "GAME OVER", kPanelTitleScale), kPanelTitleY, "GAME OVER", kPanelTitleScale,
             palette::kPanelTitle);
    drawText(centredTextX(cx, "PRESS R", kPanelHintScale), kPanelHintY, "PRESS R", kPanelHintScale,
             palette::kPanelHint);
}
}  // namespace

void drawFrame(const GameState& state, int pixelWidth, int pixelHeight)
{
    beginFrame(pixelWidth, pixelHeight);
    drawHudBackdrop();
    drawHud(state);
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
