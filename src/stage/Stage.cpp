#include "stage/Stage.h"

#include "core/Random.h"
#include "effects/EffectList.h"
#include "field/Field.h"
#include "graphics/Billboard.h"
#include "sound/SoundBank.h"

namespace {

constexpr float   ExitDropHeight   = 30.0f;   // world units: the exit falls into place
constexpr float   LightColumnScale = 4.0f;
constexpr int16_t RefillAmount     = 25;      // frames of +1
constexpr int     TouchDamageBase  = 5;       // LIFE lost per touch: 5..11
constexpr int     TouchDamageRange = 7;
constexpr float   SwiftTopSpeed    = 0.9f;
constexpr float   SwiftJumpSpeed   = 1.7f;
constexpr float   WalkTopSpeed     = 0.7f;
constexpr float   WalkJumpSpeed    = 1.2f;

}  // namespace

Stage::Stage(Graphics* graphics_, SoundBank* sound_)
    : graphics(graphics_), sound(sound_), player(std::make_unique<Player>(graphics_)) {}

Stage::~Stage() { RemoveObjects(0); }

void Stage::SetTexture(int index, Texture* texture)
{
    if (index != 0) return;
    textures[0] = texture;
}

WorldObject* Stage::CreateObject(int8_t kind)
{
    auto* object = new WorldObject(kind);
    object->InitKind(graphics, textures[0]);
    if (objects == nullptr) {
        objects = object;
        return object;
    }
    WorldObject* tail = objects;
    while (tail->next != nullptr) tail = tail->next;
    tail->next = object;
    return object;
}

void Stage::RemoveObjects(int8_t kind)
{
    WorldObject* previous = nullptr;   // the last object that stays
    WorldObject* object = objects;
    while (object != nullptr) {
        WorldObject* following = object->next;
        const bool stays = object->dead == 0 && object->kind != kind && kind != 0;
        if (stays) {
            previous = object;
        } else {
            if (previous != nullptr)
                previous->next = following;
            else
                objects = following;
            delete object;
        }
        object = following;
    }
}

void Stage::DrawObjects()
{
    RemoveObjects(-1);
    for (WorldObject* object = objects; object != nullptr; object = object->next) DrawObject(*object);
}

int Stage::ObjectCount() const
{
    int count = 0;
    for (const WorldObject* object = objects; object != nullptr; object = object->next) ++count;
    return count;
}

// The walk reads each object's successor only after handling it, so objects created on the
// way (drops, the exit, a new shot) join the same frame: a drop already falls, and can be
// picked up, in the frame it appears.
bool Stage::UpdateObjects(Field* field, EffectList* effects)
{
    RemoveObjects(-1);
    bool exitReached = false;
    for (WorldObject* object = objects; object != nullptr; object = object->next) {
        const Controls controls = object->Think(*field, *player);
        switch (object->Move(field, controls.move, controls.jump)) {
        case MovedBody:
            if (object->Touches(*player) && TouchPlayer(*object, field, effects)) exitReached = true;
            break;
        case ShotFlying:
            object->ShotHits(*this, objects, effects);
            break;
        case ShotBlocked:
            StopBlockedShot(*object, effects);
            break;
        case FigureStill:
            if (figureChoice != -1) object->position = player->position;   // the map-view marker
            break;
        default:
            break;
        }
        DrawObject(*object);
        if (exitReached) break;
    }
    return exitReached;
}

// What touching the player does, by the object's kind; true when it was the exit.
bool Stage::TouchPlayer(WorldObject& object, const Field* field, EffectList* effects)
{
    if (IsEnemy(object.kind)) {
        object.Knockback(*player);
        player->life -= static_cast<float>(TouchDamageBase + SharedRandom().Next() % TouchDamageRange);
        PlaySound(SoundPlayerHit);
        return false;
    }
    if (object.kind == KindKey) {
        RaiseExit(field, effects);
        object.dead = 1;
    } else if (IsRefill(object.kind)) {
        object.dead = 1;
        player->refill[object.kind - KindTimeRefill] += RefillAmount;
    } else if (IsPowerItem(object.kind)) {
        object.dead = 1;
        PickUpPowerItem(object);
    } else if (object.kind == KindMapItem) {
        mapState = MapHeld;
        object.dead = 1;
    } else if (object.kind == KindExit) {
        PlaySound(SoundExit);
        return true;
    } else {
        return false;
    }
    PlaySound(SoundPickUp);
    return false;
}

void Stage::RaiseExit(const Field* field, EffectList* effects)
{
    Vec3 point = field->RandomDropPoint();
    point.y = ExitDropHeight;
    CreateObject(KindExit)->position = point;
    if (effects == nullptr) return;
    Effect* column = effects->Create(EffectLightColumn);
    column->SetPosition(point.x, point.y, point.z);
    column->SetScale(LightColumnScale, LightColumnScale, LightColumnScale);
}

void Stage::PickUpPowerItem(const WorldObject& item)
{
    player->Equip(graphics, item.kind, item.billboard->GetTexture(), item.billboard->GetFrame(0));
    const bool swift = item.kind == KindSwiftItem;
    player->maxSpeed = swift ? SwiftTopSpeed : WalkTopSpeed;
    player->jumpSpeed = swift ? SwiftJumpSpeed : WalkJumpSpeed;
}

void Stage::StopBlockedShot(const WorldObject& shot, EffectList* effects)
{
    PlaySound(SoundShotBlocked);
    if (effects == nullptr) return;
    effects->Create(EffectPuff)->SetPosition(shot.position.x, shot.position.y, shot.position.z);
}

void Stage::PlacePlayer(float x, float y, float z)
{
    player->position = {x, y, z};
    player->ResetForStage();
    mapState = MapNone;
}

void Stage::DrawObject(WorldObject& object)
{
    if (!object.billboard) return;
    object.billboard->SetPosition(object.position.x, object.position.y, object.position.z);
    object.billboard->Draw();
}

void Stage::PlaySound(uint16_t slot)
{
    if (sound != nullptr) sound->Play(slot);
}
