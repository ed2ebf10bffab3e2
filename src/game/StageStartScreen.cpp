#include "game/Game.h"

#include "core/Random.h"
#include "effects/EffectList.h"
#include "field/Field.h"
#include "game/ScreenRules.h"
#include "graphics/Graphics.h"
#include "stage/Stage.h"

// The stage start: a new ruin, the key on a summit, the player dropped in from above, the sky
// fading away and the stage caption; ten frames later the ruin fills with enemies, kept away
// from the player so that nobody is struck while still falling.

namespace {

constexpr uint8_t StartFrames = 10;   // frames between the set-up and the enemies
constexpr float   CameraDistance = 5.0f;
constexpr float   EyeRaise = 1.0f;    // world units above the player's centre

Vec3 CellCentre(int16_t row, int16_t layer, int16_t col)
{
    return Vec3{row * Field::CellWidth + 5.0f, layer * Field::CellHeight, col * Field::CellWidth + 5.0f};
}

// The camera as the player update will set it, so the first frame of play changes nothing.
void AimCameraAt(Graphics& graphics, const Player& player)
{
    graphics.SetCameraHeight(player.position.y + player.lookOffset);
    graphics.SetCameraMode(1);
    graphics.SetCameraAngle(player.facing);
    graphics.SetCameraDistance(CameraDistance);
    graphics.SetEye(Vec3{player.position.x, player.position.y + EyeRaise, player.position.z});
}

}  // namespace

bool Game::StageStartScreen()
{
    ScreenStates& s = screens;
    if (s.startFrame == 0) {
        field->Generate();
        int16_t row = 0, layer = 0, col = 0;
        field->PickSummit(row, layer, col);
        stage->CreateObject(KindKey)->position = CellCentre(row, layer, col);

        const Vec3 drop = field->RandomDropPoint();
        stage->PlacePlayer(drop.x, drop.y, drop.z);
        AimCameraAt(*graphics, *stage->GetPlayer());
        stage->ClearMap();
        ++stageRecord;
        effects->Create(EffectFadeOut);
        effects->Create(EffectStageBanner)->SetScale(static_cast<float>(stageRecord), 0.0f, 0.0f);
        s.startFrame = 1;
        return false;
    }
    if (s.startFrame < StartFrames) {
        ++s.startFrame;
        return false;
    }

    const int enemies = StageEnemyCount(stageRecord, SharedRandom().Next());
    const Vec3 player = stage->GetPlayer()->position;
    for (int i = 0; i < enemies; ++i) {
        // The spot is found before the kind is drawn.
        const Vec3 spot = field->RandomDropPointAway(player.x, player.z);
        const int8_t kind = static_cast<int8_t>(KindEnemy1 + SharedRandom().Next() % 4);
        stage->CreateObject(kind)->position = spot;
    }
    s.startFrame = 0;
    return true;
}
