#pragma once
#include "effects/Effect.h"

#include <cstdint>

class Graphics;
class SoundBank;
class Texture;

// Every effect alive, oldest first. Game code creates effects and forgets them; Frame updates
// and draws each once per frame and deletes those that have finished.
class EffectList {
public:
    static constexpr int TextureCount = 2;
    static constexpr int ColumnTexture = 0;   // the rippled-water picture
    static constexpr int SheetTexture  = 1;   // the sprite sheet

    EffectList(Graphics* graphics, SoundBank* sounds);
    EffectList(const EffectList&) = delete;
    EffectList& operator=(const EffectList&) = delete;
    ~EffectList();

    void SetTexture(int index, Texture* texture);   // indices outside 0..1 are ignored
    // A new effect of `kind` at the tail, set up for its kind (other kinds get no set-up).
    Effect* Create(int8_t kind);
    // Deletes finished effects and those of `kind`; 0 deletes every effect, -1 only the
    // finished ones. The others keep their order.
    void Remove(int8_t kind);
    // Purge, then update and draw every effect; the light columns come last so that they
    // blend over everything else in the world.
    void Frame();

    int Count() const;
    Effect* First() const { return head; }

private:
    Graphics*  graphics;                          // not owned
    SoundBank* sounds;                            // not owned; may be null (silent)
    Effect*    head = nullptr;                    // owned chain, oldest first
    Texture*   textures[TextureCount] = {};       // not owned; see ColumnTexture, SheetTexture
};
