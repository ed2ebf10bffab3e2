#pragma once
struct SDL_Window;

namespace platform {

// What a desktop window and a browser's canvas do differently for the renderer. The desktop
// build compiles GlHost.cpp, the web build web/GlHost.cpp.

// Asks SDL, before the window is made, for the context the renderer draws with: OpenGL 3.3
// core on the desktop, or OpenGL ES 3.0 where VELMOOR_GL=es asks for it (the web's kind, to try
// it on a desktop); OpenGL ES 3.0 (WebGL2) in a browser.
void RequestGlContext();

// The output's pixels: the window's drawable, or the canvas's own size on the page times the
// device's pixel ratio (the canvas's drawing buffer is made that size first).
void GlOutputSize(SDL_Window* window, int& width, int& height);

// Each swap waits for the display's refresh, or not. A browser always shows one picture per
// animation frame.
void SetGlVsync(bool vsync);

// Whether a picture can be drawn straight into the window, its rows top first (the clip origin
// at the top left), and come out exactly as it does offscreen: desktop OpenGL with clip control,
// and a window whose colours and depths are as fine as the picture's.
bool WindowTakesPictureRowsTopFirst();
// Where that holds: lays out the rows of what is drawn next top first (the window) or bottom
// first (offscreen pictures).
void PlaceRowsTopFirst(bool topFirst);

}  // namespace platform
