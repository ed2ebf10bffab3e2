// velmoor_autopilot: plays the real game headless toward a goal and records the run as a replay.
//
//   velmoor_autopilot --goal clear|time|life [--seed N] [--tries K] [--budget FRAMES]
//                     [--shortest] [--out FILE] [--trace FILE]
//
// Seeds N, N+1, ... are tried until one run shows the goal within the frame budget; that run's
// replay is written (with the number of frames it played in a comment) and the program exits 0.
// With --shortest every one of the K seeds is played and the shortest run that shows the goal
// is kept (short runs keep the rendered tests quick).
#include "Autopilot.h"

#include "shell/Replay.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace {

struct Options {
    Goal goal = Goal::ClearStage;
    uint32_t seed = 1;
    int tries = 50;
    uint64_t budget = 0;    // 0: the goal's own default
    std::string out;        // empty: standard output
    std::string tracePath;  // empty: no trace
    bool shortest = false;  // play every seed and keep the shortest success
};

std::optional<Goal> GoalNamed(const std::string& name)
{
    if (name == "clear") return Goal::ClearStage;
    if (name == "time") return Goal::LoseByTime;
    if (name == "life") return Goal::LoseByLife;
    return std::nullopt;
}

const char* GoalName(Goal goal)
{
    switch (goal) {
    case Goal::ClearStage: return "clear";
    case Goal::LoseByTime: return "time";
    case Goal::LoseByLife: return "life";
    }
    return "?";
}

// TIME lasts 4000 frames of play; losing by it needs all of them, the others fewer.
uint64_t DefaultBudget(Goal goal)
{
    return goal == Goal::LoseByLife ? 9000 : 6000;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--shortest") {
            options.shortest = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (argument == "--goal") {
            const auto goal = GoalNamed(value);
            if (!goal) return false;
            options.goal = *goal;
        } else if (argument == "--seed") {
            options.seed = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        } else if (argument == "--tries") {
            options.tries = std::atoi(value.c_str());
        } else if (argument == "--budget") {
            options.budget = std::strtoull(value.c_str(), nullptr, 10);
        } else if (argument == "--out") {
            options.out = value;
        } else if (argument == "--trace") {
            options.tracePath = value;
        } else {
            return false;
        }
    }
    if (options.budget == 0) options.budget = DefaultBudget(options.goal);
    return options.tries > 0;
}

bool WriteText(const std::string& path, const std::string& text)
{
    if (path.empty()) {
        std::fputs(text.c_str(), stdout);
        return true;
    }
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

std::string ReplayText(const Options& options, const Autopilot& pilot)
{
    std::string text = "# Recorded by velmoor_autopilot --goal " + std::string(GoalName(options.goal)) + ": " +
                       pilot.Outcome() + ".\n";
    text += "# frames " + std::to_string(pilot.FramesPlayed()) + "\n";
    return text + FormatReplay(pilot.Recording());
}

std::string TraceText(const Autopilot& pilot)
{
    std::string text;
    for (const std::string& line : pilot.Trace()) text += line;
    return text;
}

int WriteResults(const Options& options, const Autopilot& pilot)
{
    if (!WriteText(options.out, ReplayText(options, pilot))) {
        std::fprintf(stderr, "velmoor_autopilot: cannot write '%s'\n", options.out.c_str());
        return 1;
    }
    if (!options.tracePath.empty() && !WriteText(options.tracePath, TraceText(pilot))) {
        std::fprintf(stderr, "velmoor_autopilot: cannot write '%s'\n", options.tracePath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs("usage: velmoor_autopilot --goal clear|time|life [--seed N] [--tries K] "
                   "[--budget FRAMES] [--shortest] [--out FILE] [--trace FILE]\n", stderr);
        return 2;
    }
    std::unique_ptr<Autopilot> best;
    for (int attempt = 0; attempt < options.tries; ++attempt) {
        const uint32_t seed = options.seed + static_cast<uint32_t>(attempt);
        auto pilot = std::make_unique<Autopilot>(options.goal, seed);
        const bool shown = pilot->Run(options.budget);
        std::fprintf(stderr, "seed %u: %s (%llu frames)\n", seed, pilot->Outcome().c_str(),
                     static_cast<unsigned long long>(pilot->FramesPlayed()));
        if (!shown) continue;
        if (!best || pilot->FramesPlayed() < best->FramesPlayed()) best = std::move(pilot);
        if (!options.shortest) break;
    }
    if (best) return WriteResults(options, *best);
    std::fprintf(stderr, "velmoor_autopilot: no seed reached the goal in %d tries\n", options.tries);
    return 1;
}
