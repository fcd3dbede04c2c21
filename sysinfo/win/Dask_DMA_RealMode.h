#pragma once
// Running the real-mode dump program under the 16-bit subsystem through the
// command interpreter named by "ComSpec", in a numbered "~RomDmp" folder of
// the temporary folder that is removed with its files on every path.
#include <cstdint>
#include <vector>

inline constexpr std::size_t kRealModeSegmentSize = 65536;

// Fills buffer with the 65,536 bytes of the segment of the selector; true
// only when the program's output was exactly that long. A program still
// running after timeLimit milliseconds is ended and the dump fails.
bool DumpRealModeSegment(std::uint8_t selector, std::vector<std::uint8_t>& buffer, unsigned long timeLimit);
