#pragma once

#include "diagnostics/failure.h"
#include "diagnostics/int16.h"

#include <QList>

// A 1-based array: element 0 exists but is never used, and an array holding only element 0
// is empty. Its upper bound is a 16-bit index, so it cannot grow past 32767 elements, unless it
// is a List1 (below).
template <typename T, bool Bounded = true> class Array1
{
public:
    Array1() : m_items(1) {}

    int ubound() const { return int(m_items.size()) - 1; }
    bool isEmpty() const { return m_items.size() == 1; }

    T &operator[](int index)
    {
        check(index);
        return m_items[index];
    }
    const T &operator[](int index) const
    {
        check(index);
        return m_items[index];
    }

    T &append(T item)
    {
        if constexpr (Bounded)
            Int16::checked(ubound() + 1LL);
        m_items.append(std::move(item));
        return m_items.last();
    }
    // Removes element index (1..ubound); later elements move one place down.
    void remove(int index)
    {
        if (index < 1)
            throw Failure::subscriptOutOfRange();
        check(index);
        m_items.remove(index);
    }
    void clear() { m_items.resize(1); }
    void reserve(int n) { m_items.reserve(n + 1); }

    // Elements 1..ubound, for range-for.
    auto begin() { return m_items.begin() + 1; }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.cbegin() + 1; }
    auto end() const { return m_items.cend(); }

    bool operator==(const Array1 &other) const = default;

private:
    void check(int index) const
    {
        if (index < 0 || index >= m_items.size())
            throw Failure::subscriptOutOfRange();
    }

    QList<T> m_items;
};

// A 1-based list that only lives in memory, such as the lines of a view: a year of daily checks
// passes 32767 lines, so its index is not bounded to 16 bits.
template <typename T> using List1 = Array1<T, false>;
