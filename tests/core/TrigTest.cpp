// The game's sine, cosine and arc tangent against the long double library (x87's 64-bit
// significand here, eleven bits more than double): each result must be the float nearest the
// reference, or its neighbour in at most a stated handful of the many arguments.
#include "core/Trig.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>
#include <vector>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// How the results of one function compare with the reference, rounded once to float.
struct Rounding {
    int arguments = 0;
    int offByOne = 0;          // the neighbour of the nearest float
    std::string farOff;        // arguments whose result is further away, or of another kind

    // `argument` names the argument, asked only for a result that is further off.
    template <typename Argument> void Check(float result, long double reference, Argument argument)
    {
        ++arguments;
        const float nearest = static_cast<float>(reference);
        if (std::bit_cast<uint32_t>(result) == std::bit_cast<uint32_t>(nearest)) return;
        if (std::isnan(result) && std::isnan(nearest)) return;
        if (std::isfinite(result) && (std::nextafter(nearest, INFINITY) == result || std::nextafter(nearest, -INFINITY) == result)) {
            ++offByOne;
            return;
        }
        if (farOff.size() < 400) farOff += argument() + " gives " + Describe(result) + " for " + Describe(nearest) + "; ";
    }

    static std::string Describe(float value)
    {
        std::ostringstream text;
        text.precision(9);
        text << value;
        return text.str();
    }
};

std::string Argument(float x) { return Rounding::Describe(x); }
std::string Arguments(float y, float x) { return "(" + Argument(y) + ", " + Argument(x) + ")"; }

void CheckSinAndCos(float x, Rounding& sine, Rounding& cosine)
{
    sine.Check(SinF(x), std::sin(static_cast<long double>(x)), [x] { return Argument(x); });
    cosine.Check(CosF(x), std::cos(static_cast<long double>(x)), [x] { return Argument(x); });
}

void CheckAtan2(float y, float x, Rounding& atan2)
{
    atan2.Check(Atan2F(y, x), std::atan2(static_cast<long double>(y), static_cast<long double>(x)),
                [y, x] { return Arguments(y, x); });
}

// A float of random sign whose magnitude is spread evenly over the binary orders from 2^low
// to 2^high: every order gets as many arguments, the tiny and the huge alike.
float SpreadFloat(std::mt19937& random, int low, int high)
{
    std::uniform_int_distribution<int> order(low, high - 1);
    std::uniform_real_distribution<float> within(1.0f, 2.0f);
    const float magnitude = std::ldexp(within(random), order(random));
    return random() % 2 != 0 ? -magnitude : magnitude;
}

constexpr int StatedHandful = 3;

void ExpectCorrectlyRounded(const Rounding& rounding, const char* name)
{
    EXPECT_EQ(rounding.farOff, "") << name;
    EXPECT_LE(rounding.offByOne, StatedHandful) << name << " over " << rounding.arguments << " arguments";
}

bool LongDoubleIsWider() { return std::numeric_limits<long double>::digits > std::numeric_limits<double>::digits; }

}  // namespace

// Headings the game turns through, a few turns either way, then larger and huge angles, and the
// floats nearest each multiple of pi/2 up to 2^16 turns, where the remainder is smallest.
TEST(Trig, SinAndCosAreCorrectlyRoundedOverHeadingsAndFarBeyond)
{
    if (!LongDoubleIsWider()) GTEST_SKIP() << "long double is no wider than double here";
    std::mt19937 random(2024);
    Rounding sine, cosine;
    std::uniform_real_distribution<float> heading(-4.0f * Pi, 4.0f * Pi);
    for (int i = 0; i < 300000; ++i) CheckSinAndCos(heading(random), sine, cosine);
    for (int i = 0; i < 100000; ++i) CheckSinAndCos(SpreadFloat(random, -30, 128), sine, cosine);
    for (int i = 0; i < 50000; ++i) CheckSinAndCos(SpreadFloat(random, 2, 24), sine, cosine);
    for (long k = 1; k < 262144; k += 3) {
        const float multiple = static_cast<float>(k * std::numbers::pi_v<long double> / 2);
        for (const float x : {multiple, std::nextafter(multiple, 0.0f), std::nextafter(multiple, INFINITY)})
            CheckSinAndCos(x, sine, cosine);
    }
    ExpectCorrectlyRounded(sine, "SinF");
    ExpectCorrectlyRounded(cosine, "CosF");
}

TEST(Trig, SinAndCosKeepTheSignOfZeroAndGiveNoNumberForInfinity)
{
    for (const float x : {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(), -1e-30f, 1e-8f, Pi / 4.0f})
        EXPECT_EQ(std::bit_cast<uint32_t>(SinF(x)), std::bit_cast<uint32_t>(static_cast<float>(std::sin(static_cast<double>(x))))) << x;
    EXPECT_EQ(CosF(-0.0f), 1.0f);
    EXPECT_EQ(CosF(std::numeric_limits<float>::max()), CosF(-std::numeric_limits<float>::max()));
    EXPECT_EQ(SinF(std::numeric_limits<float>::max()), -SinF(-std::numeric_limits<float>::max()));
    for (const float x : {INFINITY, -INFINITY, NAN}) {
        EXPECT_TRUE(std::isnan(SinF(x))) << x;
        EXPECT_TRUE(std::isnan(CosF(x))) << x;
    }
}

// Every sign of both parts; the distances on the field and the steps of a frame; ratios from
// below 2^-60 to above 2^60; and the whole range of floats against each other.
TEST(Trig, Atan2IsCorrectlyRoundedInEveryQuadrantAndRatio)
{
    if (!LongDoubleIsWider()) GTEST_SKIP() << "long double is no wider than double here";
    std::mt19937 random(21);
    Rounding atan2;
    std::uniform_real_distribution<float> field(-160.0f, 160.0f);
    for (int i = 0; i < 300000; ++i) CheckAtan2(field(random), field(random), atan2);
    for (int i = 0; i < 100000; ++i) CheckAtan2(SpreadFloat(random, -8, 8), SpreadFloat(random, -8, 8), atan2);
    for (int i = 0; i < 100000; ++i) {
        const float near = SpreadFloat(random, -4, 4), far = SpreadFloat(random, 24, 64);
        CheckAtan2(near, far, atan2);
        CheckAtan2(far, near, atan2);
    }
    for (int i = 0; i < 100000; ++i) CheckAtan2(SpreadFloat(random, -149, 128), SpreadFloat(random, -149, 128), atan2);
    ExpectCorrectlyRounded(atan2, "Atan2F");
}

// On the axes, at the origin and at infinity the angle is exact, signed zero and pi included.
TEST(Trig, Atan2OfZerosAndInfinitiesIsTheExactAngle)
{
    const float values[] = {0.0f, -0.0f, 2.0f, -2.0f, INFINITY, -INFINITY};
    for (const float y : values) {
        for (const float x : values) {
            const float expected = static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
            EXPECT_EQ(std::bit_cast<uint32_t>(Atan2F(y, x)), std::bit_cast<uint32_t>(expected)) << Arguments(y, x);
        }
    }
    EXPECT_TRUE(std::isnan(Atan2F(NAN, 1.0f)));
    EXPECT_TRUE(std::isnan(Atan2F(1.0f, NAN)));
    EXPECT_EQ(AtanF(INFINITY), Pi / 2.0f);
    EXPECT_EQ(AtanF(-1.0f), -Pi / 4.0f);
}
