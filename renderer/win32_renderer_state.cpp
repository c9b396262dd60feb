// The renderer's one set of thread state.
#include "win32_renderer.h"

RendererState renderer;
