#include "platform/posix/crash/ElfImage.h"

#include <elf.h>

namespace platform::crash {
namespace {

constexpr size_t kMaxProgramHeaders = 64;
constexpr size_t kMaxNotesSize = 4096;
constexpr uint64_t kPageMask = ~static_cast<uint64_t>(0xFFF);

bool ReadHeader(const SelfMemory& memory, uint64_t base, Elf64_Ehdr& header) {
    if (!memory.Read(base, &header, sizeof header)) {
        return false;
    }
    return header.e_ident[EI_MAG0] == ELFMAG0 && header.e_ident[EI_MAG1] == ELFMAG1 &&
           header.e_ident[EI_MAG2] == ELFMAG2 && header.e_ident[EI_MAG3] == ELFMAG3 &&
           header.e_ident[EI_CLASS] == ELFCLASS64 && header.e_machine == EM_X86_64;
}

// The image's program headers, as loaded: they lie in its first, readable segment.
size_t ReadProgramHeaders(const SelfMemory& memory, uint64_t base, const Elf64_Ehdr& header,
                          Elf64_Phdr* headers) {
    if (header.e_phentsize != sizeof(Elf64_Phdr)) {
        return 0;
    }
    const size_t count = header.e_phnum < kMaxProgramHeaders ? header.e_phnum : kMaxProgramHeaders;
    return memory.Read(base + header.e_phoff, headers, count * sizeof(Elf64_Phdr)) ? count : 0;
}

// How far the image was moved from the addresses it was linked for: its first segment, which
// holds the file's start, begins at base.
bool LoadBias(const Elf64_Phdr* headers, size_t count, uint64_t base, uint64_t& bias) {
    for (size_t i = 0; i < count; ++i) {
        if (headers[i].p_type == PT_LOAD) {
            bias = base - ((headers[i].p_vaddr - headers[i].p_offset) & kPageMask);
            return true;
        }
    }
    return false;
}

size_t Aligned4(size_t size) {
    return (size + 3) & ~static_cast<size_t>(3);
}

size_t FindBuildIdNote(const uint8_t* notes, size_t size, uint8_t* id, size_t capacity) {
    size_t at = 0;
    while (at + sizeof(Elf64_Nhdr) <= size) {
        Elf64_Nhdr note;
        __builtin_memcpy(&note, notes + at, sizeof note);
        const size_t name = at + sizeof note;
        const size_t desc = name + Aligned4(note.n_namesz);
        const size_t next = desc + Aligned4(note.n_descsz);
        if (note.n_namesz > size || note.n_descsz > size || next > size) {
            return 0;
        }
        if (note.n_type == NT_GNU_BUILD_ID && note.n_namesz == 4 &&
            __builtin_memcmp(notes + name, "GNU", 4) == 0 && note.n_descsz <= capacity) {
            __builtin_memcpy(id, notes + desc, note.n_descsz);
            return note.n_descsz;
        }
        at = next;
    }
    return 0;
}

}  // namespace

bool IsElfImage(const SelfMemory& memory, uint64_t base) {
    Elf64_Ehdr header;
    return ReadHeader(memory, base, header);
}

size_t ReadBuildId(const SelfMemory& memory, uint64_t base, uint8_t* id, size_t capacity) {
    Elf64_Ehdr header;
    Elf64_Phdr headers[kMaxProgramHeaders];
    uint64_t bias = 0;
    if (!ReadHeader(memory, base, header)) {
        return 0;
    }
    const size_t count = ReadProgramHeaders(memory, base, header, headers);
    if (!LoadBias(headers, count, base, bias)) {
        return 0;
    }
    uint8_t notes[kMaxNotesSize];
    for (size_t i = 0; i < count; ++i) {
        if (headers[i].p_type != PT_NOTE) {
            continue;
        }
        const size_t size = headers[i].p_memsz < kMaxNotesSize ? headers[i].p_memsz : kMaxNotesSize;
        if (!memory.Read(bias + headers[i].p_vaddr, notes, size)) {
            continue;
        }
        const size_t length = FindBuildIdNote(notes, size, id, capacity);
        if (length > 0) {
            return length;
        }
    }
    return 0;
}

}  // namespace platform::crash
