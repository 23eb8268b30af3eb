// How a health pack looks: a red box with a white cross, and for the bottom pack its hit
// bar and the shots still needed.
#pragma once

struct HealthCrate;

void drawHealthCrate(const HealthCrate& crate, bool isBottom);
