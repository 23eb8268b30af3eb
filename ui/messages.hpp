// How floating messages look: they rise 44 units and fade over their life, over a soft shadow.
#pragma once

#include "game/messages.hpp"

// Needs blending on; the frame switches it on around this call only.
void drawMessages(const MessageList& list);
