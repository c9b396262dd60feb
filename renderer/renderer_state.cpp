// The renderer's one set of thread state.
#include "renderer_state.h"

RendererState renderer;
