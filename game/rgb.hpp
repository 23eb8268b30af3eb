// A colour as the rules hand it to the looks: a monster's body, a message's text.
#pragma once

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};
