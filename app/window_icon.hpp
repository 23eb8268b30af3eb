// The game's icon on its window, for the title bar, the taskbar and the window switcher, also
// when no desktop entry names it.
#pragma once

#include <SDL3/SDL.h>

// Gives the window the icon in several sizes, decoded from the PNGs built into the program.
// A window system that cannot show it keeps its own icon: nothing is reported.
void setWindowIcon(SDL_Window* window);
