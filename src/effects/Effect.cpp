#include "effects/Effect.h"

#include "core/GameClock.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "sound/SoundBank.h"

#include <cstdio>

namespace {

constexpr uint16_t SmokeSound = 2;                  // "kemu.wav"

constexpr uint32_t SkyTop    = 0x78BEFFu;           // RGB of the upper corners
constexpr uint32_t SkyBottom = 0xE6F0FAu;           // RGB of the lower corners
constexpr float    FadeStep  = 5.0f;                // alpha per frame
constexpr float    OpaqueAlpha = 255.0f;

constexpr uint32_t BannerColour = 0xFFDC3228u;
constexpr float    BannerStep   = 5.0f;             // screen pixels per frame
constexpr int32_t  BannerX      = 250;              // screen pixels
constexpr float    BannerRestY  = 250.0f;           // screen pixels; it waits here first
constexpr float    BannerGoneY  = 480.0f;           // below the picture

constexpr uint32_t ColumnColour = 0x7FFFFFFFu;      // white at half alpha
constexpr float    ColumnTop    = 256.0f;           // world units above the column's base
constexpr float    ColumnBottom = -5.0f;
constexpr float    ColumnBaseY  = -1.0f;            // the column stands just under the floor
constexpr float    ColumnNearBand = 4.0f;           // world units either side of the column's x

uint32_t WithAlpha(float value, uint32_t rgb)
{
    // The alpha byte is the truncated value wrapped into 0..255, as the colour arithmetic
    // of the fades has always done.
    const uint32_t alpha = static_cast<uint32_t>(static_cast<int32_t>(value)) & 0xFFu;
    return (alpha << 24) | rgb;
}

}  // namespace

Effect::Effect(Graphics* graphics_, int8_t kind_) : graphics(graphics_), kind(kind_) {}

Effect::~Effect()
{
    if (font) font->Release();
}

void Effect::SetUp(Texture* columnTexture, Texture* sheet, SoundBank* sounds)
{
    switch (kind) {
    case EffectLightColumn:
        texture = columnTexture;
        break;
    case EffectPuff:
        scale = Vec3{0.5f, 0.5f, 0.5f};
        value = 5.0f;
        SetUpBillboard(sheet, Rect{240, 64, 16, 16});
        break;
    case EffectSmoke:
        scale = Vec3{4.5f, 4.5f, 4.5f};
        value = 20.0f;
        SetUpBillboard(sheet, Rect{240, 16, 16, 16});
        billboard->AddFrame(Rect{240, 32, 16, 16});
        billboard->AddFrame(Rect{240, 48, 16, 16});
        billboard->SetAnimationStyle(1);
        if (sounds != nullptr) sounds->Play(SmokeSound);
        break;
    case EffectFadeOut:
        SetUpSkyScreen(0xFF000000u | SkyTop, 0xFF000000u | SkyBottom);
        value = OpaqueAlpha;
        break;
    case EffectFadeIn:
        SetUpSkyScreen(SkyTop, SkyBottom);
        value = 0.0f;
        break;
    case EffectStageBanner:
        font = std::make_unique<Font>(graphics);
        font->SetFaceName("Courier");
        font->SetParam(Font::ParamHeight, 32);
        font->SetParam(Font::ParamWeight, 700);
        font->Create();
        break;
    default:
        break;
    }
}

void Effect::SetUpBillboard(Texture* sheet, Rect firstFrame)
{
    billboard = std::make_unique<Billboard>(graphics);
    billboard->Setup(sheet, scale.x, scale.y, firstFrame);
}

void Effect::SetUpSkyScreen(uint32_t topColour, uint32_t bottomColour)
{
    sprite = std::make_unique<Sprite>(graphics);
    sprite->ClearTexture();
    sprite->SetWidth(Graphics::PictureWidthPixels);
    sprite->SetHeight(Graphics::PictureHeightPixels);
    sprite->SetPosition(320.0f, 240.0f, 0.5f);
    sprite->SetCornerColour(0, topColour);
    sprite->SetCornerColour(1, topColour);
    sprite->SetCornerColour(2, bottomColour);
    sprite->SetCornerColour(3, bottomColour);
}

