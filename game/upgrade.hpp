// What a weapon crate grants and a penalty takes back.
#pragma once

#include <cstdint>

enum class UpgradeType : std::int32_t { Gun = 0, Power = 1, Supergun = 2 };
