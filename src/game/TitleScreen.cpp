#include "game/Game.h"

#include "core/Keyboard.h"
#include "core/VirtualKeys.h"
#include "effects/EffectList.h"
#include "field/Field.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "sound/MidiPlayer.h"
#include "sound/SoundBank.h"
#include "stage/Stage.h"

#include <string>

// The title: a small ruin with the two mage figures on their blocks. Left and Right pan the
// camera from one figure to the other to choose the mage, Shift opens the texture-filter menu,
// Space starts the game after the sky has faded in over the scene.

namespace {

enum TitlePhase : int8_t {
    TitleSetUp        = 0,
    TitleMenu         = 1,
    TitlePanStart     = 2,
    TitlePan          = 3,
    TitleGameStart    = 4,
    TitleTextureMenu  = 5,
};

constexpr uint8_t  LeftFigure  = 1;                 // titleSelection values
constexpr uint8_t  RightFigure = 0;
constexpr Vec3     LeftFigurePosition{95.0f, 12.5f, 105.0f};
constexpr Vec3     RightFigurePosition{115.0f, 12.5f, 105.0f};
constexpr Vec3     TitleEye{105.0f, 12.0f, 70.0f};
constexpr float    LookAtY = 5.0f;                  // world units
constexpr float    LookAtZ = 105.0f;
constexpr int16_t  PanLeftX  = 950;                 // tenths of a world unit: the figures' x
constexpr int16_t  PanRightX = 1150;
constexpr int16_t  PanFastSpeed = 35;               // steps per frame at the start of the pan
constexpr int16_t  PanSlowSpeed = 8;                // and at its end
constexpr int16_t  GameStartFrames = 46;            // the sky fade's length, nearly
constexpr uint32_t TextColour = 0xFFDC1E28u;
constexpr uint32_t BestStageColour = 0xD8F0E6C8u;   // pale parchment, a little see-through
constexpr uint32_t BestStageShadow = 0x80101008u;   // keeps it readable on bright grass
constexpr int32_t  BestStageHeight = 14;            // pixels
constexpr int32_t  BestStageLeft = 508;             // pixels: room for five digits
constexpr int32_t  BestStageTop = 458;
constexpr int32_t  HintLeft = 12;                   // pixels
constexpr uint16_t ConfirmSound = 4;

constexpr const char* HelpText = " select:Left/Right key\n   accept:space key\ntexture type:shift key";

void PlaceObject(Stage& stage, int8_t kind, Vec3 position)
{
    stage.CreateObject(kind)->position = position;
}

// The pan runs in tenths of a world unit so that the walker's integer steps stay smooth.
float PanToLookAtX(int16_t panX) { return static_cast<float>(panX * 0.1); }

void DrawCornerText(Font& font, const std::string& text, int32_t left)
{
    font.Draw(text.c_str(), left + 1, BestStageTop + 1, BestStageShadow);
    font.Draw(text.c_str(), left, BestStageTop, BestStageColour);
}

// The player's best stage small in the bottom-right corner, and the shell's hint (the key of
// the options) in the bottom-left: there for whoever looks, never in the way of the banner or
// the help.
void DrawCorners(Font& font, uint16_t bestStage, const std::string& hint)
{
    if (bestStage > 0) DrawCornerText(font, "BEST STAGE " + std::to_string(bestStage), BestStageLeft);
    if (!hint.empty()) DrawCornerText(font, hint, HintLeft);
}

}  // namespace

