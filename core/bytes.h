// Little-endian integers in byte buffers, one byte at a time, so the stored
// layout never depends on how a compiler lays out a struct.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lumidor {

inline void StoreInt16(std::uint8_t* at, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    at[0] = static_cast<std::uint8_t>(bits & 0xFF);
    at[1] = static_cast<std::uint8_t>(bits >> 8);
}

inline void StoreInt32(std::uint8_t* at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF);
}

inline std::int16_t LoadInt16(const std::uint8_t* at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[0] | (at[1] << 8)));
}

inline std::int32_t LoadInt32(const std::uint8_t* at) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

} // namespace lumidor
