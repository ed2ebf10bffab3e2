#include "core/Trig.h"

#include <cmath>
#include <cstdint>
#include <cstring>

// Each function works in double precision and rounds once to float. It does not call the C
// library's double sin, cos or atan either: those are not required to be correctly rounded,
// and the libraries do not agree on the hardest arguments. Everything below is integer
// arithmetic and IEEE 754's +, -, *, / and square root, which every platform computes to the
// same bits (the build forbids fusing them), so the double result, and the float made from it,
// are the same on every machine. The double result is within a few units of its last place,
// about 2^-50 of the value, which leaves the float correctly rounded but in the rare case
// described in Trig.h.

namespace {

constexpr double InverseFactorial(int n)
{
    double factorial = 1.0;   // exact: 18! is below 2^53
    for (int i = 2; i <= n; ++i) factorial *= i;
    return 1.0 / factorial;
}

// Taylor series on |r| <= pi/4: the first term left out is below 2^-60 of the result.
double SinNear(double r)
{
    if (r == 0.0) return r;   // the sum below would turn -0 into +0
    const double r2 = r * r;
    double p = -InverseFactorial(17);
    p = p * r2 + InverseFactorial(15);
    p = p * r2 - InverseFactorial(13);
    p = p * r2 + InverseFactorial(11);
    p = p * r2 - InverseFactorial(9);
    p = p * r2 + InverseFactorial(7);
    p = p * r2 - InverseFactorial(5);
    p = p * r2 + InverseFactorial(3);
    return r - r * r2 * p;
}

double CosNear(double r)
{
    const double r2 = r * r;
    double p = -InverseFactorial(18);
    p = p * r2 + InverseFactorial(16);
    p = p * r2 - InverseFactorial(14);
    p = p * r2 + InverseFactorial(12);
    p = p * r2 - InverseFactorial(10);
    p = p * r2 + InverseFactorial(8);
    p = p * r2 - InverseFactorial(6);
    p = p * r2 + InverseFactorial(4);
    return 1.0 - r2 * 0.5 + r2 * r2 * p;
}

// The bits of 2/pi after the binary point, 32 to a word, behind one word of zeros so that a
// window may start up to 32 bits before the point.
constexpr uint32_t TwoOverPi[] = {
    0x00000000, 0xa2f9836e, 0x4e441529, 0xfc2757d1, 0xf534ddc0,
    0xdb629599, 0x3c439041, 0xfe5163ab, 0xdebbc561, 0xb7246e3a,
};

constexpr double HalfPiHigh = 1.57079632679489655800e+00;   // pi/2 to double precision
constexpr double HalfPiLow = 6.12323399573676603587e-17;    // pi/2 - HalfPiHigh

// A finite float of at least pi/4 is a quadrant count q and a remainder r in [-pi/4, pi/4]
// with x = q pi/2 + r. The float is m 2^e with an integer m below 2^24, so x 2/pi taken
// modulo 4 needs only the 128 bits of 2/pi from 2^(1-e) on: the earlier ones give multiples
// of 4, the later ones less than 2^-100 of a quadrant. Their product with m is exact in
// integers, whatever the size of x, and keeps the remainder's precision even where x falls
// very close to a multiple of pi/2.
struct Reduced {
    unsigned quadrant;
    double remainder;
};

Reduced ReduceByHalfPi(float x)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    bits &= 0x7fffffffu;
    const uint64_t m = (bits & 0x7fffffu) | 0x800000u;
    const int e = static_cast<int>(bits >> 23) - 150;   // at least -24 from pi/4 on

    // The window of 2/pi starts at padded bit e + 30, i.e. the bit worth 2^(1-e).
    const int start = e + 30;
    const int word = start / 32, shift = start % 32;
    uint64_t window[4];
    for (int i = 0; i < 4; ++i) {
        const uint32_t high = TwoOverPi[word + i] << shift;
        const uint32_t low = shift == 0 ? 0u : TwoOverPi[word + i + 1] >> (32 - shift);
        window[i] = high | low;
    }

