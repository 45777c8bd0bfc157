#pragma once

#include <cstdint>
#include <initializer_list>

// A set of values of an enumeration with at most 32 members, stored as bits by ordinal
// (the layout of the sets that published properties were stored in).
template<class E>
class TEnumSet
{
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values)
    {
        for (E v : values)
            m_bits |= Bit(v);
    }

    static constexpr TEnumSet FromBits(std::uint32_t bits)
    {
        TEnumSet s;
        s.m_bits = bits;
        return s;
    }
    constexpr std::uint32_t Bits() const { return m_bits; }

    constexpr bool Contains(E v) const { return (m_bits & Bit(v)) != 0; }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr TEnumSet &Include(E v)
    {
        m_bits |= Bit(v);
        return *this;
    }
    constexpr TEnumSet &Exclude(E v)
    {
        m_bits &= ~Bit(v);
        return *this;
    }

    constexpr TEnumSet operator+(TEnumSet o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TEnumSet operator-(TEnumSet o) const { return FromBits(m_bits & ~o.m_bits); }
    constexpr TEnumSet operator*(TEnumSet o) const { return FromBits(m_bits & o.m_bits); }
    constexpr TEnumSet operator|(TEnumSet o) const { return *this + o; }
    constexpr TEnumSet operator&(TEnumSet o) const { return *this * o; }
    constexpr bool operator==(const TEnumSet &o) const = default;

private:
    static constexpr std::uint32_t Bit(E v) { return 1u << static_cast<unsigned>(v); }

    std::uint32_t m_bits = 0;
};
