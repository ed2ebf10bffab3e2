#include "core/Random.h"
#include "core/Settings.h"
#include "field/Field.h"
#include "graphics/Graphics.h"
#include "platform/Window.h"

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

// The same frame recorded, drawn into the 640x480 picture and presented, headless (SDL's
// offscreen driver; Mesa's llvmpipe without a GPU).
void BM_DrawRuinFrameHeadless(benchmark::State& state)
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
            DrawRuinFrame(graphics, field);   // the first frame compiles the shader's variants
            for (auto _ : state) DrawRuinFrame(graphics, field);
            ReportFrame(state, graphics);
        }
    }
    platform::DestroyMainWindow();
    platform::ShutdownVideo();
}
BENCHMARK(BM_DrawRuinFrameHeadless)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
