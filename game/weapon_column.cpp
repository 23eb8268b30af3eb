// The weapon column: random upgrade crates that open by score and are claimed by shots.
#include "game/weapon_column.hpp"

#include <algorithm>

#include "game/game_state.hpp"
#include "game/random.hpp"

bool isUpgradeEligible(UpgradeType type, std::int32_t guns, std::int32_t power, bool supergun)
{
    switch (type) {
    case UpgradeType::Gun: return guns < kMostGuns;
    case UpgradeType::Power: return power < kMostPower;
    case UpgradeType::Supergun: return guns >= 2 && !supergun;
    }
    return false;
}

UpgradeType pickUpgradeType(std::mt19937& rng, std::int32_t guns, std::int32_t power, bool supergun)
{
    // The order of this list fixes which type a given engine output selects.
    constexpr UpgradeType kWeighted[] = {UpgradeType::Gun,   UpgradeType::Gun,   UpgradeType::Power,
                                         UpgradeType::Power, UpgradeType::Power, UpgradeType::Supergun};
    UpgradeType candidates[std::size(kWeighted)];
    int count = 0;
    for (UpgradeType type : kWeighted)
        if (isUpgradeEligible(type, guns, power, supergun))
            candidates[count++] = type;
    if (count == 0)
        return UpgradeType::Power;
    return candidates[randomIndex(rng, count)];
}

namespace {

constexpr std::int32_t kHitsPerUpgradeCrate = 10;

bool anyUpgradeEligible(std::int32_t guns, std::int32_t power, bool supergun)
{
    return guns < kMostGuns || power < kMostPower || !supergun;
}

}  // namespace

void layoutWeaponColumn(WeaponColumn& column, std::mt19937& rng, std::int32_t guns, std::int32_t power,
                        bool supergun, float columnX, float floorY, bool appearInPlace)
{
    std::erase_if(column, [&](const UpgradeCrate& crate) { return !isUpgradeEligible(crate.type, guns, power, supergun); });
    reslotColumn(column, columnX, floorY);
    while (column.size() < kColumnSlots && anyUpgradeEligible(guns, power, supergun)) {
        UpgradeCrate crate;
        crate.type = pickUpgradeType(rng, guns, power, supergun);
        placeNewTopCrate(crate, column, columnX, floorY, appearInPlace);
        crate.hitsNeeded = kHitsPerUpgradeCrate;
        column.push_back(crate);
    }
}

void fillWeaponColumn(WeaponColumn& column, std::mt19937& rng, std::int32_t guns, std::int32_t power,
                      bool supergun, float columnX, float floorY)
{
    column.clear();
    layoutWeaponColumn(column, rng, guns, power, supergun, columnX, floorY, true);
}

void topUpWeaponColumn(WeaponColumn& column, std::mt19937& rng, std::int32_t guns, std::int32_t power,
                       bool supergun, float columnX, float floorY)
{
    layoutWeaponColumn(column, rng, guns, power, supergun, columnX, floorY, false);
}

std::int32_t unlockThreshold(UpgradeType type)
{
    switch (type) {
    case UpgradeType::Gun: return 2000;
    case UpgradeType::Power: return 3200;
    case UpgradeType::Supergun: return 8000;
    }
    return 8000;
}

bool isCrateUnlocked(const UpgradeCrate& crate, std::int32_t score, std::int32_t lastUpgradeScore)
{
    return score >= lastUpgradeScore + unlockThreshold(crate.type);
}

namespace {
constexpr std::int32_t kUngrantableUpgradePoints = 250;
}

bool grantUpgrade(UpgradeType type, std::int32_t& guns, std::int32_t& power, bool& supergun, std::int32_t& score)
{
    if (!isUpgradeEligible(type, guns, power, supergun)) {
        score += kUngrantableUpgradePoints;
        return false;
    }
    switch (type) {
    case UpgradeType::Gun: guns += 1; break;
    case UpgradeType::Power: power += 1; break;
    case UpgradeType::Supergun: supergun = true; break;
    }
    return true;
}

std::string upgradeAddedText(UpgradeType type)
{
    return upgradeMessage(type, "ADDED");
}

namespace {

constexpr float kGrantMessageX = (kLaneLeft + kLaneRight) * 0.5f;
constexpr float kGrantMessageY = 330.0f;

void claimBottomCrate(GameState& state)
{
    const UpgradeType type = state.weaponColumn.front().type;
    if (grantUpgrade(type, state.guns, state.power, state.supergun, state.score)) {
        state.loadoutChanged = true;
        state.upgradeHistory.push_back(type);
        state.lastUpgradeScore = state.score;
        addMessage(state.messages, upgradeAddedText(type), kGrantMessageX, kGrantMessageY, {0.75f, 1.0f, 0.55f});
    }
    state.weaponColumn.erase(state.weaponColumn.begin());
    topUpWeaponColumn(state.weaponColumn, state.rng, state.guns, state.power, state.supergun, kWeaponColumnX, kFloorY);
}

}  // namespace

void shootWeaponColumn(GameState& state)
{
    // Shots pass a column that is empty, moving or locked.
    const auto shootable = [&] {
        return !state.weaponColumn.empty() && !columnMoving(state.weaponColumn) &&
               isCrateUnlocked(state.weaponColumn.front(), state.score, state.lastUpgradeScore);
    };
    shootBottomCrate(state.weaponColumn, state.shots, shootable, [&] { claimBottomCrate(state); });
}

namespace {
constexpr float kUnlockFlashSeconds = 5.0f;
}

void updateUnlockFlash(WeaponColumn& column, std::int32_t score, std::int32_t lastUpgradeScore, float dt)
{
    for (UpgradeCrate& crate : column) {
        const bool unlockedNow = isCrateUnlocked(crate, score, lastUpgradeScore);
        if (unlockedNow && !crate.unlocked)
            crate.unlockFlash = kUnlockFlashSeconds;
        if (!unlockedNow && crate.unlocked)
            crate.unlockFlash = 0.0f;
        crate.unlocked = unlockedNow;
        if (crate.unlockFlash > 0.0f) {
            crate.unlockFlash -= dt;
            if (crate.unlockFlash < 0.0f)
                crate.unlockFlash = 0.0f;
        }
    }
}
