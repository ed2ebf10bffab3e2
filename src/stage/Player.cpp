#include "stage/Player.h"

#include "graphics/Font.h"
#include "graphics/Sprite.h"

namespace {

constexpr float FullCounter      = 100.0f;
constexpr float StageStartHeight = 40.0f;   // world units: the player drops in from above
constexpr float WalkTopSpeed     = 0.7f;
constexpr float WalkJumpSpeed    = 1.2f;

constexpr float TurnStep         = 0.01f;   // radians per frame per frame of holding
constexpr float TurnLimit        = 0.1f;    // radians per frame
constexpr float TurnRest         = 0.01f;   // a slower turn stops
constexpr float TurnDecay        = 1.3f;    // divisor per frame after letting go
constexpr float FacingWrap       = 360.0f;

constexpr float LookLimit        = 5.0f;    // world units; one step may pass it
constexpr float LookDecay        = 1.05f;
constexpr float LookRest         = 0.1f;

constexpr float ItemStartTimer   = 250.0f;
constexpr float ItemX            = 600.0f;  // screen pixels, centre of icon and ring
constexpr float ItemY            = 420.0f;
constexpr float ItemIconDepth    = 0.1f;
constexpr float ItemRingDepth    = 0.2f;
constexpr Rect  ItemRingPicture  = {240, 80, 16, 16};
constexpr float RingScalePerUnit = 0.01f;   // of item timer

// The bars across the bottom of the screen: full width 600 pixels from x = 20.
constexpr int16_t GaugeWidth     = 600;
constexpr int16_t GaugeHeight    = 9;
constexpr float   GaugeX         = 320.0f;
constexpr float   GaugeDepth     = 0.3f;
constexpr float   GaugeY[3]      = {446.0f, 458.0f, 470.0f};
constexpr uint32_t GaugeColour[3] = {0xFFA0FFFFu, 0xFFC8FFC8u, 0xFFFFA0FFu};
constexpr int32_t CaptionHeight  = 16;      // pixels
constexpr int32_t CaptionWeight  = 700;     // bold

std::unique_ptr<Sprite> MakeGauge(Graphics* graphics, int index)
{
    auto gauge = std::make_unique<Sprite>(graphics);
    gauge->ClearTexture();
    gauge->SetPosition(GaugeX, GaugeY[index], GaugeDepth);
    gauge->SetWidth(GaugeWidth);
    gauge->SetHeight(GaugeHeight);
    gauge->SetColour(GaugeColour[index]);
    gauge->SetBlendMode(1);
    return gauge;
}

std::unique_ptr<Font> MakeCaptionFont(Graphics* graphics)
{
    auto font = std::make_unique<Font>(graphics);
    font->SetFaceName("Courier");
    font->SetParam(Font::ParamHeight, CaptionHeight);
    font->SetParam(Font::ParamWeight, CaptionWeight);
    font->Create();
    return font;
}

std::unique_ptr<Sprite> MakeItemSprite(Graphics* graphics, Texture* texture, Rect picture, float depth)
{
    auto sprite = std::make_unique<Sprite>(graphics);
    sprite->SetSource(texture, static_cast<int16_t>(picture.x), static_cast<int16_t>(picture.y),
                      static_cast<int16_t>(picture.width), static_cast<int16_t>(picture.height));
    sprite->SetPosition(ItemX, ItemY, depth);
    return sprite;
}

}  // namespace

Player::Player(Graphics* graphics) : WorldObject(KindPlayer)
{
    InitKind(graphics, nullptr);   // size and speeds; the mage has no picture
    for (int index = 0; index < 3; ++index) {
        gauges[index] = MakeGauge(graphics, index);
        labels[index] = MakeCaptionFont(graphics);
    }
}

Player::~Player() = default;

void Player::ResetForStage()
{
    time = FullCounter;
    position.y = StageStartHeight;
    speed = 0.0f;
    verticalSpeed = 0.0f;
    takeoffSpeed = 0.0f;
    pushX = 0.0f;
    pushZ = 0.0f;
    lookOffset = 0.0f;
}

void Player::ResetForGame()
{
    time = FullCounter;
    life = FullCounter;
    mana = FullCounter;
}

void Player::Turn(int8_t input)
{
    if (input == 0)
        turnRate /= TurnDecay;
    else if (input > 0)
        turnRate += TurnStep;
    else
        turnRate -= TurnStep;

    if (turnRate > TurnLimit) turnRate = TurnLimit;
    if (turnRate < -TurnLimit) turnRate = -TurnLimit;
    if (-TurnRest < turnRate && turnRate < TurnRest) turnRate = 0.0f;

    // Only the far positive side is wrapped, and at 360 rather than a full turn: the heading
    // is read through cos and sin, which do not care.
    facing += turnRate;
    if (facing > FacingWrap) facing -= FacingWrap;
}

void Player::Look(float step)
{
    if (step > 0.0f && lookOffset < LookLimit) lookOffset += step;
    if (step < 0.0f && lookOffset > -LookLimit) lookOffset += step;
}

void Player::RelaxLook()
{
    if (lookOffset == 0.0f) return;
    lookOffset /= LookDecay;
    if (-LookRest < lookOffset && lookOffset < LookRest) lookOffset = 0.0f;
}

void Player::Equip(Graphics* graphics, int8_t itemKind, Texture* texture, Rect picture)
{
    itemIcon.reset();
    itemRing.reset();
    itemTimer = ItemStartTimer;
    itemIcon = MakeItemSprite(graphics, texture, picture, ItemIconDepth);
    itemRing = MakeItemSprite(graphics, texture, ItemRingPicture, ItemRingDepth);
    itemRing->SetScale(itemTimer * RingScalePerUnit);
    itemRing->SetBlendMode(1);
    heldItem = itemKind;
}

void Player::Unequip()
{
    heldItem = 0;
    itemTimer = 0.0f;
    itemIcon.reset();
    itemRing.reset();
    maxSpeed = WalkTopSpeed;
    jumpSpeed = WalkJumpSpeed;
}
