// FixedText: "%.Nf" without printf, for the listing's decimal lines.
#pragma once

#include <cstddef>

namespace tarvik {

/// WriteFixed() writes `value` with `precision` decimals (0 to 6) at `p`
/// exactly as printf's "%.Nf" does in the C locale: the exact binary value
/// rounded half to even, a minus sign whenever the sign bit is set (-0.0
/// gives "-0.0"). Returns the end; `p` must have room for the text (at most
/// 320 characters, for the largest doubles). Values the fast path does not
/// cover go through the standard library's exact formatting.
char* WriteFixed(char* p, double value, int precision);

}  // namespace tarvik
