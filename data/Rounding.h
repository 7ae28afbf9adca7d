#pragma once

namespace korvane {

// Trunc(Factor x Value) of the exact product, toward zero, held to +-1e9: device coordinates of
// the printouts and the percentages shown for veteran rates. A product that rounds to a whole
// number in double arithmetic may lie just short of it exactly (0.29 x 100); this gives the
// whole number below then.
int TruncatedProduct(int Factor, double Value);

} // namespace korvane
