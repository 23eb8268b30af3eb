// Pexilon: a small arcade shooter. The program takes no arguments.
#include "app/loop.hpp"

int main()
{
    return runGame();
}
