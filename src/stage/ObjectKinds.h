#pragma once
#include "graphics/Rect.h"

#include <cstdint>

// What a world object is. The numbers are fixed: the stage-start screen draws enemy kinds as
// 1 + (draw mod 4), a slain enemy drops kind 10 + (draw mod 7), and the map-view marker is the
// figure 21 + the mage chosen on the title.
enum ObjectKind : int8_t {
    KindPlayer        = 0,    // the mage; not in the object list
    KindEnemy1        = 1,    // slow wanderers (1, 2) and fast ones (3, 4)
    KindEnemy2        = 2,
    KindEnemy3        = 3,
    KindEnemy4        = 4,
    KindKey           = 9,    // touching it raises the exit
    KindTimeRefill    = 10,   // + 25 TIME, one unit per frame
    KindLifeRefill    = 11,   // + 25 LIFE
    KindManaRefill    = 12,   // + 25 MANA
    KindSlowTimeItem  = 13,   // power items: TIME drains slower
    KindCloakItem     = 14,   //   enemies do not see the player
    KindSwiftItem     = 15,   //   faster walk, higher jump
    KindFreeMagicItem = 16,   //   casting costs nothing
    KindMapItem       = 17,   // opens the overhead map view
    KindExit          = 19,   // touching it clears the stage
    KindMagicShot     = 20,
    KindFigure0       = 21,   // the two mage figures of the title, also the map-view marker
    KindFigure1       = 22,
};

inline bool IsEnemy(int8_t kind) { return kind >= KindEnemy1 && kind <= KindEnemy4; }
inline bool IsRefill(int8_t kind) { return kind >= KindTimeRefill && kind <= KindManaRefill; }
inline bool IsPowerItem(int8_t kind) { return kind >= KindSlowTimeItem && kind <= KindFreeMagicItem; }
inline bool IsFigure(int8_t kind) { return kind >= KindFigure0; }

// How a kind is set up: its box, its speeds and its pictures on the sprite sheet.
struct KindSetup {
    float   size;          // world units, the same along x, y and z
    float   maxSpeed;      // world units per frame; 0 for kinds that never walk
    float   jumpSpeed;     // world units per frame; 0 for kinds that never jump
    bool    hasPicture;    // false: no billboard
    Rect    firstFrame;    // sheet pixels
    int8_t  frameCount;    // 1 or 3
    bool    framesDown;    // further frames one height lower (else one width to the right)
};

// The set-up of `kind`, or null for a kind the game never creates (it gets no size, no picture).
const KindSetup* FindKindSetup(int8_t kind);
// Picture `index` (0..frameCount-1) of a kind's animation.
Rect KindFrame(const KindSetup& setup, int index);
