#include "core/Keyboard.h"
#include "core/VirtualKeys.h"
#include "field/Field.h"
#include "graphics/Graphics.h"
#include "stage/Stage.h"

namespace {

constexpr float  LookStep        = 0.5f;   // world units per frame of PAGE UP / PAGE DOWN
constexpr float  EyeHeight       = 1.0f;   // world units above the body's centre
constexpr float  ViewDistance    = 5.0f;   // world units to the point looked at
constexpr int8_t FirstPersonView = 1;

}  // namespace

int8_t Stage::UpdatePlayer(const Keyboard& keyboard, Field* field)
{
    Controls controls;
    const bool mapKey = keyboard.Pressed(vk::Shift);
    if ((mapKey && mapState == MapHeld) || mapState == MapView)
        ToggleMapView(keyboard, field);   // no steering, casting or looking over the map
    else
        SteerPlayer(keyboard, field, controls);

    player->Move(field, controls.move, controls.jump);
    const bool onMagicCircle = field->IsOnMagicCircle(player->position);
    return player->UpdateHud(onMagicCircle ? HudOnMagicCircle : HudInPlay);
}

// Every frame of the overhead view pans it; SHIFT opens it with a marker figure where the
// player stands and closes it again.
void Stage::ToggleMapView(const Keyboard& keyboard, Field* field)
{
    field->UpdateMapView(keyboard);
    if (keyboard.Pressed(vk::Shift) && mapState == MapView) {
        mapState = MapHeld;
        RemoveObjects(MarkerKind());
    } else if (mapState == MapHeld) {
        mapState = MapView;
        CreateObject(MarkerKind())->position = player->position;
    }
}

void Stage::SteerPlayer(const Keyboard& keyboard, const Field* field, Controls& controls)
{
    int8_t turn = 0;
    if (keyboard.Down(vk::Left)) turn = -1;
    if (keyboard.Down(vk::Right)) turn = 1;
    player->Turn(turn);

    if (keyboard.Down(vk::Up)) controls.move = 1;
    if (keyboard.Down(vk::Down)) controls.move = -1;
    if (keyboard.Pressed(vk::Space)) controls.jump = 1;
    if (keyboard.Pressed(vk::Z)) CastShot(field);

    if (keyboard.Down(vk::PageUp)) player->Look(LookStep);
    if (keyboard.Down(vk::PageDown)) player->Look(-LookStep);
    if (keyboard.Down(vk::Home)) player->lookOffset = 0.0f;
    if (controls.move != 0) player->RelaxLook();

    AimCamera();
}

void Stage::CastShot(const Field* field)
{
    if (!player->TryCast(field->IsOnMagicCircle(player->position))) return;
    CreateObject(KindMagicShot)->InitShot(*player);
}

void Stage::AimCamera()
{
    const Vec3& at = player->position;
    graphics->SetCameraHeight(at.y + player->lookOffset);
    graphics->SetCameraMode(FirstPersonView);
    graphics->SetCameraAngle(player->facing);
    graphics->SetCameraDistance(ViewDistance);
    graphics->SetEye({at.x, at.y + EyeHeight, at.z});
}
