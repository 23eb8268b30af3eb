// Colours as the drawing kit takes them, and the game's palette by name.
#pragma once

// Opaque, three floats from 0 to 1.
struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

// Every component times k: how crates dim away from the bottom slot and behind a lock.
constexpr Colour scaled(Colour colour, float k)
{
    return {colour.r * k, colour.g * k, colour.b * k};
}

namespace palette {
inline constexpr Colour kBlack{0.0f, 0.0f, 0.0f};
inline constexpr Colour kWhite{1.0f, 1.0f, 1.0f};

// The backdrop.
inline constexpr Colour kHudPanel{0.02f, 0.02f, 0.04f};
inline constexpr Colour kHudRule{0.16f, 0.16f, 0.22f};
inline constexpr Colour kHealthColumnBody{0.08f, 0.02f, 0.02f};
inline constexpr Colour kHealthColumnFrame{0.45f, 0.08f, 0.08f};
inline constexpr Colour kWeaponColumnBody{0.04f, 0.04f, 0.10f};
inline constexpr Colour kWeaponColumnFrame{0.10f, 0.20f, 0.65f};
inline constexpr Colour kLaneBody{0.01f, 0.01f, 0.015f};
inline constexpr Colour kLaneFrame{0.18f, 0.18f, 0.25f};
inline constexpr Colour kLaneDivider{0.04f, 0.04f, 0.055f};
inline constexpr Colour kFloorStrip{0.22f, 0.22f, 0.25f};
inline constexpr Colour kHealthColumnLabel{1.0f, 0.45f, 0.45f};
inline constexpr Colour kWeaponColumnLabel{0.45f, 0.65f, 1.0f};

// The HUD.
inline constexpr Colour kHudHealthLabel{0.85f, 1.0f, 0.85f};
inline constexpr Colour kHealthBarEmpty{0.25f, 0.02f, 0.02f};
inline constexpr Colour kHealthBarFull{0.0f, 0.85f, 0.2f};
inline constexpr Colour kHealthBarFrame{0.8f, 0.8f, 0.8f};
inline constexpr Colour kScoreText{0.72f, 1.0f, 0.72f};
inline constexpr Colour kProgressText{0.8f, 0.9f, 1.0f};
inline constexpr Colour kLoadoutText{1.0f, 0.95f, 0.55f};

// Monsters, the ship and its shots.
inline constexpr Colour kMonsterBarEmpty{0.22f, 0.04f, 0.04f};
inline constexpr Colour kMonsterBarFull{0.1f, 0.95f, 0.1f};
inline constexpr Colour kShipFin{0.85f, 0.85f, 0.9f};
inline constexpr Colour kShipHull{0.2f, 0.75f, 1.0f};
inline constexpr Colour kShipDome{1.0f, 0.78f, 0.55f};
inline constexpr Colour kShipBarrel{0.9f, 0.9f, 0.95f};
inline constexpr Colour kShipMuzzleCap{0.75f, 0.75f, 0.85f};
inline constexpr Colour kShotCore{0.95f, 1.0f, 0.25f};
inline constexpr Colour kShotTrail{1.0f, 0.75f, 0.15f};

// Crates, at full brightness; the looks scale them.
inline constexpr Colour kCrateHitBarEmpty{0.18f, 0.02f, 0.02f};
inline constexpr Colour kCrateHitBarFull{0.0f, 0.9f, 0.1f};
inline constexpr Colour kCrateCountCaption{0.95f, 0.95f, 0.95f};
inline constexpr Colour kHealthPackBody{0.82f, 0.05f, 0.05f};
inline constexpr Colour kHealthPackCross{1.0f, 1.0f, 1.0f};
inline constexpr Colour kHealthPackFrameBottom{1.0f, 0.95f, 0.95f};
inline constexpr Colour kHealthPackFrameUpper{0.45f, 0.18f, 0.18f};
inline constexpr Colour kGunCrateBody{0.25f, 0.85f, 1.0f};
inline constexpr Colour kGunEmblem{0.02f, 0.06f, 0.12f};
inline constexpr Colour kPowerCrateBody{0.45f, 1.0f, 0.45f};
inline constexpr Colour kPowerEmblem{0.02f, 0.1f, 0.02f};
inline constexpr Colour kSupergunCrateBody{1.0f, 0.88f, 0.05f};
inline constexpr Colour kSupergunIcon{1.0f, 1.0f, 0.95f};
inline constexpr Colour kSupergunLockedMark{0.22f, 0.22f, 0.06f};
inline constexpr Colour kLockedFrame{0.35f, 0.35f, 0.35f};
inline constexpr Colour kOpenFrame{0.95f, 0.95f, 0.95f};
inline constexpr Colour kFlashInnerRing{1.0f, 1.0f, 0.35f};
inline constexpr Colour kFlashOuterRing{0.4f, 0.9f, 1.0f};
inline constexpr Colour kLockedHitBar{0.1f, 0.1f, 0.1f};
inline constexpr Colour kNeededScoreCaption{0.75f, 0.75f, 0.75f};
inline constexpr Colour kLockCaption{0.65f, 0.65f, 0.65f};

// The game-over panel.
inline constexpr Colour kPanelFrame{0.3f, 0.0f, 0.0f};
inline constexpr Colour kPanelBody{0.7f, 0.0f, 0.0f};
inline constexpr Colour kPanelTitle{1.0f, 1.0f, 1.0f};
inline constexpr Colour kPanelHint{1.0f, 0.9f, 0.9f};
}  // namespace palette
