// How the ship and a shot look.
#pragma once

struct PlayerShip;
struct Shot;

void drawShip(const PlayerShip& ship);
void drawShot(const Shot& shot);
