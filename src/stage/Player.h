#pragma once
#include "graphics/Rect.h"
#include "stage/WorldObject.h"

#include <cstdint>
#include <memory>

class Font;
class Graphics;
class Sprite;
class Texture;

// What Player::UpdateHud reports.
enum HudResult : int8_t {
    HudPlayOn    = 0,
    HudLifeEmpty = 1,   // LIFE fell below 0
    HudTimeEmpty = 2,   // TIME fell below 0
};

// How Player::UpdateHud runs the counters.
enum HudMode : int8_t {
    HudInPlay        = 0,   // TIME drains, the power item runs down
    HudOnMagicCircle = 1,   // TIME holds, the power item runs down
    HudStageClear    = 2,   // neither runs; only refills and drawing
};

// The mage, seen in first person: a body like any other (it has no picture of its own) plus
// the view, the three counters TIME, LIFE and MANA with their bars, and the power item.
class Player : public WorldObject {
public:
    static constexpr int CounterTime = 0;   // index into refill, gauges and labels
    static constexpr int CounterLife = 1;
    static constexpr int CounterMana = 2;

    explicit Player(Graphics* graphics);
    ~Player();

    void ResetForStage();   // TIME full, dropped from height 40, still
    void ResetForGame();    // TIME, LIFE and MANA full

    void Turn(int8_t input);   // -1 left, 0 let go, +1 right
    void Look(float step);     // tilts the view up (+) or down (-)
    void RelaxLook();          // walking brings the view back to level

    // Pays for a shot if MANA allows; standing on a magic circle halves the cost.
    bool TryCast(bool onMagicCircle);

    void Equip(Graphics* graphics, int8_t itemKind, Texture* texture, Rect picture);
    void Unequip();

    // Counters and head-up display for one frame (mode: HudMode); returns a HudResult.
    int8_t UpdateHud(int8_t mode);
    // One frame of the stage-clear bonus: TIME into LIFE, MANA or item time. True when TIME is 0.
    bool TimeBonusStep();

    float                   lookOffset = 0.0f;   // world units above the eye line, about -5.5..5.5
    float                   turnRate = 0.0f;     // radians per frame, -0.1..0.1
    float                   time = 0.0f;         // TIME, 0..100
    float                   life = 100.0f;       // LIFE, 0..100
    float                   mana = 100.0f;       // MANA, 0..100
    int16_t                 refill[3] = {};      // frames of +1 still due: TIME, LIFE, MANA
    std::unique_ptr<Sprite> gauges[3];           // bars: TIME, LIFE, MANA
    std::unique_ptr<Font>   labels[3];           // caption fonts: TIME, LIFE, MANA
    int8_t                  heldItem = 0;        // 0 none, else the power item's kind 13..16
    float                   itemTimer = 0.0f;    // power left: 250 at pick-up, gone below 80
    std::unique_ptr<Sprite> itemIcon;            // the item's picture; null without an item
    std::unique_ptr<Sprite> itemRing;            // the shrinking ring around it

private:
    float& Counter(int index);
};
