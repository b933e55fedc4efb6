#pragma once
// The cyclic redundancy check that ends every MPEG-2 section (ISO/IEC
// 13818-1 annex A): polynomial 0x04C11DB7, initial value 0xFFFFFFFF, no
// reflection, no final inversion. A section including its CRC checks to 0.
#include <cstddef>
#include <cstdint>

namespace sim {

std::uint32_t Crc32Mpeg(const std::uint8_t* bytes, std::size_t size);

} // namespace sim
