// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cmath>

#include "model/Numbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Two double values computed side by side: each operation is the same IEEE
// operation as on one value, rounded the same way, so a pair gives the bytes
// of two single computations. On x86-64 one instruction does both, which
// halves the time of the square roots and divisions where they dominate.
class ExtendedPair {
public:
#if defined(__SSE2__)
    ExtendedPair(double first, double second) : lanes(_mm_set_pd(second, first)) {}
    explicit ExtendedPair(double both) : lanes(_mm_set1_pd(both)) {}

    double First() const { return _mm_cvtsd_f64(lanes); }
    double Second() const { return _mm_cvtsd_f64(_mm_unpackhi_pd(lanes, lanes)); }

    friend ExtendedPair operator+(ExtendedPair a, ExtendedPair b) { return ExtendedPair(_mm_add_pd(a.lanes, b.lanes)); }
    friend ExtendedPair operator-(ExtendedPair a, ExtendedPair b) { return ExtendedPair(_mm_sub_pd(a.lanes, b.lanes)); }
    friend ExtendedPair operator*(ExtendedPair a, ExtendedPair b) { return ExtendedPair(_mm_mul_pd(a.lanes, b.lanes)); }
    friend ExtendedPair operator/(ExtendedPair a, ExtendedPair b) { return ExtendedPair(_mm_div_pd(a.lanes, b.lanes)); }
    friend ExtendedPair Sqrt(ExtendedPair a) { return ExtendedPair(_mm_sqrt_pd(a.lanes)); }
    // Each value rounded to a float and back.
    friend ExtendedPair RoundedToFloat(ExtendedPair a) { return ExtendedPair(_mm_cvtps_pd(_mm_cvtpd_ps(a.lanes))); }

private:
    explicit ExtendedPair(__m128d lanes) : lanes(lanes) {}
    __m128d lanes;
#else
    ExtendedPair(double first, double second) : first(first), second(second) {}
    explicit ExtendedPair(double both) : first(both), second(both) {}

    double First() const { return first; }
    double Second() const { return second; }

    friend ExtendedPair operator+(ExtendedPair a, ExtendedPair b) { return {a.first + b.first, a.second + b.second}; }
    friend ExtendedPair operator-(ExtendedPair a, ExtendedPair b) { return {a.first - b.first, a.second - b.second}; }
    friend ExtendedPair operator*(ExtendedPair a, ExtendedPair b) { return {a.first * b.first, a.second * b.second}; }
    friend ExtendedPair operator/(ExtendedPair a, ExtendedPair b) { return {a.first / b.first, a.second / b.second}; }
    friend ExtendedPair Sqrt(ExtendedPair a) { return {std::sqrt(a.first), std::sqrt(a.second)}; }
    friend ExtendedPair RoundedToFloat(ExtendedPair a) {
        return {static_cast<float>(a.first), static_cast<float>(a.second)};
    }

private:
    double first, second;
#endif
};

inline ExtendedPair operator*(double a, ExtendedPair b) { return ExtendedPair(a) * b; }

// So that one formula serves one value and a pair.
inline double Sqrt(double a) { return std::sqrt(a); }
