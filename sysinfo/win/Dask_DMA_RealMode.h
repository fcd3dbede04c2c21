#pragma once
// Running the real-mode dump program under the 16-bit subsystem through the
// command interpreter named by "ComSpec", in a numbered "~RomDmp" folder of
// the temporary folder that is removed with its files on every path.
#include <cstdint>
#include <vector>

inline constexpr std::size_t kRealModeSegmentSize = 65536;

// How a dump ended. Refused: the interpreter ran the program and ended in
// time, yet gave less than a segment, as it does where no 16-bit subsystem
// can run it; every other segment would be refused the same way. NotRun: the
// program could not be written or started, or outlasted the wait.
enum class TRealModeDump { Dumped, Refused, NotRun };

// Fills buffer with the 65,536 bytes of the segment of the selector; Dumped
// only when the program's output was exactly that long. A program still
// running after timeLimit milliseconds is ended and the dump fails.
TRealModeDump DumpRealModeSegment(std::uint8_t selector, std::vector<std::uint8_t>& buffer,
                                  unsigned long timeLimit);
