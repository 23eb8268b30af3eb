// What the game needs from the browser beyond SDL (the web build only).
#include "app/browser.hpp"

#include <emscripten/emscripten.h>

// clang-format off
EM_JS(void, runContextCreatedCallbacks, (), {
    Module.useWebGL = true;
    Browser.moduleContextCreatedCallbacks.forEach(function (callback) { callback(); });
});
// clang-format on

void prepareBrowserGl()
{
    runContextCreatedCallbacks();
}
