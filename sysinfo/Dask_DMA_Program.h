#pragma once
// The real-mode dump program: a 46-byte DOS .com image that writes one 64 KB
// segment below 1 MB to standard output, and how a physical address picks
// the program's segment and the offset within it. Portable.
#include <array>
#include <cstdint>
#include <optional>

using TDumpProgram = std::array<std::uint8_t, 46>;

// The selector of the segment holding the address: the fourth hexadecimal
// digit of the eight followed by the third (0x000F0000 gives 0xF0, segment
// F000h). Only the third and fourth digits count.
std::uint8_t RealModeSelector(std::uint32_t address);
// The offset in that segment: the last four digits.
std::uint16_t RealModeOffset(std::uint32_t address);
// The program for a selector; none unless it is a multiple of 16 (a segment
// of the first megabyte).
std::optional<TDumpProgram> RealModeDumpProgram(std::uint8_t selector);
