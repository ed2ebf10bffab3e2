#include "core/Keyboard.h"
#include "core/Random.h"
#include "effects/EffectList.h"
#include "field/Field.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "stage/Stage.h"

#include <benchmark/benchmark.h>

namespace {

// One stage in play on a generated ruin, as the stage-start screen sets it up: the key on a
// summit, the player dropped at a random column, the enemies scattered away from it.
struct PlayedStage {
    Graphics   graphics;
    Texture    sheet;
    Field      field{nullptr};
    EffectList effects{&graphics, nullptr};
    Stage      stage{&graphics, nullptr};
    Keyboard   keyboard;

    explicit PlayedStage(int enemies)
    {
        SharedRandom().Seed(20240611);
        field.Generate();
        stage.SetTexture(0, &sheet);
        stage.SetFigure(0);

        int16_t row = 0, layer = 0, col = 0;
        field.PickSummit(row, layer, col);
        stage.CreateObject(KindKey)->position = {row * 10.0f + 5.0f, layer * 5.0f + 10.0f, col * 10.0f + 5.0f};

        const Vec3 start = field.RandomDropPoint();
        stage.PlacePlayer(start.x, start.y, start.z);
        stage.GetPlayer()->ResetForGame();
        for (int i = 0; i < enemies; ++i) {
            const Vec3 at = field.RandomDropPointAway(start.x, start.z);
            const auto kind = static_cast<int8_t>(KindEnemy1 + SharedRandom().Next() % 4);
            stage.CreateObject(kind)->position = at;
        }
    }

    void Frame()
    {
        graphics.BeginFrame();
        stage.UpdateObjects(&field, &effects);
        stage.UpdatePlayer(keyboard, &field);
        // Keep the play going however long the benchmark runs.
        Player& player = *stage.GetPlayer();
        player.time = 100.0f;
        player.life = 100.0f;
    }
};

void StageFrame(benchmark::State& state)
{
    PlayedStage played(static_cast<int>(state.range(0)));
    for (int warmUp = 0; warmUp < 100; ++warmUp) played.Frame();   // enemies spread and land
    for (auto _ : state) played.Frame();
    state.counters["objects"] = played.stage.ObjectCount();
}

}  // namespace

BENCHMARK(StageFrame)->Arg(21)->Arg(100)->Arg(250)->Unit(benchmark::kMicrosecond);
