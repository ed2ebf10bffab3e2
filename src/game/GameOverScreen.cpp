#include "game/Game.h"

#include "core/Keyboard.h"
#include "core/VirtualKeys.h"
#include "effects/EffectList.h"
#include "game/ScreenRules.h"
#include "graphics/Graphics.h"
#include "sound/MidiPlayer.h"
#include "stage/Stage.h"

#include <cstdio>
#include <string>

// The game over: the music stops, the ruin empties and fades behind the sky, then the cause of
// the end and, after a press of Space, the stage record with its rank. A second press goes
// back to the title.

namespace {

enum OverPhase : int8_t {
    OverSetUp  = 0,
    OverFade   = 1,
    OverCause  = 2,
    OverRecord = 3,
    OverEnd    = 4,
};

constexpr int8_t   ReasonLife = 1;
constexpr int16_t  FadeFrames = 48;
constexpr uint32_t TextColour = 0xFFDC1E28u;

std::string CauseText(int8_t reason)
{
    std::string text = reason == ReasonLife ? "LifePower Empty\n" : " Time is over\n";
    return text + "   GAME OVER\nPUSH SPACE KEY";
}

std::string RecordText(uint16_t stageRecord)
{
    char record[48];
    std::snprintf(record, sizeof record, "STAGE RECORD %d\nYOU RANK IS ", static_cast<int>(stageRecord));
    return std::string(record) + RankTitle(stageRecord) + "PUSH SPACE KEY\n";
}

}  // namespace

bool Game::GameOverScreen(int8_t reason, uint8_t& visible)
{
    ScreenStates& s = screens;
    switch (s.overPhase) {
    case OverSetUp:
        music->Stop();
        visible = 1;
        effects->Create(EffectFadeIn);
        effects->Remove(EffectLightColumn);
        s.overFont = std::make_unique<Font>(graphics.get());
        s.overFont->SetFaceName("Courier");
        s.overFont->SetParam(Font::ParamHeight, 32);
        s.overFont->SetParam(Font::ParamWeight, 700);
        s.overFont->Create();
        stage->RemoveObjects(0);
        stage->GetPlayer()->Unequip();   // a power item does not carry into the next game
        stage->DrawObjects();
        s.overPhase = OverFade;
        return false;

    case OverFade:
        if (++s.overCounter == FadeFrames) {
            visible = 0;
            s.overPhase = OverCause;
            s.overCounter = 0;
        }
        return false;

    case OverCause:
        // The cause stays on screen in the frame Space goes down.
        if (keyboard->Pressed(vk::Space)) s.overPhase = OverRecord;
        s.overFont->Draw(CauseText(reason).c_str(), 175, 350, TextColour);
        return false;

    case OverRecord:
        visible = 0;
        s.overFont->Draw(RecordText(stageRecord).c_str(), 90, 370, TextColour);
        if (keyboard->Pressed(vk::Space)) s.overPhase = OverEnd;
        return false;

    case OverEnd:
        effects->Remove(0);
        s.overFont.reset();
        s.overPhase = OverSetUp;
        stageRecord = 0;
        return true;

    default:
        return false;
    }
}
