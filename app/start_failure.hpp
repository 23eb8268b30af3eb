// Why the game could not open its window, told where the player can see it.
#pragma once

// Logs "WHAT: SDL's error text". On Windows pexilon.exe is started without a console, so the
// log reaches no one there: the same text is also shown in a message box, and this returns once
// the player has closed it.
void reportStartFailure(const char* what);
