#include "SoundRecipe.h"

#include <algorithm>
#include <cmath>
#include <map>

double Curve::At(double fraction) const
{
    if (points.size() == 1) return points[0];
    const double clamped = std::fmin(std::fmax(fraction, 0.0), 1.0);
    const double position = clamped * static_cast<double>(points.size() - 1);
    const size_t index = std::min(static_cast<size_t>(position), points.size() - 2);
    const double t = position - static_cast<double>(index);
    const double a = points[index];
    const double b = points[index + 1];
    if (geometric) return a * std::pow(b / a, t);
    return a + (b - a) * t;
}

namespace {

Curve ParseCurve(const SourceText& source, const SourceLine& line, const std::string& word, bool geometric)
{
    Curve curve{{}, geometric};
    size_t from = 0;
    while (true) {
        const size_t dots = word.find("..", from);
        curve.points.push_back(source.Number(line, word.substr(from, dots - from)));
        if (dots == std::string::npos) break;
        from = dots + 2;
    }
    for (const double point : curve.points) {
        if (geometric && point <= 0.0) source.Fail(line, "frequencies must be above zero: " + word);
    }
    return curve;
}

// "rate:depth" for vibrato and tremolo.
void ParsePair(const SourceText& source, const SourceLine& line, const std::string& word, double& rate, double& depth)
{
    const size_t colon = word.find(':');
    if (colon == std::string::npos) source.Fail(line, "expected rate:depth, got '" + word + "'");
    rate = source.Number(line, word.substr(0, colon));
    depth = source.Number(line, word.substr(colon + 1));
}

Waveform ParseWaveform(const SourceText& source, const SourceLine& line, const std::string& word)
{
    static const std::map<std::string, Waveform> names = {
        {"sine", Waveform::Sine}, {"triangle", Waveform::Triangle}, {"square", Waveform::Square},
        {"saw", Waveform::Saw},   {"noise", Waveform::Noise}};
    const auto found = names.find(word);
    if (found == names.end()) source.Fail(line, "unknown waveform '" + word + "'");
    return found->second;
}

void SetLayerValue(const SourceText& source, const SourceLine& line, Layer& layer,
                   const std::string& key, const std::string& value)
{
    if (key == "gain") layer.gain = source.Number(line, value);
    else if (key == "start") layer.start = source.Number(line, value);
    else if (key == "attack") layer.attack = source.Number(line, value);
    else if (key == "hold") layer.hold = source.Number(line, value);
    else if (key == "decay") layer.decay = source.Number(line, value);
    else if (key == "freq") layer.frequency = ParseCurve(source, line, value, true);
    else if (key == "q") layer.resonance = source.Number(line, value);
    else if (key == "seed") layer.seed = static_cast<uint32_t>(source.Integer(line, value, 1, 1 << 30));
    else if (key == "vibrato") ParsePair(source, line, value, layer.vibratoRate, layer.vibratoDepth);
    else if (key == "tremolo") ParsePair(source, line, value, layer.tremoloRate, layer.tremoloDepth);
    else if (key == "lowpass" || key == "highpass" || key == "bandpass") {
        layer.filter = key == "lowpass" ? FilterKind::Lowpass : key == "highpass" ? FilterKind::Highpass : FilterKind::Bandpass;
        layer.cutoff = ParseCurve(source, line, value, true);
    } else {
        source.Fail(line, "unknown layer setting '" + key + "'");
    }
}

Layer ParseLayer(const SourceText& source, const SourceLine& line, uint32_t index)
{
    if (line.words.size() < 2) source.Fail(line, "a layer needs a waveform");
    if (line.words.size() % 2 != 0) source.Fail(line, "layer settings come in pairs: name value");
    Layer layer;
    layer.waveform = ParseWaveform(source, line, line.words[1]);
    layer.seed = index * 7919u + 17u;
    for (size_t i = 2; i + 1 < line.words.size(); i += 2) SetLayerValue(source, line, layer, line.words[i], line.words[i + 1]);
    if (layer.attack < 0.0 || layer.hold < 0.0 || layer.decay <= 0.0) source.Fail(line, "attack and hold must be >= 0, decay > 0");
    if (layer.start < 0.0) source.Fail(line, "a layer cannot start before its sound");
    if (layer.resonance <= 0.0) source.Fail(line, "q must be above zero");
    return layer;
}

void CheckRecipe(const SourceText& source, const SourceLine& line, const SoundRecipe& recipe)
{
    if (recipe.layers.empty()) source.Fail(line, recipe.file + " has no layers");
    if (recipe.length < ShortestSound || recipe.length > LongestSound) {
        source.Fail(line, recipe.file + ": length must be 0.1 to 1.5 seconds");
    }
    if (recipe.peak <= 0.0 || recipe.peak > 1.0) source.Fail(line, recipe.file + ": peak must be in (0, 1]");
}

SoundRecipe ParseSound(SourceText& source, const SourceLine& opening)
{
    if (opening.words.size() != 2) source.Fail(opening, "expected: sound <file.wav>");
    SoundRecipe recipe;
    recipe.file = opening.words[1];
    while (!source.AtEnd()) {
        const SourceLine& line = source.Take();
        const std::string& key = line.words[0];
        if (key == "end") {
            CheckRecipe(source, line, recipe);
            return recipe;
        }
        if (key == "layer") {
            recipe.layers.push_back(ParseLayer(source, line, static_cast<uint32_t>(recipe.layers.size() + 1)));
            continue;
        }
        if (line.words.size() != 2) source.Fail(line, "expected: " + key + " <value>");
        if (key == "rate") recipe.rate = source.Integer(line, line.words[1], 8000, 96000);
        else if (key == "length") recipe.length = source.Number(line, line.words[1]);
        else if (key == "peak") recipe.peak = source.Number(line, line.words[1]);
        else source.Fail(line, "unknown sound setting '" + key + "'");
    }
    source.Fail(opening, recipe.file + " has no 'end'");
}

}  // namespace

std::vector<SoundRecipe> ParseRecipes(SourceText& source)
{
    std::vector<SoundRecipe> recipes;
    while (!source.AtEnd()) {
        const SourceLine& line = source.Take();
        if (line.words[0] != "sound") source.Fail(line, "expected 'sound', got '" + line.words[0] + "'");
        recipes.push_back(ParseSound(source, line));
    }
    return recipes;
}
