#pragma once

#include "failure.h"

#include <cstdint>
#include <limits>

// A 16-bit signed counter whose arithmetic fails (Overflow) instead of wrapping. Values
// computed in int are checked when they are stored back, which is where a 16-bit
// variable would have overflowed.
class Int16
{
public:
    constexpr Int16() = default;
    Int16(long long value) : m_value(checked(value)) {} // NOLINT: implicit on purpose
    operator int() const { return m_value; }            // NOLINT

    Int16 &operator+=(long long rhs) { return *this = Int16(m_value + rhs); }
    Int16 &operator-=(long long rhs) { return *this = Int16(m_value - rhs); }
    Int16 &operator*=(long long rhs) { return *this = Int16(m_value * rhs); }
    Int16 &operator++() { return *this += 1; }
    Int16 &operator--() { return *this -= 1; }

    static std::int16_t checked(long long value)
    {
        if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
            throw Failure::overflow();
        return static_cast<std::int16_t>(value);
    }

private:
    std::int16_t m_value = 0;
};
