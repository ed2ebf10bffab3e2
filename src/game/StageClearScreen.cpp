#include "game/Game.h"

#include "core/Keyboard.h"
#include "core/VirtualKeys.h"
#include "effects/EffectList.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "stage/Stage.h"

// The stage clear: the enemies vanish, the sky fades in over the ruin, the "STAGE CLEAR"
// banner grows from its corner, and the remaining TIME is turned into LIFE, MANA and item time
// while the gauges (drawn by Game after every call) show it happen. Space goes on to the next
// stage.

namespace {

enum ClearPhase : int8_t {
    ClearSetUp     = 0,
    ClearFade      = 1,
    ClearGrow      = 2,
    ClearPause     = 3,
    ClearCountUp   = 4,
    ClearHold      = 5,
    ClearWait      = 6,
    ClearEnd       = 7,
};

constexpr int16_t  FadeFrames  = 49;
constexpr int16_t  PauseFrames = 50;
constexpr int16_t  HoldFrames  = 30;
constexpr uint32_t BonusColour = 0xFFDC1E28u;
constexpr uint32_t PromptColour = 0xFFC8C80Au;

// The growth walker's x runs 0..200: the banner's scale in hundredths.
float GrowthToScale(int16_t growX) { return static_cast<float>(growX * 0.01); }

}  // namespace

bool Game::StageClearScreen(uint8_t& visible)
{
    ScreenStates& s = screens;
    switch (s.clearPhase) {
    case ClearSetUp:
        visible = 1;
        effects->Create(EffectFadeIn);
        for (int8_t kind = KindEnemy1; kind <= KindEnemy4; ++kind) stage->RemoveObjects(kind);
        stage->DrawObjects();
        s.clearBanner = std::make_unique<Sprite>(graphics.get());
        s.clearBanner->SetSource(spriteSheet.get(), 0, 240, 160, 16);
        s.clearBanner->SetPosition(240.0f, 290.0f, 0.0f);
        s.clearBanner->SetPivotTopLeft();
        s.clearBanner->SetScale(0.0f);
        s.clearGrow = std::make_unique<LineWalker>(0, 0, 0, 30, 200, 0, 50, 5);
        s.clearCounter = 0;
        s.clearPhase = ClearFade;
        return false;

    case ClearFade:
        if (++s.clearCounter == FadeFrames) {
            // The sky now covers the ruin: take the rest away unseen.
            stage->RemoveObjects(0);
            effects->Remove(EffectLightColumn);
            visible = 0;
            s.clearCounter = 0;
            s.clearPhase = ClearGrow;
        }
        stage->DrawObjects();
        return false;

    case ClearGrow:
        s.clearBanner->SetScale(GrowthToScale(s.clearGrow->GetX()));
        if (!s.clearGrow->Step()) {
            s.clearGrow.reset();
            s.clearPhase = ClearPause;
        }
        stage->DrawObjects();
        s.clearBanner->Draw();
        return false;

    case ClearPause:
        if (++s.clearCounter == PauseFrames) {
            s.clearFont = std::make_unique<Font>(graphics.get());
            s.clearFont->SetFaceName("Courier");
            s.clearFont->SetParam(Font::ParamHeight, 32);
            s.clearFont->SetParam(Font::ParamWeight, 700);
            s.clearFont->Create();
            s.clearCounter = 0;
            s.clearPhase = ClearCountUp;
        }
        stage->DrawObjects();
        s.clearBanner->Draw();
        return false;

    case ClearCountUp:
        if (stage->GetPlayer()->TimeBonusStep()) s.clearPhase = ClearHold;
        s.clearFont->Draw("TIME BONUS", 220, 380, BonusColour);
        stage->DrawObjects();
        s.clearBanner->Draw();
        return false;

    case ClearHold:
        ++s.clearCounter;
        s.clearFont->Draw("TIME BONUS", 220, 380, BonusColour);
        if (s.clearCounter == HoldFrames) {
            s.clearPhase = ClearWait;
            s.clearCounter = 0;
        }
        return false;

    case ClearWait:
        s.clearFont->Draw("PUSH SPACEKEY TO NEXTSTAGE", 67, 380, PromptColour);
        // Only a fresh press counts: a Space held since the count-up does not skip ahead.
        if (keyboard->Pressed(vk::Space)) s.clearPhase = ClearEnd;
        return false;

    case ClearEnd:
        s.clearPhase = ClearSetUp;
        s.clearBanner.reset();
        s.clearFont.reset();
        return true;

    default:
        return false;
    }
}
