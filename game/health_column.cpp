// The health column: five packs, the bottom one claimed by shots to heal the player.
#include "game/health_column.hpp"

#include <algorithm>


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
        addMessage(messages, "10 HEALTH ADDED", x, kHealMessageY, {0.45f, 1.0f, 0.45f});
    else
        addMessage(messages, "HEALTH FULL", x, kHealMessageY, {0.75f, 1.0f, 0.75f});
}

void shootHealthColumn(HealthColumn& column, std::vector<Shot>& shots, std::int32_t& health, MessageList& messages)
{
    // Shots pass a column that is empty or moving.
    const auto shootable = [&] { return !column.empty() && !columnMoving(column); };
    shootBottomCrate(column, shots, shootable, [&] {
        applyHealthPack(health, messages, kLaneLeft, kLaneRight);
        column.erase(column.begin());
        topUpHealthColumn(column, kHealthColumnX, kFloorY);
    });
}
