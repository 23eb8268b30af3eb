// Start-up, the timed main loop and shutdown.
#pragma once

// Opens the window, runs the game until ESC or window close, and returns the exit code:
// 0 after a normal end, 1 when start-up failed.
int runGame();
