// Hits, kills, escapes with their penalties, and the end of the game.
#include "game/hits.hpp"

#include <algorithm>

#include "game/game_state.hpp"

bool circleHitsRect(float cx, float cy, float radius, float x, float y, float w, float h)
{
    const float nearestX = x > cx ? x : std::min(x + w, cx);
    const float nearestY = y > cy ? y : std::min(y + h, cy);
    const float dx = cx - nearestX;
    const float dy = cy - nearestY;
    return radius * radius >= dy * dy + dx * dx;
}

void hitMonsters(std::vector<Monster>& monsters, std::vector<Shot>& shots)
{
    // Monsters outside, shots inside: a shot touching two monsters meets the older one first.
    for (Monster& monster : monsters) {
        for (Shot& shot : shots) {
            if (shot.damage <= 0)
                continue;
            if (circleHitsRect(shot.x, shot.y, shot.radius, monster.x, monster.y, monster.width, monster.height)) {
                monster.hitPoints -= shot.damage;
                shot.damage = 0;
            }
        }
    }
}

void removeSpentShots(std::vector<Shot>& shots)
{
    std::erase_if(shots, [](const Shot& shot) { return shot.damage <= 0; });
}

void collectKills(std::vector<Monster>& monsters, std::int32_t& score)
{
    for (const Monster& monster : monsters)
        if (monster.hitPoints <= 0)
            score += monster.scoreValue;
    std::erase_if(monsters, [](const Monster& monster) { return monster.hitPoints <= 0; });
}

namespace {

// Counts one escape against its counter and tells whether the count reached a penalty.
bool countEscape(std::int32_t& escapes, std::int32_t escapesPerPenalty)
{
    escapes += 1;
    if (escapes < escapesPerPenalty)
        return false;
    escapes = 0;
    return true;
}

}  // namespace

void handleEscapes(GameState& state)
{
    for (Monster& monster : state.monsters) {
        if (monster.y + monster.height < kFloorY)
            continue;
        bool penalty = true;
        if (monster.escapesPerPenalty == 2)
            penalty = countEscape(state.mediumEscapes, 2);
        else if (monster.escapesPerPenalty > 2)
            penalty = countEscape(state.smallEscapes, 3);
        if (penalty)
            applyPenalty(state);
        // Marked dead so the sweep below removes exactly the escaped monsters.
        monster.hitPoints = 0;
    }
    std::erase_if(state.monsters, [](const Monster& monster) { return monster.hitPoints <= 0; });
}

namespace {

constexpr std::int32_t kHealthPenalty = 5;
constexpr float kLossMessageX = (kLaneLeft + kLaneRight) * 0.5f;
constexpr float kLossMessageY = 330.0f;

bool holds(const GameState& state, UpgradeType type)
{
    switch (type) {
    case UpgradeType::Supergun: return state.supergun;
    case UpgradeType::Power: return state.power > 1;
    case UpgradeType::Gun: return state.guns > 1;
    }
    return false;
}

// The newest entry of the history whose upgrade is still held; entries popped on the way
// (the matching one included) are gone.
UpgradeType popNewestHeld(GameState& state)
{
    while (!state.upgradeHistory.empty()) {
        const UpgradeType newest = state.upgradeHistory.back();
        state.upgradeHistory.pop_back();
        if (holds(state, newest))
            return newest;
    }
    for (UpgradeType type : {UpgradeType::Supergun, UpgradeType::Power, UpgradeType::Gun})
        if (holds(state, type))
            return type;
    return UpgradeType::Gun;  // unreachable: the caller saw something to take
}

void takeBack(GameState& state, UpgradeType type)
{
    switch (type) {
    case UpgradeType::Supergun:
        state.supergun = false;
        break;
    case UpgradeType::Power:
        state.power -= 1;
        break;
    case UpgradeType::Gun:
        state.guns -= 1;
        // A fan needs two guns: losing the second gun loses the supergun with it.
        if (state.guns < 2)
            state.supergun = false;
        break;
    }
}

}  // namespace

void applyPenalty(GameState& state)
{
    if (state.guns <= 1 && state.power <= 1 && !state.supergun) {
        state.health -= kHealthPenalty;
        addMessage(state.messages, "5 HEALTH LOST", kLossMessageX, kLossMessageY, {1.0f, 0.18f, 0.18f});
        return;
    }
    const UpgradeType taken = popNewestHeld(state);
    takeBack(state, taken);
    state.loadoutChanged = true;
    addMessage(state.messages, lossText(taken), kLossMessageX, kLossMessageY, {1.0f, 0.42f, 0.22f});
}

std::string lossText(UpgradeType type)
{
    return upgradeMessage(type, "LOST");
}

void checkGameOver(std::int32_t& health, bool& gameOver)
{
    if (health > 0)
        return;
    health = 0;
    gameOver = true;
}
