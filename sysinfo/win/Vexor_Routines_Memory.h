#pragma once
// Reading this process's own address space at a fixed linear address, as
// Windows 9x maps the BIOS ROM into every process. An address that is not
// readable gives nothing instead of a fault.
#include <cstdint>
#include <string>

// The NUL-terminated text at address, with no length limit; "" when any byte
// up to the NUL cannot be read.
std::string ReadLinearString(uintptr_t address);
