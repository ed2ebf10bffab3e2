#include "EffectSynth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double SilenceLevel = 0.001;   // -60 dB: where a decay counts as finished
constexpr int FilterUpdateFrames = 16;   // the cut-off moves in steps this short

// The level of an envelope `t` seconds into the layer: linear attack, hold, then an exponential
// fall that is bent to reach exactly zero at the end of the decay.
double Envelope(const Layer& layer, double t)
{
    if (t < 0.0) return 0.0;
    if (t < layer.attack) return t / layer.attack;
    t -= layer.attack;
    if (t < layer.hold) return 1.0;
    t -= layer.hold;
    if (t >= layer.decay) return 0.0;
    const double falling = std::exp(std::log(SilenceLevel) * t / layer.decay);
    return (falling - SilenceLevel) / (1.0 - SilenceLevel);
}

// Softens the jump of a square or saw edge (polyBLEP), so high notes do not alias into hiss.
double EdgeCorrection(double phase, double step)
{
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state(seed ? seed : 1) {}
    double Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483647.5 - 1.0;
    }
private:
    uint32_t state;
};

double Oscillator(Waveform waveform, double phase, double step, NoiseSource& noise)
{
    switch (waveform) {
    case Waveform::Sine:     return std::sin(2.0 * Pi * phase);
    case Waveform::Triangle: return 1.0 - 4.0 * std::fabs(phase - 0.5);
    case Waveform::Saw:      return 2.0 * phase - 1.0 - EdgeCorrection(phase, step);
    case Waveform::Square: {
        const double half = std::fmod(phase + 0.5, 1.0);
        return (phase < 0.5 ? 1.0 : -1.0) + EdgeCorrection(phase, step) - EdgeCorrection(half, step);
    }
    case Waveform::Noise:    return noise.Next();
    }
    return 0.0;
}

// A second-order filter after the well-known audio cookbook formulas.
class Biquad {
public:
    void Tune(FilterKind kind, double cutoff, double q, int rate)
    {
        if (kind == FilterKind::None) return;   // stays a plain pass-through
        const double w = 2.0 * Pi * std::clamp(cutoff, 20.0, 0.45 * rate) / rate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        double b0 = 0.0, b1 = 0.0, b2 = 0.0;
        switch (kind) {
        case FilterKind::Lowpass:  b0 = (1.0 - c) / 2.0; b1 = 1.0 - c; b2 = b0; break;
        case FilterKind::Highpass: b0 = (1.0 + c) / 2.0; b1 = -(1.0 + c); b2 = b0; break;
        case FilterKind::Bandpass: b0 = alpha; b1 = 0.0; b2 = -alpha; break;
        case FilterKind::None:     break;
        }
        const double a0 = 1.0 + alpha;
        nb0 = b0 / a0; nb1 = b1 / a0; nb2 = b2 / a0;
        na1 = -2.0 * c / a0; na2 = (1.0 - alpha) / a0;
    }
    double Run(double x)
    {
        const double y = nb0 * x + nb1 * x1 + nb2 * x2 - na1 * y1 - na2 * y2;
        x2 = x1; x1 = x; y2 = y1; y1 = y;
        return y;
    }
private:
    double nb0 = 1.0, nb1 = 0.0, nb2 = 0.0, na1 = 0.0, na2 = 0.0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
};

// Raised-cosine fades at both ends of the sound.
void FadeEnds(std::vector<double>& samples, int rate)
{
    const size_t fadeIn = std::min(samples.size(), static_cast<size_t>(FadeInSeconds * rate));
    const size_t fadeOut = std::min(samples.size(), static_cast<size_t>(FadeOutSeconds * rate));
    for (size_t i = 0; i < fadeIn; ++i) samples[i] *= 0.5 - 0.5 * std::cos(Pi * i / fadeIn);
    for (size_t i = 0; i < fadeOut; ++i) samples[samples.size() - 1 - i] *= 0.5 - 0.5 * std::cos(Pi * i / fadeOut);
}

}  // namespace

std::vector<double> RenderLayer(const Layer& layer, int rate, size_t frames)
{
    std::vector<double> out(frames, 0.0);
    NoiseSource noise(layer.seed);
    Biquad filter;
    const double duration = layer.Duration();
    double phase = 0.0;
    const size_t first = static_cast<size_t>(std::ceil(layer.start * rate));
    for (size_t i = first; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate - layer.start;
        if (t > duration) break;
        const double fraction = t / duration;
        if ((i - first) % FilterUpdateFrames == 0) filter.Tune(layer.filter, layer.cutoff.At(fraction), layer.resonance, rate);
        const double vibrato = layer.vibratoDepth * std::sin(2.0 * Pi * layer.vibratoRate * t);
        const double step = std::min(0.5, layer.frequency.At(fraction) * std::exp2(vibrato / 12.0) / rate);
        double level = Envelope(layer, t) * layer.gain;
        if (layer.tremoloDepth > 0.0) level *= 1.0 - layer.tremoloDepth * (0.5 - 0.5 * std::cos(2.0 * Pi * layer.tremoloRate * t));
        out[i] = filter.Run(Oscillator(layer.waveform, phase, step, noise)) * level;
        phase += step;
        if (phase >= 1.0) phase -= 1.0;
    }
    return out;
}

std::vector<int16_t> RenderSound(const SoundRecipe& recipe)
{
    const size_t frames = static_cast<size_t>(std::lround(recipe.length * recipe.rate));
    std::vector<double> mix(frames, 0.0);
    for (const Layer& layer : recipe.layers) {
        const std::vector<double> voice = RenderLayer(layer, recipe.rate, frames);
        for (size_t i = 0; i < frames; ++i) mix[i] += voice[i];
    }
    FadeEnds(mix, recipe.rate);
    double loudest = 0.0;
    for (const double sample : mix) loudest = std::max(loudest, std::fabs(sample));
    const double scale = loudest > 0.0 ? recipe.peak / loudest : 0.0;
    std::vector<int16_t> out(frames);
    for (size_t i = 0; i < frames; ++i) out[i] = static_cast<int16_t>(std::lround(mix[i] * scale * 32767.0));
    return out;
}
