#include "Platform/VirtualMemory.h"

#include <sys/mman.h>

namespace Platform {

void* reserveVirtualMemory(std::size_t size) {
  void* address = mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  return address == MAP_FAILED ? nullptr : address;
}

bool commitVirtualMemory(void* address, std::size_t size) {
  return mprotect(address, size, PROT_READ | PROT_WRITE) == 0;
}

void* allocateVirtualMemory(std::size_t size) {
  void* address = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return address == MAP_FAILED ? nullptr : address;
}

bool releaseVirtualMemory(void* address, std::size_t size) { return munmap(address, size) == 0; }

}  // namespace Platform
