// The health column: five packs, the bottom one claimed by shots to heal the player.
#pragma once

#include <cstdint>
#include <vector>

#include "game/columns.hpp"
#include "game/messages.hpp"

// A health pack has nothing beyond the fields every crate has.
struct HealthCrate : ColumnCrate {};

// Index 0 is the bottom slot, the only pack shots can claim.
using HealthColumn = std::vector<HealthCrate>;

// Re-slots the packs and tops the column up to five; nothing random.
void layoutHealthColumn(HealthColumn& column, float columnX, float floorY, bool appearInPlace);

// A new game's column: empty, then five packs resting at once.
void fillHealthColumn(HealthColumn& column, float columnX, float floorY);

// After a claim: the new top pack slides in from one slot above.
void topUpHealthColumn(HealthColumn& column, float columnX, float floorY);

// Heals 10 up to 100 and says so; a pack at full health is used up all the same.
void applyHealthPack(std::int32_t& health, MessageList& messages, float laneLeft, float laneRight);

// Shots against the bottom pack: count hits, claim on the last one, heal and top up.
void shootHealthColumn(HealthColumn& column, std::vector<Shot>& shots, std::int32_t& health, MessageList& messages);
