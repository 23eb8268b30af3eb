// The static backdrop: the HUD panel and the playfield with its columns, lane and floor.
#pragma once

void drawHudBackdrop();
void drawPlayfield();
