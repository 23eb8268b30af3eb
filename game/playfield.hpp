// Playfield geometry in logical units: the rules and the drawing must agree on these numbers.
#pragma once

// The field spans the whole 900-unit width of the screen: a shot past x 900 has left it.
inline constexpr float kFieldWidth = 900.0f;

// The HUD panel covers y 0 to 88; the play area starts below it.
inline constexpr float kHudBottom = 88.0f;

inline constexpr float kLaneLeft = 150.0f;
inline constexpr float kLaneRight = 750.0f;
// A monster whose bottom edge reaches this line has escaped; the crate slots hang from it too.
inline constexpr float kFloorY = 660.0f;

inline constexpr float kColumnWidth = 90.0f;
inline constexpr float kHealthColumnX = 50.0f;
inline constexpr float kWeaponColumnX = 760.0f;

// The ship's start position and the restart both measure up from this line.
inline constexpr float kShipBottomReference = 700.0f;
