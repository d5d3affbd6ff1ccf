#include "core/arith16.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace ivc {

i16 narrow16(long long value) {
    if (value < std::numeric_limits<i16>::min() || value > std::numeric_limits<i16>::max())
        throw Overflow16();
    return static_cast<i16>(value);
}

i16 add16(i16 a, i16 b) {
    return narrow16(static_cast<long long>(a) + b);
}

i16 sub16(i16 a, i16 b) {
    return narrow16(static_cast<long long>(a) - b);
}

i16 mul16(i16 a, i16 b) {
    return narrow16(static_cast<long long>(a) * b);
}

i16 roundEven16(double value) {
    if (!std::isfinite(value))
        throw Overflow16();
    // nearbyint rounds in the current mode; make sure it is round-to-nearest-even.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    if (rounded < std::numeric_limits<i16>::min() || rounded > std::numeric_limits<i16>::max())
        throw Overflow16();
    return static_cast<i16>(rounded);
}

} // namespace ivc
