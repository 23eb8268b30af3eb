// What the game needs from the browser beyond SDL (the web build only).
#pragma once

// Emscripten's fixed-function emulation prepares its immediate mode only for contexts made
// through its own older path; SDL's WebGL context needs that preparation once it is current.
void prepareBrowserGl();
