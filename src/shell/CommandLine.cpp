#include "shell/CommandLine.h"

#include "core/Settings.h"
#include "shell/ParseNumber.h"

#include <cmath>
#include <string_view>

namespace {

// A frame number, or one with a fraction ("120.5": halfway from frame 120 to 121).
bool ParseFrame(std::string_view text, ScreenshotRequest& request)
{
    const size_t point = text.find('.');
    if (!ParseNumber(text.substr(0, point), request.frame)) return false;
    request.fraction = 0.0f;
    if (point == std::string_view::npos) return true;
    const std::string_view digits = text.substr(point + 1);
    uint32_t whole = 0;
    if (digits.empty() || digits.size() > 6 || !ParseNumber(digits, whole)) return false;
    request.fraction = static_cast<float>(whole / std::pow(10.0, static_cast<double>(digits.size())));
    return true;
}

bool ParseScreenshot(std::string_view text, ScreenshotRequest& request)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon + 1 >= text.size()) return false;
    if (!ParseFrame(text.substr(0, colon), request)) return false;
    request.path = std::string(text.substr(colon + 1));
    return true;
}

// WxH, each side 1..16384 pixels.
bool ParseSize(std::string_view text, std::pair<int, int>& size)
{
    const size_t x = text.find('x');
    if (x == std::string_view::npos) return false;
    if (!ParseNumber(text.substr(0, x), size.first) || !ParseNumber(text.substr(x + 1), size.second)) return false;
    return size.first >= 1 && size.first <= 16384 && size.second >= 1 && size.second <= 16384;
}

// Walks argv, handing out each option's value when it takes one.
class ArgumentReader {
public:
    ArgumentReader(int argc, const char* const* argv) : count(argc), values(argv) {}

    bool Done() const { return index >= count; }
    std::string_view Next() { return values[index++]; }
    bool TakeValue(std::string_view option, std::string_view& value, std::string& error)
    {
        if (index >= count) {
            error = "option " + std::string(option) + " needs a value";
            return false;
        }
        value = values[index++];
        return true;
    }

private:
    int count;
    const char* const* values;
    int index = 1;
};

bool BadValue(std::string_view option, std::string_view value, std::string& error)
{
    error = "bad value '" + std::string(value) + "' for option " + std::string(option);
    return false;
}

// The options that take a small whole number, each with the values it allows.
struct NumberOption {
    std::string_view name;
    std::optional<int> CommandLine::*target;
    bool (*allowed)(int);
};

constexpr NumberOption numberOptions[] = {
    {"--fps", &CommandLine::fps, IsPictureRate},
    {"--msaa", &CommandLine::msaa, IsSampleCount},
    {"--music-volume", &CommandLine::musicVolume, IsVolume},
    {"--sound-volume", &CommandLine::soundVolume, IsVolume},
};

