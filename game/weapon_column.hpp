// The weapon column: random upgrade crates that open by score and are claimed by shots.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "game/columns.hpp"
#include "game/upgrade.hpp"

struct GameState;

struct UpgradeCrate : ColumnCrate {
    UpgradeType type = UpgradeType::Gun;
    bool unlocked = false;  // as seen by the last unlock update; feeds the highlight edge only
    float unlockFlash = 0.0f;  // seconds of highlight left
};

// Index 0 is the bottom slot, the only crate shots can claim.
using WeaponColumn = std::vector<UpgradeCrate>;

inline constexpr std::int32_t kMostGuns = 3;
inline constexpr std::int32_t kMostPower = 20;

bool isUpgradeEligible(UpgradeType type, std::int32_t guns, std::int32_t power, bool supergun);

// Weighted Gun 2, Power 3, Supergun 1 among the eligible types: one random index per call.
UpgradeType pickUpgradeType(std::mt19937& rng, std::int32_t guns, std::int32_t power, bool supergun);

// Prunes crates the loadout cannot use, re-slots the rest and tops the column up to five.
void layoutWeaponColumn(WeaponColumn& column, std::mt19937& rng, std::int32_t guns, std::int32_t power,
                        bool supergun, float columnX, float floorY, bool appearInPlace);

// A new game's column: empty, then full and resting at once.
void fillWeaponColumn(WeaponColumn& column, std::mt19937& rng, std::int32_t guns, std::int32_t power,
                      bool supergun, float columnX, float floorY);

// After a claim or a loadout change: new crates slide in from one slot above.
void topUpWeaponColumn(WeaponColumn& column, std::mt19937& rng, std::int32_t guns, std::int32_t power,
                       bool supergun, float columnX, float floorY);

std::int32_t unlockThreshold(UpgradeType type);

bool isCrateUnlocked(const UpgradeCrate& crate, std::int32_t score, std::int32_t lastUpgradeScore);

// Grants the upgrade if the loadout allows it; otherwise pays 250 points and returns false.
bool grantUpgrade(UpgradeType type, std::int32_t& guns, std::int32_t& power, bool& supergun, std::int32_t& score);

std::string upgradeAddedText(UpgradeType type);

// Shots against the bottom crate: count hits, claim on the last one, grant and top up.
void shootWeaponColumn(GameState& state);

// Starts the highlight of crates that have just unlocked, cuts it for relocked ones, and runs it down.
void updateUnlockFlash(WeaponColumn& column, std::int32_t score, std::int32_t lastUpgradeScore, float dt);