    // m times the window, as 32-bit limbs from the lowest; bit 126 is worth one quadrant.
    uint64_t carry = m * window[3];
    const uint64_t r0 = carry & 0xffffffffu;
    carry = (carry >> 32) + m * window[2];
    const uint64_t r1 = carry & 0xffffffffu;
    carry = (carry >> 32) + m * window[1];
    const uint64_t r2 = carry & 0xffffffffu;
    carry = (carry >> 32) + m * window[0];
    const uint64_t r3 = carry & 0xffffffffu;

    unsigned quadrant = static_cast<unsigned>(r3 >> 30);
    uint64_t high = ((r3 & 0x3fffffffu) << 32) | r2;   // the fraction's 62 top bits
    uint64_t low = (r1 << 32) | r0;                     // and its 64 next ones
    double sign = 1.0;
    if ((high >> 61) != 0) {   // half a quadrant or more: count from the next one, backwards
        ++quadrant;
        sign = -1.0;
        high = ((uint64_t{1} << 62) - high - (low != 0 ? 1 : 0)) & ((uint64_t{1} << 62) - 1);
        low = ~low + 1;
    }
    const double fraction = static_cast<double>(high) * 0x1p-62 + static_cast<double>(low) * 0x1p-126;
    return {quadrant & 3u, sign * (fraction * HalfPiHigh + fraction * HalfPiLow)};
}

constexpr double QuarterPi = 0.78539816339744830962;

// The sine (or with `cosine` the cosine) of x in double precision.
double SinOrCos(float x, bool cosine)
{
    const double xd = x;
    if (std::fabs(xd) < QuarterPi) return cosine ? CosNear(xd) : SinNear(xd);
    if (!std::isfinite(xd)) return xd - xd;   // not a number

    // sin(-x) = -sin(x), cos(-x) = cos(x); a cosine is the sine one quadrant on.
    const Reduced reduced = ReduceByHalfPi(x);
    const unsigned quadrant = (reduced.quadrant + (cosine ? 1u : 0u)) & 3u;
    const double value = (quadrant & 1u) != 0 ? CosNear(reduced.remainder) : SinNear(reduced.remainder);
    const bool negative = (quadrant >= 2) != (!cosine && x < 0.0f);
    return negative ? -value : value;
}

// The arc tangent of t in [0, 1]: halving the angle, atan t = 2 atan(t / (1 + sqrt(1 + t^2))),
// until t is at most 0.1, then the series, whose first term left out is below 2^-60 of it.
double AtanOfRatio(double t)
{
    int halvings = 0;
    while (t > 0.1) {
        t = t / (1.0 + std::sqrt(1.0 + t * t));
        ++halvings;
    }
    const double t2 = t * t;
    double p = 1.0 / 19.0;
    for (int n = 17; n >= 3; n -= 2) p = p * -t2 + 1.0 / n;
    const double angle = t - t * t2 * p;
    return angle * static_cast<double>(1 << halvings);   // exact: a power of two
}

}  // namespace

float SinF(float x) { return static_cast<float>(SinOrCos(x, false)); }

float CosF(float x) { return static_cast<float>(SinOrCos(x, true)); }

float Atan2F(float y, float x)
{
    if (std::isnan(x) || std::isnan(y)) return x + y;
    double ay = std::fabs(static_cast<double>(y));
    double ax = std::fabs(static_cast<double>(x));
    if (std::isinf(ax) && std::isinf(ay)) ax = ay = 1.0;   // the diagonals

    // The angle from the nearer axis first, in [0, pi/4]; floats divide in double without
    // overflow or underflow.
    const bool steep = ay > ax;
    const double ratio = steep ? ax / ay : (ax == 0.0 ? 0.0 : ay / ax);
    double angle = AtanOfRatio(ratio);
    if (steep) angle = (HalfPiHigh - angle) + HalfPiLow;
    if (std::signbit(x)) angle = (2.0 * HalfPiHigh - angle) + 2.0 * HalfPiLow;
    return static_cast<float>(std::copysign(angle, static_cast<double>(y)));
}