void Effect::Update()
{
    switch (kind) {
    case EffectPuff:
    case EffectSmoke:
        value -= 1.0f;
        if (value < 0.0f) finished = 1;
        break;
    case EffectFadeOut:
        value -= FadeStep;
        SetSkyAlpha();
        if (value <= 0.0f) finished = 1;
        break;
    case EffectFadeIn:
        value += FadeStep;
        SetSkyAlpha();
        if (value >= OpaqueAlpha) finished = 1;
        break;
    case EffectStageBanner:
        UpdateBanner();
        break;
    default:
        break;
    }
}

void Effect::SetSkyAlpha()
{
    sprite->SetBlendMode(BlendAlpha);
    sprite->SetCornerColour(0, WithAlpha(value, SkyTop));
    sprite->SetCornerColour(1, WithAlpha(value, SkyTop));
    sprite->SetCornerColour(2, WithAlpha(value, SkyBottom));
    sprite->SetCornerColour(3, WithAlpha(value, SkyBottom));
}

void Effect::UpdateBanner()
{
    value += BannerStep;
    char text[32];
    std::snprintf(text, sizeof text, "Stage %d", static_cast<int>(scale.x));
    // The banner rests for fifty frames, then slides down and off the picture.
    const int32_t y = value <= BannerRestY ? static_cast<int32_t>(BannerRestY)
                                           : static_cast<int32_t>(value);
    font->Draw(text, BannerX, y, BannerColour);
    if (value > BannerGoneY) finished = 1;
}

void Effect::DrawFirstPass()
{
    if (billboard) {
        billboard->SetPosition(position.x, position.y, position.z);
        billboard->Draw();
    }
    if (sprite) sprite->Draw();
}

void Effect::DrawLightColumn() const
{
    graphics->SetWorldTranslation(position.x, ColumnBaseY, position.z);
    graphics->SetTexture(texture);

    // The visible band slides down the ripple picture and starts over every 100 ms.
    const float vTop = static_cast<float>(GameMilliseconds() % 100u) * 0.01f;
    float vBottom = vTop + 0.5f;
    if (vBottom > 1.0f) vBottom = 1.0f;

    // Mirror the box towards the camera so that the strip's winding faces it.
    const Vec3 eye = graphics->GetEye();
    float x = scale.x;
    float z = scale.z;
    if (eye.x > position.x) x = -x;
    if (eye.z < position.z) z = -z;

    graphics->SetBlendMode(BlendAlpha);
    if (eye.x >= position.x - ColumnNearBand && eye.x <= position.x + ColumnNearBand) {
        // Standing in line with the column the side strip shows its near face edge-on; draw
        // that face once more so the column does not thin out.
        const WorldVertex nearFace[4] = {
            {-x, ColumnTop, z, ColumnColour, 1.0f, vTop},
            {-x, ColumnBottom, z, ColumnColour, 1.0f, vBottom},
            {-x, ColumnTop, -z, ColumnColour, 0.0f, vTop},
            {-x, ColumnBottom, -z, ColumnColour, 0.0f, vBottom},
        };
        graphics->DrawWorldPrimitive(PrimitiveType::TriangleStrip, nearFace, 4);
    }
    const WorldVertex sides[10] = {
        {-x, ColumnTop, -z, ColumnColour, 0.0f, vTop},
        {-x, ColumnBottom, -z, ColumnColour, 0.0f, vBottom},
        {x, ColumnTop, -z, ColumnColour, 1.0f, vTop},
        {x, ColumnBottom, -z, ColumnColour, 1.0f, vBottom},
        {x, ColumnTop, z, ColumnColour, 0.0f, vTop},
        {x, ColumnBottom, z, ColumnColour, 0.0f, vBottom},
        {-x, ColumnTop, z, ColumnColour, 1.0f, vTop},
        {-x, ColumnBottom, z, ColumnColour, 1.0f, vBottom},
        {-x, ColumnTop, -z, ColumnColour, 0.0f, vTop},
        {-x, ColumnBottom, -z, ColumnColour, 0.0f, vBottom},
    };
    graphics->DrawWorldPrimitive(PrimitiveType::TriangleStrip, sides, 10);
    graphics->SetBlendMode(BlendOpaque);
}
