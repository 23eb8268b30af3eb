// The window icon in the browser: the window is the page's canvas, whose icon is the page's
// own (web/index.html names the game's icon), and SDL sets none there. The web build links
// this in place of app/window_icon.cpp, which would bring the icon's PNGs and their decoder
// into the page's download for nothing.
#include "app/window_icon.hpp"

void setWindowIcon(SDL_Window*) {}
