#include "core/Random.h"
#include "core/Settings.h"
#include "field/Field.h"
#include "graphics/Graphics.h"
#include "platform/system/Window.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// The states the game sets once at start-up, and a first-person camera over the ruin.
void PrepareGameStates(Graphics& graphics)
{
    graphics.SetRenderState(RenderState::DepthTest, 1);
    graphics.SetRenderState(RenderState::Lighting, 0);
    graphics.SetTextureStageState(0, TextureStageState::AlphaOperation, TextureOperationModulate);
    graphics.SetTextureStageState(0, TextureStageState::AlphaArgument2, TextureArgumentDiffuse);
    graphics.SetCameraMode(1);
    graphics.SetCameraAngle(0.6f);
    graphics.SetCameraDistance(5.0f);
    graphics.SetCameraHeight(21.0f);
    graphics.SetEye({35.0f, 21.0f, 160.0f});
}

void DrawRuinFrame(Graphics& graphics, Field& field)
{
    graphics.BeginFrame();
    graphics.SetTextureFilter(true);
    field.Draw(true);
    graphics.EndFrame();
}

void ReportFrame(benchmark::State& state, const Graphics& graphics)
{
    state.counters["draws_recorded"] = static_cast<double>(graphics.Recording().Draws().size());
    state.counters["draw_calls"] = graphics.LastFrameDrawCalls();
}

// Recording a whole ruin frame (sky, every visible face, the wall ring) and merging it into
// draw calls, with no renderer: the CPU cost the game pays every frame before any drawing.
void BM_RecordRuinFrame(benchmark::State& state)
{
    RunSettings settings;
    settings.render = false;
    SetSettings(settings);
    Graphics graphics;
    graphics.CreateDevice();
    PrepareGameStates(graphics);
    Field field(&graphics);
    SharedRandom().Seed(12345);
    field.Generate();
    for (auto _ : state) DrawRuinFrame(graphics, field);
    ReportFrame(state, graphics);
}
BENCHMARK(BM_RecordRuinFrame)->Unit(benchmark::kMicrosecond);

// Runs a benchmark body on a ruin drawn headless into the 640x480 picture (SDL's offscreen
// driver; Mesa's llvmpipe without a GPU).
template <typename Body>
void OnHeadlessRuin(benchmark::State& state, Body body)
{
    RunSettings settings;
    settings.headless = true;
    SetSettings(settings);
    std::string error;
    if (!platform::InitVideo(true, error) || !platform::CreateMainWindow("Velmoor", false, true, true, 640, 480, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    {
        Graphics graphics;
        if (!graphics.CreateDevice()) {
            state.SkipWithError("no OpenGL 3.3 context");
        } else {
            PrepareGameStates(graphics);
            Field field(&graphics);
            SharedRandom().Seed(12345);
            field.Generate();
            body(graphics, field);
        }
    }
    platform::DestroyMainWindow();
    platform::ShutdownVideo();
}

// The same frame recorded, drawn into the picture and presented.
void BM_DrawRuinFrameHeadless(benchmark::State& state)
{
    OnHeadlessRuin(state, [&state](Graphics& graphics, Field& field) {
        DrawRuinFrame(graphics, field);
        for (auto _ : state) DrawRuinFrame(graphics, field);
        ReportFrame(state, graphics);
    });
}
BENCHMARK(BM_DrawRuinFrameHeadless)->Unit(benchmark::kMillisecond)->UseRealTime();

// One picture halfway between two recorded frames while the view turns: the camera blended,
// the frame's vertices copied and moved, drawn and presented.
void BM_PictureBetweenFramesHeadless(benchmark::State& state)
{
    OnHeadlessRuin(state, [&state](Graphics& graphics, Field& field) {
        graphics.SetPicturePerFrame(false);
        DrawRuinFrame(graphics, field);
        graphics.SetCameraAngle(0.65f);
        DrawRuinFrame(graphics, field);
        for (auto _ : state) graphics.PresentPicture(0.5f);
        ReportFrame(state, graphics);
    });
}
BENCHMARK(BM_PictureBetweenFramesHeadless)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
