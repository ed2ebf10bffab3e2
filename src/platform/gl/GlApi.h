#pragma once
// The OpenGL names the renderer draws with. On the desktop they come through libepoxy (OpenGL
// 3.3 core, or OpenGL ES 3.0 where asked for); in a browser from Emscripten's OpenGL ES 3.0
// headers, which WebGL2 implements. The renderer uses only what both offer; the little that
// differs lives in GlHost.cpp and its browser version web/GlHost.cpp.
#if defined(__EMSCRIPTEN__)
#include <GLES3/gl3.h>
#include <GLES2/gl2ext.h>   // the anisotropic filter's names
#else
#include <epoxy/gl.h>
#endif
