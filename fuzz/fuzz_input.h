#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

// Takes typed values off the front of a fuzzer's input. Past the end every value reads as zero
// and every text as empty, so any input, however short, yields a complete set of parameters.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_data(reinterpret_cast<const char *>(data))
        , m_size(size)
    { }

    template<typename T>
    T Take()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        unsigned char bytes[sizeof(T)] = {};
        const std::size_t n = std::min(sizeof(T), Remaining());
        std::memcpy(bytes, m_data + m_pos, n);
        m_pos += n;
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    bool TakeBool() { return Take<std::uint8_t>() & 1; }

    // A value in [low, high].
    int TakeInt(int low, int high)
    {
        const auto span = static_cast<std::uint32_t>(high - low) + 1;
        return low + static_cast<int>(Take<std::uint32_t>() % span);
    }

    // A text of at most maxLength bytes, its length taken from one byte.
    std::string TakeText(std::size_t maxLength)
    {
        const std::size_t n
                = std::min<std::size_t>(Take<std::uint8_t>() % (maxLength + 1), Remaining());
        std::string text(m_data + m_pos, n);
        m_pos += n;
        return text;
    }

    std::string_view Rest()
    {
        const std::string_view rest(m_data + m_pos, Remaining());
        m_pos = m_size;
        return rest;
    }

    std::size_t Remaining() const { return m_size - m_pos; }

private:
    const char *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
