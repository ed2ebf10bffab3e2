#include "game/Game.h"

#include "core/Keyboard.h"
#include "core/VirtualKeys.h"
#include "effects/EffectList.h"
#include "field/Field.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "sound/MidiPlayer.h"
#include "sound/SoundBank.h"
#include "stage/Player.h"
#include "stage/Stage.h"

namespace {

// The sound effects and the slots they are played by.
struct SoundFile {
    const char* name;
    uint16_t slot;
};
constexpr SoundFile soundFiles[] = {
    {"bomb.wav", 1}, {"kemu.wav", 2}, {"HitD@22.wav", 3}, {"get.wav", 4}, {"WindD@11.wav", 5},
};

}  // namespace

Game::Game() = default;

// Textures and every user of the device go before the device itself.
Game::~Game()
{
    screens = ScreenStates{};
    spriteSheet.reset();
    music.reset();
    sounds.reset();
    stage.reset();
    field.reset();
    keyboard.reset();
    effects.reset();
    waterTexture.reset();
    graphics.reset();
}

bool Game::Init()
{
    keyboard = std::make_unique<Keyboard>();
    graphics = std::make_unique<Graphics>();
    if (!graphics->CreateDevice()) return false;

    spriteSheet = std::make_unique<Texture>();
    spriteSheet->LoadFromFile(graphics.get(), "parts.dds", 256, 256);
    field = std::make_unique<Field>(graphics.get());

    sounds = std::make_unique<SoundBank>();
    sounds->Init();
    LoadSounds();
    music = std::make_unique<MidiPlayer>();
    music->Open("run.mid");   // the title screen starts it

    stage = std::make_unique<Stage>(graphics.get(), sounds.get());
    stage->SetTexture(0, spriteSheet.get());
    effects = std::make_unique<EffectList>(graphics.get(), sounds.get());
    waterTexture = std::make_unique<Texture>();
    waterTexture->LoadFromResource(graphics.get(), "IMAGE_FIELD5", 48, 48);
    effects->SetTexture(0, waterTexture.get());
    effects->SetTexture(1, spriteSheet.get());

    SetFixedRenderStates();
    PrepareFonts();
    return true;
}

void Game::LoadSounds()
{
    for (const SoundFile& sound : soundFiles) sounds->Load(sound.name, sound.slot);
}

// The bold Courier of the title (20) and of the stage banner, stage clear and game over (32),
// rasterised now rather than on the frame that first shows them.
void Game::PrepareFonts()
{
    for (const int32_t height : {20, 32}) graphics->FindGlyphAtlas("Courier", height, 700, graphics->PictureScale());
}

// Depth on, no lighting, and every textured draw is the texture times the vertex colour,
// alpha included.
void Game::SetFixedRenderStates()
{
    graphics->SetRenderState(RenderState::DepthTest, 1);
    graphics->SetRenderState(RenderState::Lighting, 0);
    graphics->SetTextureStageState(0, TextureStageState::ColourOperation, TextureOperationModulate);
    graphics->SetTextureStageState(0, TextureStageState::ColourArgument1, TextureArgumentTexture);
    graphics->SetTextureStageState(0, TextureStageState::ColourArgument2, TextureArgumentDiffuse);
    graphics->SetTextureStageState(0, TextureStageState::AlphaOperation, TextureOperationModulate);
    graphics->SetTextureStageState(0, TextureStageState::AlphaArgument1, TextureArgumentTexture);
    graphics->SetTextureStageState(0, TextureStageState::AlphaArgument2, TextureArgumentDiffuse);
}

bool Game::Frame()
{
    frameState = state;
    keyboard->Update();
    graphics->BeginFrame();
    graphics->SetTextureFilter(linearFilter == 1);
    field->Draw(fieldVisible != 0);
    StepStateMachine();
    effects->Frame();
    notices.Frame(*graphics, state == StateTitle || state == StateGameOverByLife || state == StateGameOverByTime);
    graphics->EndFrame();
    return !keyboard->Down(vk::Escape);
}

void Game::StepStateMachine()
{
    switch (state) {
    case StateStartup:
        state = StateTitle;
        break;
    case StateTitle:
        fieldVisible = 1;
        if (TitleScreen()) state = StateStageStart;
        break;
    case StateStageStart:
        fieldVisible = 1;
        if (StageStartScreen()) state = StatePlay;
        break;
    case StatePlay: {
        // In the frame the exit is reached the player is not updated, so that frame cannot
        // also lose the game.
        if (stage->UpdateObjects(field.get(), effects.get())) {
            state = StateStageClear;
            break;
        }
        const int8_t result = stage->UpdatePlayer(*keyboard, field.get());
        if (result > 0) state = static_cast<GameState>(40 + result);
        break;
    }
    case StateStageClear: {
        const bool finished = StageClearScreen(fieldVisible);
        stage->GetPlayer()->UpdateHud(2);   // the gauges show the bonus as it is counted
        if (finished) state = StateStageStart;
        break;
    }
    case StateGameOverByLife:
    case StateGameOverByTime:
        if (GameOverScreen(static_cast<int8_t>(state - 40), fieldVisible)) state = StateTitle;
        break;
    default:
        break;
    }
}

bool Game::OnMessage(uint32_t message, uint64_t wParam, int64_t lParam)
{
    if (music) music->OnMessage(message, wParam, lParam);
    if (!keyboard) return false;
    keyboard->OnMessage(message, wParam, lParam);
    if (message != wm::Close) return false;
    windowDestroyRequested = true;
    return true;
}

GameSnapshot Game::Snapshot(uint64_t frame) const
{
    GameSnapshot snapshot;
    snapshot.frame = frame;
    snapshot.state = frameState;
    snapshot.stage = stageRecord;
    if (stage) {
        const Player& player = *stage->GetPlayer();
        snapshot.player = player.position;
        snapshot.facing = player.facing;
        snapshot.time = player.time;
        snapshot.life = player.life;
        snapshot.mana = player.mana;
        snapshot.item = player.heldItem;
        snapshot.objects = static_cast<unsigned>(stage->ObjectCount());
    }
    if (effects) snapshot.effects = static_cast<unsigned>(effects->Count());
    return snapshot;
}
