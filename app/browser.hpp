// What the game needs from the browser beyond SDL (the web build only).
#pragma once

// Hands control back to the page until the browser paints its next frame, so the blocking
// loop runs at the page's frame rate and the page stays responsive.
void awaitBrowserFrame();

// Tells the page that the game's loop has ended and with which exit code (Module.onGameEnd):
// under Asyncify the page never sees main return.
void tellPageGameEnded(int exitCode);
