#include "graphics/Font.h"
#include "graphics/Sprite.h"
#include "stage/Player.h"

namespace {

constexpr float   FullCounter      = 100.0f;
constexpr float   RefillStep       = 1.0f;    // per frame while a refill is due
constexpr float   TimeDrain        = 0.025f;  // per frame: a full TIME lasts 4000 frames
constexpr float   SlowTimeDrain    = 0.01f;
constexpr float   ItemDrain        = 0.02f;   // item timer per frame
constexpr float   FreeMagicDrain   = 0.08f;   // free magic lasts a quarter as long
constexpr float   ItemGoneBelow    = 80.0f;
constexpr float   ItemBlinkBelow   = 100.0f;
constexpr float   RingScalePerUnit = 0.01f;

constexpr float   BonusTimeStep    = 0.5f;    // TIME taken per frame of the bonus
constexpr float   BonusCounterStep = 0.3f;    // LIFE or MANA given for it
constexpr float   BonusItemStep    = 5.0f;    // or item time
constexpr float   ItemFullTimer    = 250.0f;

struct Caption {
    const char* text;
    int32_t     x;        // screen pixels, top-left
    int32_t     y;
    uint32_t    colour;   // ARGB
};
constexpr Caption captions[3] = {
    {"TIME", 20, 435, 0xFF0032DCu},
    {"LIFE", 21, 447, 0xFF00BE00u},
    {"MANA", 21, 459, 0xFFC80000u},
};

void AddCapped(float& counter, float amount)
{
    counter += amount;
    if (counter > FullCounter) counter = FullCounter;
}

}  // namespace

float& Player::Counter(int index)
{
    if (index == CounterTime) return time;
    if (index == CounterLife) return life;
    return mana;
}

int8_t Player::UpdateHud(int8_t mode)
{
    for (int index = 0; index < 3; ++index) {
        if (refill[index] <= 0) continue;
        refill[index] -= 1;
        AddCapped(Counter(index), RefillStep);
    }

    if (mode == HudInPlay) time -= heldItem == KindSlowTimeItem ? SlowTimeDrain : TimeDrain;

    // Running out of LIFE is the harsher end and wins when both run out together.
    if (life < 0.0f) return HudLifeEmpty;
    if (time < 0.0f) return HudTimeEmpty;

    if (mana < 0.0f) mana = 0.0f;
    for (int index = 0; index < 3; ++index) {
        gauges[index]->SetPivotTopLeft();
        gauges[index]->SetScaleX(Counter(index) / FullCounter);
        gauges[index]->Draw();
        const Caption& caption = captions[index];
        labels[index]->Draw(caption.text, caption.x, caption.y, caption.colour);
    }

    if (heldItem == 0) return HudPlayOn;
    if (mode != HudStageClear) itemTimer -= heldItem == KindFreeMagicItem ? FreeMagicDrain : ItemDrain;
    if (itemTimer < ItemGoneBelow) {
        Unequip();
        return HudPlayOn;
    }
    itemRing->SetScale(itemTimer * RingScalePerUnit);
    itemRing->Draw();
    // In its last stretch the item blinks: the icon shows only while the whole part is odd.
    const bool blinkedOff = itemTimer < ItemBlinkBelow && static_cast<int>(itemTimer) % 2 == 0;
    if (!blinkedOff) itemIcon->Draw();
    return HudPlayOn;
}

bool Player::TimeBonusStep()
{
    if (time <= BonusTimeStep) {
        time = 0.0f;
        return true;
    }
    time -= BonusTimeStep;
    if (time < 0.0f) time = 0.0f;
    if (life < FullCounter)
        AddCapped(life, BonusCounterStep);
    else if (mana < FullCounter)
        AddCapped(mana, BonusCounterStep);
    else if (heldItem != 0 && itemTimer < ItemFullTimer)
        itemTimer += BonusItemStep;
    return time == 0.0f;
}
