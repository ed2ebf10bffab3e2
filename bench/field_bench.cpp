#include "core/Random.h"
#include "field/Field.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <vector>

// The builder's single steps, reached through the Field's test hook, to count rebuilt ruins.
class FieldTestAccess {
public:
    static void BuildColumns(Field& field) { field.BuildColumns(); }
    static void OpenHollows(Field& field) { field.OpenHollows(); }
};

namespace {

double Percentile(const std::vector<double>& sorted, double fraction)
{
    if (sorted.empty()) return 0.0;
    const auto index = static_cast<size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

// One stage's ruin per iteration, a new seed each time. A stage start must not stall a frame,
// so the slow seeds (the 99th percentile) matter as much as the median.
void BM_FieldGenerate(benchmark::State& state)
{
    Field field(nullptr);
    std::vector<double> micros;
    micros.reserve(static_cast<size_t>(state.max_iterations));
    uint32_t seed = 0;
    for (auto _ : state) {
        SharedRandom().Seed(++seed);
        const auto start = std::chrono::steady_clock::now();
        field.Generate();
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = Percentile(micros, 0.5);
    state.counters["p99_us"] = Percentile(micros, 0.99);
    state.counters["max_us"] = micros.empty() ? 0.0 : micros.back();
}
BENCHMARK(BM_FieldGenerate)->Iterations(10000)->Unit(benchmark::kMicrosecond);

// How often the hollow repair gives up on a ruin and builds new columns (2,400 draws each).
void BM_FieldRebuildRate(benchmark::State& state)
{
    Field field(nullptr);
    uint64_t seeds = 0;
    uint64_t rebuiltRuins = 0;
    uint64_t rebuilds = 0;
    for (auto _ : state) {
        SharedRandom().Seed(static_cast<uint32_t>(++seeds));
        FieldTestAccess::BuildColumns(field);
        const uint64_t before = SharedRandom().DrawCount();
        FieldTestAccess::OpenHollows(field);
        const uint64_t extra = (SharedRandom().DrawCount() - before) / 2400;
        rebuilds += extra;
        rebuiltRuins += extra > 0;
    }
    state.counters["seeds"] = static_cast<double>(seeds);
    state.counters["rebuilt_ruins"] = static_cast<double>(rebuiltRuins);
    state.counters["rebuilds"] = static_cast<double>(rebuilds);
}
BENCHMARK(BM_FieldRebuildRate)->Iterations(10000)->Unit(benchmark::kMicrosecond);

// A crowd of bodies of the game's sizes walking, falling and bumping through one ruin.
struct BoxMove {
    Vec3 position;
    Vec3 velocity;
    Vec3 size;
};

float Uniform(Random& random, float low, float high)
{
    return low + (high - low) * static_cast<float>(random.Next()) / static_cast<float>(Random::Max);
}

void BM_FieldMoveBox(benchmark::State& state)
{
    SharedRandom().Seed(2024);
    Field field(nullptr);
    field.Generate();
    Random random(99);
    std::vector<BoxMove> moves(4096);
    for (BoxMove& move : moves) {
        const float size = Uniform(random, 0.5f, 4.0f);
        move.position = {Uniform(random, 2, 198), Uniform(random, 5, 40), Uniform(random, 2, 198)};
        move.velocity = {Uniform(random, -0.9f, 0.9f), Uniform(random, -3.0f, 1.2f), Uniform(random, -0.9f, 0.9f)};
        move.size = {size, size, size};
    }
    size_t next = 0;
    for (auto _ : state) {
        const BoxMove& move = moves[next];
        next = (next + 1) & (moves.size() - 1);
        benchmark::DoNotOptimize(field.MoveBox(move.position, move.velocity, move.size));
    }
}
BENCHMARK(BM_FieldMoveBox);

}  // namespace
