// The sine, cosine and hypotenuse of the ground physics as fixed sequences of IEEE
// additions, multiplications and square roots, so that every build (glibc, MinGW-w64's
// C runtime, x64 or x86 with SSE2) gives the same bits: the C libraries' own functions
// are not correctly rounded and round some inputs differently, which a vehicle steered by
// its airspeed carries on. Within an ulp of the exact values (the kernels are fdlibm's).
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace host::ground {

struct SineCosine {
    double sin;
    double cos;
};

namespace portable {

// sin(x + y) for |x + y| <= pi/4, y the tail of x.
inline double SinKernel(double x, double y)
{
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const double z = x * x, v = z * x;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

// cos(x + y) for |x + y| <= pi/4, y the tail of x.
inline double CosKernel(double x, double y)
{
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const double z = x * x;
    const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    const auto high = std::uint32_t(std::bit_cast<std::uint64_t>(x) >> 32) & 0x7fffffff;
    if (high < 0x3fd33333) // |x| < 0.3
        return 1.0 - (0.5 * z - (z * r - x * y));
    // 1 - z/2 as (1 - q) - (z/2 - q), q about x²/8 and exact, to keep the digits.
    const double q = high > 0x3fe90000
                         ? 0.28125 // |x| > 0.78125
                         : std::bit_cast<double>(std::uint64_t(high - 0x00200000) << 32);
    return (1.0 - q) - ((0.5 * z - q) - (z * r - x * y));
}

} // namespace portable

inline SineCosine SinCos(double x)
{
    if (!std::isfinite(x))
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    // pi/2 in two parts, the first of 33 bits, so that k * the first is exact for
    // |k| < 2^20; larger angles are first taken modulo 2 pi (exact, if not to the true 2 pi).
    constexpr double kTwoOverPi = 6.36619772367581382433e-01;
    constexpr double kPiOver2High = 1.57079632673412561417e+00;
    constexpr double kPiOver2Low = 6.07710050650619224932e-11;
    constexpr double kTwoPi = 6.28318530717958647693;
    if (std::fabs(x) > 1e6)
        x = std::fmod(x, kTwoPi);
    const double k = std::nearbyint(x * kTwoOverPi);
    const double r = x - k * kPiOver2High;
    const double w = k * kPiOver2Low;
    const double high = r - w;
    const double low = (r - high) - w;
    const double s = portable::SinKernel(high, low), c = portable::CosKernel(high, low);
    switch (static_cast<int>(k) & 3) {
    case 0:
        return {s, c};
    case 1:
        return {c, -s};
    case 2:
        return {-s, -c};
    default:
        return {-c, s};
    }
}

// Of finite sides below 1e150 (no overflow): the ground speeds and distances of a run.
inline double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }

} // namespace host::ground
