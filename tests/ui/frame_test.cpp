// One whole frame of a hand-built scene, checked layer by layer from back to front.
#include <gtest/gtest.h>

#include "game/game_state.hpp"
#include "ui/backdrop.hpp"
#include "draw/font.hpp"
#include "draw/primitives.hpp"
#include "draw/view.hpp"
#include "ui/health_column_look.hpp"
#include "ui/monster_look.hpp"
#include "ui/ship_look.hpp"
#include "ui/weapon_column_look.hpp"
#include "support/gl_double.hpp"
#include "ui/frame.hpp"
#include "ui/hud.hpp"
#include "ui/messages.hpp"

using namespace gldouble;

namespace {
// A Gun crate at the bottom (open at 2000 points) under four Power crates (open at 3200).
GameState sceneAtScore(std::int32_t score)
{
    GameState state = createGameState();
    for (UpgradeCrate& crate : state.weaponColumn)
        crate.type = UpgradeType::Power;
    state.weaponColumn[0].type = UpgradeType::Gun;
    state.score = score;
    state.monsters.push_back({MonsterKind::Small, 300, 200, 40, 34, 6, 10, 100, 3, 3.5f, {1.0f, 0.88f, 0.1f}});
    state.shots = {{400, 500, 0, -640, 5, 1}, {420, 300, 0, -640, 5, 1}};
    addMessage(state.messages, "1 GUN ADDED", 450, 330, {0.75f, 1.0f, 0.55f});
    return state;
}

// The layers up to the ship, in the order the frame must draw them.
std::vector<Call> sceneCalls(const GameState& s, bool bottomCrateOpen)
{
    return recordCalls([&] {
        beginFrame(900, 700);
        drawHudBackdrop();
        drawHud(s);
        drawPlayfield();
        drawText(65, 106, "HEALTH", 1.6f, {1.0f, 0.45f, 0.45f});
        drawText(773, 106, "WEAPON", 1.6f, {0.45f, 0.65f, 1.0f});
        for (int i = 4; i >= 0; --i)
            drawHealthCrate(s.healthColumn[i], i == 0);
        for (int i = 4; i >= 0; --i)
            drawUpgradeCrate(s.weaponColumn[i], i == 0, i == 0 && bottomCrateOpen, i == 0 ? 2000 : 3200);
        drawMonster(s.monsters[0]);
        drawShot(s.shots[0]);
        drawShot(s.shots[1]);
        drawShip(s.ship);
    });
}

std::vector<Call> blendedMessageCalls(const GameState& s)
{
    std::vector<Call> bracket = {{"glEnable", {GL_BLEND}}, {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}}};
    const std::vector<Call> messages = recordCalls([&] { drawMessages(s.messages); });
    bracket.insert(bracket.end(), messages.begin(), messages.end());
    bracket.push_back({"glDisable", {GL_BLEND}});
    return bracket;
}

std::vector<Call> gameOverPanelCalls()
{
    return recordCalls([] {
        fillRect(250, 300, 400, 100, {0.3f, 0.0f, 0.0f});
        fillRect(262, 312, 376, 76, {0.7f, 0.0f, 0.0f});
        drawText(342, 324, "GAME OVER", 4, {1.0f, 1.0f, 1.0f});
        drawText(408, 365, "PRESS R", 2, {1.0f, 0.9f, 0.9f});
    });
}

std::vector<Call> operator+(std::vector<Call> front, const std::vector<Call>& back)
{
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

std::vector<Call> frameCalls(const GameState& state)
{
    return recordCalls([&] { drawFrame(state, 900, 700); });
}
}  // namespace

TEST(Frame, LayersBackToFrontWithMessagesInTheBlendBracket)
{
    // 2000 is exactly the bottom Gun crate's needed score: it is drawn open.
    const GameState state = sceneAtScore(2000);
    EXPECT_EQ(frameCalls(state), sceneCalls(state, true) + blendedMessageCalls(state));
}

TEST(Frame, OnePointShortTheBottomCrateStaysLocked)
{
    const GameState state = sceneAtScore(1999);
    EXPECT_EQ(frameCalls(state), sceneCalls(state, false) + blendedMessageCalls(state));
}

TEST(Frame, WithoutMessagesBlendingIsNeverTouched)
{
    GameState state = sceneAtScore(2000);
    state.messages.clear();
    EXPECT_EQ(frameCalls(state), sceneCalls(state, true));
}

TEST(Frame, GameOverPanelComesLastOverTheMessages)
{
    GameState state = sceneAtScore(2000);
    state.gameOver = true;
    EXPECT_EQ(frameCalls(state), sceneCalls(state, true) + blendedMessageCalls(state) + gameOverPanelCalls());
}
