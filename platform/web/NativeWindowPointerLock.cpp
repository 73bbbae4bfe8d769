// The page confines the pointer with the browser's pointer lock while the
// game confines it to its window (an episode runs); it asks here, each frame,
// whether the game does. SDL keeps the pointer's place from the relative
// motion a locked pointer reports, so moves and warps stay as in a window.
#include <SDL.h>
#include <emscripten.h>

extern "C" EMSCRIPTEN_KEEPALIVE int ikPointerConfined() { return SDL_GetGrabbedWindow() != nullptr ? 1 : 0; }
