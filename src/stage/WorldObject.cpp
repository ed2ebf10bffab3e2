#include "stage/WorldObject.h"

#include "core/Trig.h"
#include "field/Field.h"
#include "graphics/Billboard.h"
#include "stage/Player.h"

namespace {

constexpr float WalkAcceleration   = 0.01f;   // per frame of holding a direction, on the ground
constexpr float AirAcceleration    = 0.005f;  // in the air (held to the take-off speed anyway)
constexpr float BackwardShare      = 0.8f;    // backward top speed against forward
constexpr float GroundFriction     = 1.2f;    // speed divisor per frame without input
constexpr float FallingFriction    = 1.4f;
constexpr float Gravity            = 0.1f;    // per frame
constexpr float TerminalFall       = -3.0f;   // no more gravity once falling this fast
constexpr float ShotGravity        = 0.03f;
constexpr float AirborneMarker     = 0.0001f; // take-off speed of a body that left the ground at rest
constexpr float PushDecay          = 1.2f;    // push divisor per frame
constexpr float PushRest           = 0.1f;    // a smaller push stops
constexpr float SidewaysBlockDrag  = 1.05f;   // speed divisor when a wall stops the sideways step
constexpr float EnemyFootprint     = 3.0f;    // enemies collide with a third of their width
constexpr float KnockbackDivisor   = 2.5f;

bool IsNear(float value, float limit) { return -limit < value && value < limit; }

}  // namespace

WorldObject::WorldObject(int8_t kind_) : kind(kind_) {}

WorldObject::~WorldObject() = default;

void WorldObject::InitKind(Graphics* graphics, Texture* sheet)
{
    const KindSetup* setup = FindKindSetup(kind);
    if (setup == nullptr) return;
    size = {setup->size, setup->size, setup->size};
    maxSpeed = setup->maxSpeed;
    jumpSpeed = setup->jumpSpeed;
    if (!setup->hasPicture) return;

    billboard = std::make_unique<Billboard>(graphics);
    billboard->Setup(sheet, size.x, size.y, setup->firstFrame);
    for (int frame = 1; frame < setup->frameCount; ++frame) billboard->AddFrame(KindFrame(*setup, frame));
}

Vec3 WorldObject::Velocity(int8_t move, int8_t jump)
{
    const bool pushed = pushX != 0.0f || pushZ != 0.0f;
    if (pushed) {
        move = 0;
        jump = 0;
    }

    if (kind == KindMagicShot) {
        if (verticalSpeed > TerminalFall) verticalSpeed -= ShotGravity;
        return {CosF(facing) * speed, verticalSpeed, -SinF(facing) * speed};
    }

    if (jump == 1 && takeoffSpeed == 0.0f) {
        verticalSpeed = jumpSpeed;
        takeoffSpeed = speed;
    }

    if (takeoffSpeed == 0.0f) {
        speed += static_cast<float>(move) * WalkAcceleration;
        if (speed > 0.0f && speed > maxSpeed) speed = maxSpeed;
        if (speed < 0.0f && speed < -BackwardShare * maxSpeed) speed = -BackwardShare * maxSpeed;
    } else {
        // In the air the body keeps the speed it jumped or fell with.
        speed += static_cast<float>(move) * AirAcceleration;
        if (speed > takeoffSpeed) speed = takeoffSpeed;
        if (speed < takeoffSpeed) speed = takeoffSpeed;
    }

    if (move == 0) {
        if (takeoffSpeed == 0.0f)
            speed /= GroundFriction;
        else if (verticalSpeed < 0.0f)
            speed /= FallingFriction;
    }

    // Every body counts as airborne until the move below finds it supported again.
    if (verticalSpeed > TerminalFall) {
        verticalSpeed -= Gravity;
        if (takeoffSpeed == 0.0f) takeoffSpeed = speed != 0.0f ? speed : AirborneMarker;
    }

    Vec3 step{CosF(facing) * speed, verticalSpeed, -SinF(facing) * speed};
    if (pushed) {
        step.x = pushX;
        step.z = pushZ;
        pushX /= PushDecay;
        pushZ /= PushDecay;
        if (IsNear(pushX, PushRest)) pushX = 0.0f;
        if (IsNear(pushZ, PushRest)) pushZ = 0.0f;
    }
    return step;
}

int8_t WorldObject::Move(const Field* field, int8_t move, int8_t jump)
{
    if (IsFigure(kind)) return FigureStill;

    const Vec3 step = Velocity(move, jump);
    Vec3 extent = size;
    if (IsEnemy(kind)) {
        extent.x /= EnemyFootprint;
        extent.z /= EnemyFootprint;
    }
    const Vec3 reached = field->MoveBox(position, step, extent);
    // The box mover gives a free axis as exactly position + step, so equality means "not cut".
    const Vec3 free{position.x + step.x, position.y + step.y, position.z + step.z};

    if (reached.y == position.y && verticalSpeed != 0.0f) {
        takeoffSpeed = 0.0f;   // landed, or stopped by a block overhead
        verticalSpeed = 0.0f;
    }

    if (kind == KindMagicShot) {
        if (reached == free) {
            position = reached;
            return ShotFlying;
        }
        dead = 1;
        return ShotBlocked;
    }

    if (reached.x != free.x || reached.z != free.z) speed /= SidewaysBlockDrag;
    position = reached;
    return MovedBody;
}

bool WorldObject::Touches(const WorldObject& other) const
{
    const auto overlaps = [](float a, float aSize, float b, float bSize) {
        const float aLow = a - aSize / 2.0f, aHigh = a + aSize / 2.0f;
        const float bLow = b - bSize / 2.0f, bHigh = b + bSize / 2.0f;
        return aLow <= bHigh && bLow <= aHigh;
    };
    return overlaps(position.x, size.x, other.position.x, other.size.x) &&
           overlaps(position.y, size.y, other.position.y, other.size.y) &&
           overlaps(position.z, size.z, other.position.z, other.size.z);
}

void WorldObject::Knockback(Player& player)
{
    const float kickX = (player.position.x - position.x) / KnockbackDivisor;
    const float kickZ = (player.position.z - position.z) / KnockbackDivisor;
    pushX = -kickX;
    pushZ = -kickZ;
    player.pushX = kickX;
    player.pushZ = kickZ;
}
