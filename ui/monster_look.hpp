// How a monster looks: body, face and hit-point bar.
#pragma once

struct Monster;

void drawMonster(const Monster& monster);
