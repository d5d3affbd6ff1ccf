#pragma once

#include <cstdint>
#include <stdexcept>

// Every points value of a design is a 16-bit signed integer. These helpers do the
// arithmetic in a wider type and refuse any result that leaves the 16-bit range, so an
// overflow is reported instead of wrapping silently.
namespace ivc {

using i16 = std::int16_t;

class Overflow16 : public std::overflow_error {
public:
    Overflow16() : std::overflow_error("16-bit overflow") {}
};

// Narrows a wide value to 16 bits, throwing Overflow16 when it does not fit.
i16 narrow16(long long value);

i16 add16(i16 a, i16 b);
i16 sub16(i16 a, i16 b);
i16 mul16(i16 a, i16 b);

// Rounds to the nearest integer, halves to the even neighbour (12.5 -> 12, -7.5 -> -8),
// then narrows to 16 bits.
i16 roundEven16(double value);

} // namespace ivc