const NumberOption* FindNumberOption(std::string_view name)
{
    for (const NumberOption& option : numberOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error)
{
    ArgumentReader args(argc, argv);
    while (!args.Done()) {
        const std::string_view option = args.Next();
        std::string_view value;
        if (option == "--windowed") out.windowed = true;
        else if (option == "--fullscreen") out.windowed = false;
        else if (option == "--headless") out.headless = true;
        else if (option == "--no-render") out.noRender = true;
        else if (option == "--timedemo") out.timedemo = true;
        else if (option == "--title") out.titleRuin = true;
        else if (option == "--no-sound") out.noSound = true;
        else if (option == "--no-music") out.noMusic = true;
        else if (option == "--integer-scale") out.integerScale = true;
        else if (option == "--classic") out.classic = true;
        else if (option == "--full-resolution") out.fullResolution = true;
        else if (option == "--stats") out.stats = true;
        else if (option == "--records") out.records = true;
        else if (option == "--help" || option == "-h") out.help = true;
        else if (option == "--version") out.version = true;
        else if (option == "--seed" || option == "--frames" || option == "--print-ruin") {
            if (!args.TakeValue(option, value, error)) return false;
            uint64_t number = 0;
            if (!ParseNumber(value, number)) return BadValue(option, value, error);
            if (option == "--frames") {
                out.frames = number;
            } else {
                if (number > UINT32_MAX) return BadValue(option, value, error);
                (option == "--seed" ? out.seed : out.printRuin) = static_cast<uint32_t>(number);
            }
        } else if (const NumberOption* number = FindNumberOption(option)) {
            if (!args.TakeValue(option, value, error)) return false;
            int parsed = 0;
            if (!ParseNumber(value, parsed) || !number->allowed(parsed)) return BadValue(option, value, error);
            out.*(number->target) = parsed;
        } else if (option == "--replay" || option == "--record" || option == "--trace" ||
                   option == "--soundfont") {
            if (!args.TakeValue(option, value, error)) return false;
            if (value.empty()) return BadValue(option, value, error);
            std::string& target = option == "--replay" ? out.replayPath
                                : option == "--record" ? out.recordPath
                                : option == "--trace"  ? out.tracePath
                                                       : out.soundFont;
            target = std::string(value);
        } else if (option == "--size") {
            if (!args.TakeValue(option, value, error)) return false;
            std::pair<int, int> size;
            if (!ParseSize(value, size)) return BadValue(option, value, error);
            out.size = size;
        } else if (option == "--screenshot") {
            if (!args.TakeValue(option, value, error)) return false;
            ScreenshotRequest request;
            if (!ParseScreenshot(value, request)) return BadValue(option, value, error);
            out.screenshots.push_back(request);
        } else {
            error = "unknown option '" + std::string(option) + "' (see velmoor --help)";
            return false;
        }
    }
    if (out.titleRuin && !out.printRuin) {
        error = "option --title only goes with --print-ruin N";
        return false;
    }
    return true;
}

std::string HelpText()
{
    return "Usage: velmoor [options]\n"
           "A mage runs, jumps and casts magic through a random stone ruin.\n"
           "\n"
           "  --windowed                play in a window (skips the start-up dialog)\n"
           "  --fullscreen              play full screen (skips the start-up dialog)\n"
           "  --seed N                  seed the random generator with N instead of the clock\n"
           "  --headless                no visible window, no dialog, no sound device\n"
           "  --no-render               record frames but do not draw them\n"
           "  --timedemo                run frames back to back and print timing statistics\n"
           "  --frames N                quit after N frames\n"
           "  --replay FILE             play the key events of FILE instead of the keyboard\n"
           "  --record FILE             write this run's seed and key events to FILE\n"
           "  --trace FILE              write one line of game state per frame ('-': stdout)\n"
           "  --screenshot F:FILE.png   save the picture of frame F at the output size (repeatable);\n"
           "                            F = 120.5 is the picture halfway between frames 120 and 121\n"
           "  --print-ruin N [--title]  print the ruin generated from seed N and exit\n"
           "  --no-sound                no sound at all\n"
           "  --no-music                sound effects without music\n"
           "  --soundfont FILE          the General MIDI SoundFont for the music\n"
           "  --integer-scale           scale the picture by whole numbers only\n"
           "  --classic                 the original presentation: 640x480, one picture per frame\n"
           "  --size WxH                the window's inner size; headless, the picture's (640x480)\n"
           "  --fps N                   at most N pictures a second; 0 (default) follows the\n"
           "                            display with vsync; headless: one picture per frame\n"
           "  --msaa N                  multisampling: 0, 2, 4 (default) or 8 samples\n"
           "  --full-resolution         draw at the output's size even on a software renderer\n"
           "                            (which is otherwise held to 640x480)\n"
           "  --stats                   at exit print: stats frames=F pictures=P seconds=S\n"
           "                            max_picture_ms=X\n"
           "  --music-volume N          music volume for this run, 0..100\n"
           "  --sound-volume N          sound-effect volume for this run, 0..100\n"
           "  --records                 print the personal records and exit\n"
           "  --help                    show this help\n"
           "  --version                 show the version\n"
           "\n"
           "Keys: arrows turn and walk, Space jumps and accepts, Z casts magic, Shift opens the\n"
           "map view (in play) or the texture menu (on the title), Page Up / Page Down / Home\n"
           "tilt the view, F12 saves a screenshot, Alt+Enter toggles full screen, Escape quits.\n"
           "\n"
           "Settings are kept in $XDG_CONFIG_HOME/velmoor/velmoor.conf and the ten best games in\n"
           "$XDG_DATA_HOME/velmoor/records (see velmoor(6)); options override the settings for one run.\n";
}
