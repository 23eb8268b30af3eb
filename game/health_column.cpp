// The health column: five packs, the bottom one claimed by shots to heal the player.
#include "game/health_column.hpp"

#include <algorithm>

#include "app/game_state.hpp"
#include "game/columns.hpp"
#include "game/hits.hpp"

namespace {

constexpr std::int32_t kHitsPerHealthPack = 20;

}  // namespace

void layoutHealthColumn(HealthColumn& column, float columnX, float floorY, bool appearInPlace)
{
    reslotColumn(column, columnX, floorY);
    while (column.size() < kColumnSlots) {
        HealthCrate pack;
        placeNewTopCrate(pack, column, columnX, floorY, appearInPlace);
        pack.hitsNeeded = kHitsPerHealthPack;
        column.push_back(pack);
    }
    reslotColumn(column, columnX, floorY);
}

void fillHealthColumn(HealthColumn& column, float columnX, float floorY)
{
    column.clear();
    layoutHealthColumn(column, columnX, floorY, true);
}

void topUpHealthColumn(HealthColumn& column, float columnX, float floorY)
{
    layoutHealthColumn(column, columnX, floorY, false);
}

namespace {
constexpr std::int32_t kHealthPerPack = 10;
constexpr std::int32_t kMostHealth = 100;
constexpr float kHealMessageY = 330.0f;
}  // namespace

void applyHealthPack(std::int32_t& health, MessageList& messages, float laneLeft, float laneRight)
{
    const std::int32_t old = health;
    health = std::min(old + kHealthPerPack, kMostHealth);
    const float x = (laneLeft + laneRight) * 0.5f;
    if (health > old)
        addMessage(messages, "10 HEALTH ADDED", x, kHealMessageY, 0.45f, 1.0f, 0.45f);
    else
        addMessage(messages, "HEALTH FULL", x, kHealMessageY, 0.75f, 1.0f, 0.75f);
}

namespace {

// Shots pass a column that is empty or moving. Only a claim changes that within a pass.
bool healthColumnShootable(const GameState& state)
{
    return !state.healthColumn.empty() && !columnMoving(state.healthColumn);
}

}  // namespace

void shootHealthColumn(GameState& state)
{
    bool shootable = healthColumnShootable(state);
    for (Shot& shot : state.shots) {
        if (!shootable)
            return;
        if (shot.damage <= 0)
            continue;
        HealthCrate& bottom = state.healthColumn.front();
        if (!circleHitsRect(shot.x, shot.y, shot.radius, bottom.x, bottom.y, bottom.width, bottom.height))
            continue;
        bottom.hits += 1;
        shot.damage = 0;
        if (bottom.hits < bottom.hitsNeeded)
            continue;
        applyHealthPack(state.health, state.messages, kLaneLeft, kLaneRight);
        state.healthColumn.erase(state.healthColumn.begin());
        topUpHealthColumn(state.healthColumn, kHealthColumnX, kFloorY);
        // The top-up leaves the column moving: the rest of the volley flies on.
        shootable = healthColumnShootable(state);
    }
}
