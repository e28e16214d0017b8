#pragma once

#include "diagnostics/failure.h"
#include "diagnostics/int16.h"

#include <QList>

#include <algorithm>

// A 1-based array: element 0 is not one of its elements (a caller may keep a note there), and
// an array with no others is empty. Its upper bound is a 16-bit index, so it cannot grow past
// 32767 elements, unless it is a List1 (below).
template <typename T, bool Bounded = true> class Array1
{
public:
    // Element 0 is made when first written or grown past: records hold many arrays that stay
    // empty, and an empty one costs no allocation.
    Array1() = default;

    int ubound() const { return m_items.isEmpty() ? 0 : int(m_items.size()) - 1; }
    bool isEmpty() const { return m_items.size() <= 1; }

    T &operator[](int index)
    {
        if (index == 0 && m_items.isEmpty())
            m_items.emplaceBack();
        check(index);
        return m_items[index];
    }
    const T &operator[](int index) const
    {
        if (index == 0 && m_items.isEmpty())
            return unused();
        check(index);
        return m_items[index];
    }

    T &append(T item)
    {
        if constexpr (Bounded)
            Int16::checked(ubound() + 1LL);
        if (m_items.isEmpty())
            m_items.emplaceBack();
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
    void clear()
    {
        if (!m_items.isEmpty())
            m_items.resize(1);
    }
    void reserve(int n)
    {
        if (n > 0)
            m_items.reserve(n + 1);
    }

    // Elements 1..ubound, for range-for.
    auto begin() { return m_items.begin() + first(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.cbegin() + first(); }
    auto end() const { return m_items.cend(); }

    bool operator==(const Array1 &other) const
    {
        return ubound() == other.ubound() && (*this)[0] == other[0] && std::equal(begin(), end(), other.begin());
    }

private:
    void check(int index) const
    {
        if (index < 0 || index >= m_items.size())
            throw Failure::subscriptOutOfRange();
    }
    qsizetype first() const { return m_items.isEmpty() ? 0 : 1; }
    static const T &unused()
    {
        static const T item{};
        return item;
    }

    QList<T> m_items;
};

// A 1-based list that only lives in memory, such as the lines of a view: a year of daily checks
// passes 32767 lines, so its index is not bounded to 16 bits.
template <typename T> using List1 = Array1<T, false>;
