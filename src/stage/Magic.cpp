#include "core/Random.h"
#include "effects/EffectList.h"
#include "stage/Player.h"
#include "stage/Stage.h"
#include "stage/WorldObject.h"

#include <cmath>

namespace {

constexpr float ShotSpeed          = 0.9f;    // world units per frame along the heading
constexpr float ShotLift           = 0.55f;   // upward speed of a level throw
constexpr float ShotLiftPerLook    = 0.15f;   // more lift per unit of looking up
constexpr float ShotTakeoff        = 0.1f;    // marks the shot as airborne
constexpr float CastCost           = 1.0f;    // MANA
constexpr float CastCostOnCircle   = 0.5f;
constexpr int   PowerDropKinds     = 7;       // kinds 10..16, each as likely

// Enemies slain far from the player drop more: one in `divisor` by distance (x + z + y).
int DropDivisor(float distance)
{
    if (distance < 20.0f) return 32;
    if (distance < 45.0f) return 16;
    if (distance < 70.0f) return 8;
    if (distance < 100.0f) return 4;
    if (distance < 120.0f) return 2;
    return 1;
}

int Roll(int range) { return SharedRandom().Next() % range; }

}  // namespace

bool Player::TryCast(bool onMagicCircle)
{
    if (heldItem == KindFreeMagicItem) return true;
    const float cost = onMagicCircle ? CastCostOnCircle : CastCost;
    if (mana <= cost) return false;   // the last unit of MANA cannot be spent
    mana -= cost;
    return true;
}

void WorldObject::InitShot(const Player& player)
{
    position = player.position;
    facing = player.facing;
    speed = ShotSpeed;
    verticalSpeed = ShotLift + ShotLiftPerLook * player.lookOffset;
    takeoffSpeed = ShotTakeoff;
}

// One shot kills every enemy it overlaps this frame; each kill rolls its own drop. The first
// kills of a stage toss a coin for the map until one has dropped.
void WorldObject::ShotHits(Stage& stage, WorldObject* first, EffectList* effects)
{
    const Player& player = *stage.GetPlayer();
    for (WorldObject* object = first; object != nullptr;) {
        WorldObject& target = *object;
        object = target.next;
        if (!Touches(target) || !IsEnemy(target.kind)) continue;

        if (stage.GetMapState() == MapNone && Roll(2) == 0) {
            stage.CreateObject(KindMapItem)->position = position;
            stage.SetMapState(MapDropped);
        } else {
            const float distance = std::fabs(player.position.x - position.x) +
                                   std::fabs(player.position.z - position.z) +
                                   std::fabs(player.position.y - position.y);
            if (Roll(DropDivisor(distance)) == 0) {
                const auto dropKind = static_cast<int8_t>(KindTimeRefill + Roll(PowerDropKinds));
                stage.CreateObject(dropKind)->position = position;
            }
        }

        if (effects != nullptr) {
            Effect* smoke = effects->Create(EffectSmoke);
            smoke->SetPosition(target.position.x, target.position.y, target.position.z);
        }
        target.dead = 1;
        dead = 1;
    }
}