bool Game::TitleScreen()
{
    ScreenStates& s = screens;
    switch (s.titlePhase) {
    case TitleSetUp:
        field->GenerateTitle();
        PlaceObject(*stage, KindFigure0, LeftFigurePosition);
        PlaceObject(*stage, KindFigure1, RightFigurePosition);
        graphics->SetCameraMode(0);
        graphics->SetEye(TitleEye);
        graphics->SetLookAt(Vec3{LeftFigurePosition.x, LookAtY, LookAtZ});

        s.titleBanner = std::make_unique<Sprite>(graphics.get());
        s.titleBanner->SetSource(spriteSheet.get(), 144, 144, 112, 16);
        s.titleBanner->SetPosition(298.0f, 350.0f, 0.0f);
        s.titleBanner->SetScale(2.0f);

        s.titleFont = std::make_unique<Font>(graphics.get());
        s.titleFont->SetFaceName("Courier");
        s.titleFont->SetParam(Font::ParamHeight, 20);
        s.titleFont->SetParam(Font::ParamWeight, 700);
        s.titleFont->Create();
        if (bestStage > 0 || !titleHint.empty()) {
            s.titleBestFont = std::make_unique<Font>(graphics.get());
            s.titleBestFont->SetFaceName("Courier");
            s.titleBestFont->SetParam(Font::ParamHeight, BestStageHeight);
            s.titleBestFont->SetParam(Font::ParamWeight, 700);
            s.titleBestFont->Create();
        }
        s.titlePhase = TitleMenu;
        return false;

    case TitleMenu:
        stage->DrawObjects();
        s.titleBanner->Draw();
        s.titleFont->Draw(HelpText, 165, 390, TextColour);
        if (s.titleBestFont) DrawCorners(*s.titleBestFont, bestStage, titleHint);
        // Space wins over Shift when both go down in the same frame.
        if (keyboard->Pressed(vk::Space)) {
            sounds->Play(ConfirmSound);
            effects->Create(EffectFadeIn);
            music->Play();
            s.titleCounter = 0;
            s.titlePhase = TitleGameStart;
        } else if (keyboard->Pressed(vk::Shift)) {
            sounds->Play(ConfirmSound);
            s.titleCounter = 0;
            s.titlePhase = TitleTextureMenu;
        } else if ((keyboard->Pressed(vk::Right) && s.titleSelection == LeftFigure) ||
                   (keyboard->Pressed(vk::Left) && s.titleSelection == RightFigure)) {
            s.titlePhase = TitlePanStart;
        }
        return false;

    case TitlePanStart:
        stage->DrawObjects();
        if (s.titleSelection == LeftFigure) {
            s.titlePan = std::make_unique<LineWalker>(PanLeftX, 0, 0, PanFastSpeed, PanRightX, 0, 0, PanSlowSpeed);
        } else {
            s.titlePan = std::make_unique<LineWalker>(PanRightX, 0, 0, PanFastSpeed, PanLeftX, 0, 0, PanSlowSpeed);
        }
        s.titlePhase = TitlePan;
        return false;

    case TitlePan:
        stage->DrawObjects();
        if (!s.titlePan->Step()) {
            s.titleSelection = s.titlePan->GetX() == PanLeftX ? LeftFigure : RightFigure;
            s.titlePhase = TitleMenu;
        }
        graphics->SetLookAt(Vec3{PanToLookAtX(s.titlePan->GetX()), LookAtY, LookAtZ});
        if (s.titlePhase == TitleMenu) s.titlePan.reset();
        return false;

    case TitleGameStart:
        if (++s.titleCounter != GameStartFrames) return false;
        s.titleBanner.reset();
        s.titleFont.reset();
        s.titleBestFont.reset();
        stage->RemoveObjects(0);
        s.titleCounter = 0;
        s.titlePhase = TitleSetUp;
        stageRecord = 0;
        // The stage numbers its figures 0 and 1; the title keeps 1 for the left one.
        stage->SetFigure(s.titleSelection == LeftFigure ? 0 : 1);
        s.titleSelection = LeftFigure;
        stage->GetPlayer()->ResetForGame();
        return true;

    case TitleTextureMenu: {
        std::string text = "     Texture Graphics:";
        text += linearFilter == 1 ? "LINEAR\n" : "NONE LINEAR\n";
        text += "select:Left/Right key  accept:space key";
        s.titleFont->Draw(text.c_str(), 65, 320, TextColour);
        stage->DrawObjects();
        // Right then Left: both in one frame leave the filter off.
        if (keyboard->Pressed(vk::Right) && linearFilter == 0) linearFilter = 1;
        if (keyboard->Pressed(vk::Left) && linearFilter == 1) linearFilter = 0;
        if (keyboard->Pressed(vk::Space)) s.titlePhase = TitleMenu;
        return false;
    }
    default:
        return false;
    }
}
