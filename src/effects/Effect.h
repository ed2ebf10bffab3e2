#pragma once
#include "graphics/Billboard.h"
#include "graphics/Font.h"
#include "graphics/Sprite.h"
#include "graphics/Vec3.h"

#include <cstdint>
#include <memory>

class Graphics;
class SoundBank;
class Texture;

// The effect kinds. Kind 4 is a placeholder that shows nothing and never ends by itself.
enum EffectKind : int8_t {
    EffectLightColumn = 1,   // the rippling column of light over the exit
    EffectPuff        = 2,   // a shot stopped by a block
    EffectSmoke       = 3,   // an enemy destroyed
    EffectNothing     = 4,
    EffectFadeOut     = 5,   // sky-coloured screen fading away (stage start)
    EffectFadeIn      = 6,   // sky-coloured screen closing in (between scenes)
    EffectStageBanner = 7,   // "Stage %d"
};

// One short-lived visual in the effect list. The creator picks the kind through
// EffectList::Create, sets the position or scale the kind reads, and forgets it; the list
// updates, draws and finally deletes it.
class Effect {
public:
    explicit Effect(Graphics* graphics, int8_t kind);
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;
    ~Effect();

    void SetPosition(float x, float y, float z) { position = Vec3{x, y, z}; }
    void SetScale(float x, float y, float z)    { scale = Vec3{x, y, z}; }

    int8_t Kind() const      { return kind; }
    bool Finished() const    { return finished != 0; }
    float Value() const      { return value; }
    Vec3 Position() const    { return position; }
    Vec3 Scale() const       { return scale; }
    Effect* Next() const     { return next; }
    const Billboard* GetBillboard() const { return billboard.get(); }
    const Sprite* GetSprite() const       { return sprite.get(); }
    const Font* GetFont() const           { return font.get(); }
    const Texture* GetTexture() const     { return texture; }

private:
    friend class EffectList;

    void SetUp(Texture* columnTexture, Texture* sheet, SoundBank* sounds);
    void Update();
    void DrawFirstPass();
    void DrawLightColumn() const;

    void SetUpBillboard(Texture* sheet, Rect firstFrame);
    void SetUpSkyScreen(uint32_t topColour, uint32_t bottomColour);
    void SetSkyAlpha();
    void UpdateBanner();

    Graphics*                  graphics;                 // not owned
    Effect*                    next = nullptr;           // owned by the list; null at the tail
    int8_t                     kind;                     // an EffectKind, or anything else for nothing
    uint8_t                    finished = 0;             // 1: deleted at the next purge
    float                      value = 0.0f;             // life left (frames), alpha 0..255 or banner y
    Vec3                       position;                 // world units (kinds 1..3)
    Vec3                       scale;                    // world units (kinds 1..3); banner: x = stage
    std::unique_ptr<Billboard> billboard;                // kinds 2, 3
    std::unique_ptr<Sprite>    sprite;                   // kinds 5, 6
    std::unique_ptr<Font>      font;                     // kind 7
    Texture*                   texture = nullptr;        // not owned; kind 1: the water picture
};
