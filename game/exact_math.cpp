// Powers, sines and cosines from nothing but IEEE double arithmetic, which every platform
// rounds alike; the maths library's float functions are only almost correctly rounded and
// their last bit differs from one C library to the next.
#include "game/exact_math.hpp"

#include <cassert>
#include <cmath>

float wholePower(float base, std::int32_t exponent)
{
    assert(exponent >= 0);
    // Squaring takes at most 62 roundings of double for any exponent, an error ten million
    // times smaller than a float step: the rounding to float then gives the nearest float
    // unless the power lies that close to halfway between two (tests cover the rules' uses).
    double power = 1.0;
    double square = base;
    for (std::uint32_t rest = static_cast<std::uint32_t>(exponent); rest != 0; rest >>= 1) {
        if (rest & 1u)
            power *= square;
        square *= square;
    }
    return static_cast<float>(power);
}

namespace {

constexpr double kEighthTurn = 0.7853981633974483;
// For an angle of at most an eighth of a turn the terms past this power are far below a
// double's last bit (x^21/21! < 1e-21).
constexpr int kLastSeriesPower = 20;

// The Taylor series of sine (first power 1) or cosine (first power 0), summed in double.
double seriesFrom(double x, int firstPower, double firstTerm)
{
    double term = firstTerm;
    double sum = firstTerm;
    for (int k = firstPower + 2; k <= kLastSeriesPower; k += 2) {
        term *= -x * x / static_cast<double>((k - 1) * k);
        sum += term;
    }
    return sum;
}

}  // namespace

float smallAngleSine(float radians)
{
    assert(std::fabs(radians) <= kEighthTurn);
    return static_cast<float>(seriesFrom(radians, 1, radians));
}

float smallAngleCosine(float radians)
{
    assert(std::fabs(radians) <= kEighthTurn);
    return static_cast<float>(seriesFrom(radians, 0, 1.0));
}
