#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "data/Rounding.h"

namespace korvane {
namespace {

// The exact product truncated toward zero, also where double arithmetic rounds it up to a
// whole number (100 x 0.03 is 3.0 in doubles, 2.99999... exactly).
TEST(RoundingTest, TruncatesTheExactProduct) {
    const struct {
        int Factor;
        double Value;
        int Expected;
    } cases[] = {
        {100, 0.03, 2},
        {100, 0.06, 5},
        {100, 0.05, 5},
        {100, 0.07, 7},
        {100, 0.29, 28},
        {-100, 0.03, -2},
        {100, -0.06, -5},
        {96, 2.5, 240},
        {7, -0.5, -3},
        {600, 0.25, 150},
        {1, 5e9, 1000000000},
        {1, -5e9, -1000000000},
        {100, std::numeric_limits<double>::infinity(), 0},
        {100, std::nan(""), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TruncatedProduct(c.Factor, c.Value), c.Expected) << c.Factor << " x " << c.Value;
    }
}

} // namespace
} // namespace korvane
