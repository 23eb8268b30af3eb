#include <windows.h>

int SDL_Init(unsigned flags);

int main(void) {
  Sleep(1);
  return SDL_Init(0);
}
