#pragma once

#include <cstddef>

namespace Platform {

// The system's virtual memory, for the framework's allocator. These are free
// functions, not part of the backend: the allocator runs before any backend
// (or any other object) exists. Sizes are multiples of the page size.

// Address space without storage (not accessible); null when none is left.
void* reserveVirtualMemory(std::size_t size);
// Gives storage (readable and writable, zero-filled) to a reserved range.
bool commitVirtualMemory(void* address, std::size_t size);
// Reserves and commits in one step; null on failure.
void* allocateVirtualMemory(std::size_t size);
// Gives a range back to the system, reserved or committed.
bool releaseVirtualMemory(void* address, std::size_t size);

}  // namespace Platform
