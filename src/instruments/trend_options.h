#pragma once

#include <cstdint>
#include <initializer_list>

enum class TTrendOption {
    opCaption,
    opGrid,
    opCursorOnRec,
    opSeparator,
    opDate,
    opTime,
    opCh7isUL,
    opCh8isLL,
    opLeftScale,
    opRightScale,
    opShowLast
};

// A set of trend options; bit n stands for the option with ordinal n (two bytes, as stored).
class TTrendOptions
{
public:
    constexpr TTrendOptions() = default;
    constexpr TTrendOptions(std::initializer_list<TTrendOption> options)
    {
        for (TTrendOption option : options)
            m_bits |= Bit(option);
    }

    constexpr bool Contains(TTrendOption option) const { return (m_bits & Bit(option)) != 0; }
    constexpr TTrendOptions &Include(TTrendOption option)
    {
        m_bits |= Bit(option);
        return *this;
    }
    constexpr TTrendOptions &Exclude(TTrendOption option)
    {
        m_bits &= static_cast<std::uint16_t>(~Bit(option));
        return *this;
    }
    constexpr std::uint16_t Bits() const { return m_bits; }

    friend constexpr bool operator==(TTrendOptions, TTrendOptions) = default;

private:
    static constexpr std::uint16_t Bit(TTrendOption option)
    {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(option));
    }

    std::uint16_t m_bits = 0;
};
