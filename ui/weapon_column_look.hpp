// How a weapon crate looks, locked or open, with its emblem, frame, hit bar and caption.
#pragma once

#include <cstdint>

struct UpgradeCrate;

void drawUpgradeCrate(const UpgradeCrate& crate, bool isBottom, bool unlocked, std::int32_t neededScore);
