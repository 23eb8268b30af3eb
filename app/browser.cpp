// What the game needs from the browser beyond SDL (the web build only).
#include "app/browser.hpp"

#include <emscripten/emscripten.h>

// clang-format off
EM_ASYNC_JS(void, waitForAnimationFrame, (), {
    await new Promise(function (resolve) { requestAnimationFrame(resolve); });
});

EM_JS(void, callPageGameEnd, (int exitCode), {
    if (Module.onGameEnd)
        Module.onGameEnd(exitCode);
});
// clang-format on

void awaitBrowserFrame()
{
    waitForAnimationFrame();
}

void tellPageGameEnded(int exitCode)
{
    callPageGameEnd(exitCode);
}
