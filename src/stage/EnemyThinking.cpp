#include "core/Random.h"
#include "core/Trig.h"
#include "field/Field.h"
#include "stage/Player.h"
#include "stage/WorldObject.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float SightRange    = 50.0f;   // world units, |dx| + |dz|
constexpr float ProbeDepth    = 5.0f;    // one layer below the feet line: is there floor ahead?
constexpr float ProbeHeight   = 5.0f;    // one layer up: is there a step ahead?
constexpr float WanderTurn    = 0.1f;    // radians
constexpr float FacingWrap    = 360.0f;  // the headings are wrapped here, as the player's are

int Roll(int range) { return SharedRandom().Next() % range; }

}  // namespace

// An enemy walks in bursts, wanders by small turns, turns back at some edges and steps, and
// jumps onto one-layer steps; within sight it heads for the player unless the player wears
// the cloak. Every decision draws from the shared sequence in a fixed order, so a replay with
// the same seed makes every enemy take the same path.
Controls WorldObject::Think(const Field& field, const Player& player)
{
    Controls controls;
    if (!IsEnemy(kind)) return controls;

    if (player.heldItem != KindCloakItem) {
        const float dx = player.position.x - position.x;
        const float dz = player.position.z - position.z;
        if (std::fabs(dx) + std::fabs(dz) < SightRange) {
            TurnToward(dx, dz);
            if (Roll(3) != 0) controls.move = 1;
        }
    }

    const float aheadX = position.x + CosF(facing) * speed;
    const float aheadZ = position.z - SinF(facing) * speed;
    if (!field.IsSolidAt(aheadX, position.y - ProbeDepth, aheadZ)) {
        if (Roll(10) == 0) {   // an edge: sometimes turn back from it
            TurnAbout();
            controls.move = 0;
            return controls;
        }
    } else if (field.IsSolidAt(aheadX, position.y + ProbeHeight, aheadZ)) {
        if (Roll(2) != 0) {    // a step: often jump onto it
            controls.jump = 1;
            controls.move = 1;
            return controls;
        }
    } else if (Roll(5) == 0) {  // open floor: sometimes turn back anyway
        TurnAbout();
        controls.move = 1;
        return controls;
    }

    if (Roll(5) == 0) {
        controls.move = 1;
        return controls;
    }
    if (Roll(10) == 0) facing += WanderTurn;
    if (Roll(10) == 0) facing -= WanderTurn;
    if (facing > FacingWrap) facing -= FacingWrap;
    if (Roll(90) == 0) {
        controls.jump = 1;
        controls.move = 1;
    }
    return controls;
}

// Headings are radians everywhere (the walk goes along (cos f, -sin f)), so an enemy that sees
// the player takes the one heading that points straight at it, and a turn-about is half a
// turn. Degree-style arithmetic here would send enemies off at arbitrary angles. On top of the
// player there is no direction to take: the enemy keeps its heading rather than get a
// non-number that would poison its position.
void WorldObject::TurnToward(float dx, float dz)
{
    if (dx == 0.0f && dz == 0.0f) return;
    facing = Atan2F(-dz, dx);
}

void WorldObject::TurnAbout()
{
    facing += std::numbers::pi_v<float>;
    if (facing > FacingWrap) facing -= FacingWrap;
}
