#pragma once
#include "graphics/Vec3.h"
#include "stage/ObjectKinds.h"

#include <cstdint>
#include <memory>

class Billboard;
class EffectList;
class Field;
class Graphics;
class Player;
class Stage;
class Texture;

// What a body asks of the physics for one frame.
struct Controls {
    int8_t move = 0;   // -1 backward, 0 none, +1 forward
    int8_t jump = 0;   // 1: jump if standing
};

// What WorldObject::Move did with the body.
enum MoveResult : int8_t {
    MovedBody   = 0,   // an ordinary body moved (or stood); it may touch the player
    ShotFlying  = 1,   // a magic shot made its whole step; it may hit enemies
    ShotBlocked = 2,   // a magic shot was cut short by the ruin and is now dead
    FigureStill = 3,   // a figure, which never moves by itself
};

// One thing living in the stage: an enemy, an item, the key, the exit, a magic shot or a
// figure. The player is one too (Player derives from it). All bodies share the same physics:
// a speed along the heading, a vertical speed, friction, gravity and knock-back, moved through
// the ruin one axis at a time. Everything is single precision: the physics tells a free step
// from a blocked one by comparing float sums exactly.
class WorldObject {
public:
    explicit WorldObject(int8_t kind);
    WorldObject(const WorldObject&) = delete;
    WorldObject& operator=(const WorldObject&) = delete;
    ~WorldObject();

    // Size, speeds and billboard from the kind table (kinds outside it get nothing).
    void InitKind(Graphics* graphics, Texture* sheet);

    // One frame's displacement from the controls; updates speeds, jump state and push.
    Vec3 Velocity(int8_t move, int8_t jump);
    // Moves the body through the field by one frame: a MoveResult.
    int8_t Move(const Field* field, int8_t move, int8_t jump);
    // Whether the two boxes overlap (touching faces count).
    bool Touches(const WorldObject& other) const;

    // Enemies decide to walk, jump and turn here; other kinds always get no controls.
    Controls Think(const Field& field, const Player& player);
    // On an enemy touching the player: both are pushed apart.
    void Knockback(Player& player);

    // On a freshly created magic shot: thrown from the player along its heading.
    void InitShot(const Player& player);
    // On a flying shot: kills every enemy it overlaps and rolls each kill's drop.
    void ShotHits(Stage& stage, WorldObject* first, EffectList* effects);

    uint8_t                    dead = 0;            // 1: removed at the next purge
    int8_t                     kind;                // ObjectKind
    Vec3                       size;                // world units, full box edges
    float                      maxSpeed = 0.0f;     // world units per frame, on the ground
    float                      jumpSpeed = 0.0f;    // world units per frame, upward at a jump
    std::unique_ptr<Billboard> billboard;           // null for kinds without a picture
    WorldObject*               next = nullptr;      // next in the stage's list (owned by it)
    Vec3                       position;            // world units, centre of the box
    float                      facing = 0.0f;       // radians; travel is (cos, 0, -sin)
    float                      speed = 0.0f;        // world units per frame along the heading
    float                      verticalSpeed = 0.0f;// world units per frame, up positive
    float                      takeoffSpeed = 0.0f; // 0 on the ground; airborne: speed at take-off
    float                      pushX = 0.0f;        // knock-back, world units per frame
    float                      pushZ = 0.0f;

private:
    void TurnToward(float dx, float dz);
    void TurnAbout();
};
