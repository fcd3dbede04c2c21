#include "Dask_DMA_Program.h"

namespace {
// xor dx,dx / mov dh,ss / mov ds,dx       data segment := selector * 100h
// xor dx,dx / xor cx,cx / dec cx          DS:0000, 65,535 bytes
// xor bx,bx / inc bx / mov ah,40h / int 21h / jc fail     write to handle 1
// xor dx,dx / mov dh,ss / mov ds,dx / xor dx,dx / dec dx  DS:FFFF
// xor cx,cx / inc cx / mov bx,cx / mov ah,40h / int 21h / jc fail   one more byte
// mov al,0 / fail: mov ah,4Ch / int 21h   exit with 0 or the DOS error code
constexpr TDumpProgram kTemplate = {0x31, 0xD2, 0xB6, 0x00, 0x8E, 0xDA, 0x31, 0xD2, 0x31, 0xC9, 0x49, 0x31,
                                    0xDB, 0x43, 0xB4, 0x40, 0xCD, 0x21, 0x72, 0x16, 0x31, 0xD2, 0xB6, 0x00,
                                    0x8E, 0xDA, 0x31, 0xD2, 0x4A, 0x31, 0xC9, 0x41, 0x89, 0xCB, 0xB4, 0x40,
                                    0xCD, 0x21, 0x72, 0x02, 0xB0, 0x00, 0xB4, 0x4C, 0xCD, 0x21};
constexpr int kSelectorOffsets[] = {3, 23};
} // namespace

std::uint8_t RealModeSelector(std::uint32_t address) {
    const std::uint32_t third = (address >> 20) & 0xF;
    const std::uint32_t fourth = (address >> 16) & 0xF;
    return static_cast<std::uint8_t>((fourth << 4) | third);
}

std::uint16_t RealModeOffset(std::uint32_t address) {
    return static_cast<std::uint16_t>(address & 0xFFFF);
}

std::optional<TDumpProgram> RealModeDumpProgram(std::uint8_t selector) {
    if (selector % 16 != 0)
        return std::nullopt;
    TDumpProgram program = kTemplate;
    for (int at : kSelectorOffsets)
        program[at] = selector;
    return program;
}
