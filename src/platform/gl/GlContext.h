#pragma once
#include <string>

namespace platform {

// The context on the game window (SDL's offscreen driver gives one without a display): OpenGL
// 3.3 core, or OpenGL ES 3.0 as in a browser (GlHost.h chooses). On the desktop functions are
// reached through libepoxy.
class GlContext {
public:
    static bool Create(GlContext& context, std::string& error);
    GlContext() = default;
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    bool Created() const { return context != nullptr; }
    void MakeCurrent() const;
    void Swap() const;
    // With vsync each swap waits for the display's refresh (adaptive where the driver offers
    // it: a late picture is shown at once rather than a whole refresh later).
    void SetVsync(bool vsync) const;
    void DrawableSize(int& width, int& height) const;
    std::string Description() const;   // version and renderer
    bool Es() const { return es; }     // OpenGL ES (WebGL2 in a browser)
    bool HasExtension(const char* name) const;   // as the driver names it: "GL_EXT_..."

private:
    void* window = nullptr;    // SDL_Window
    void* context = nullptr;   // SDL_GLContext
    bool es = false;
};

}  // namespace platform
