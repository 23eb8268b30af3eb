// What a weapon crate grants and a penalty takes back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class UpgradeType : std::int32_t { Gun = 0, Power = 1, Supergun = 2 };

// How messages name one upgrade: "1 GUN", "1 POWER", "SUPERGUN".
constexpr std::string_view upgradeName(UpgradeType type)
{
    switch (type) {
    case UpgradeType::Gun: return "1 GUN";
    case UpgradeType::Power: return "1 POWER";
    case UpgradeType::Supergun: break;
    }
    return "SUPERGUN";
}

// "1 GUN ADDED", "SUPERGUN LOST" and the like.
inline std::string upgradeMessage(UpgradeType type, std::string_view change)
{
    std::string text(upgradeName(type));
    text += ' ';
    text += change;
    return text;
}
