#include "data/Rounding.h"

#include <algorithm>
#include <cmath>

namespace korvane {

int TruncatedProduct(int Factor, double Value) {
    const double factor = Factor;
    const double product = factor * Value;
    if (!std::isfinite(product)) {
        return 0;
    }
    double whole = std::trunc(product);
    if (whole == product) {
        // The rounding error of the product, exactly: fma rounds only once.
        const double error = std::fma(factor, Value, -product);
        if (product > 0 && error < 0) {
            whole -= 1;
        } else if (product < 0 && error > 0) {
            whole += 1;
        }
    }
    return static_cast<int>(std::clamp(whole, -1e9, 1e9));
}

} // namespace korvane
