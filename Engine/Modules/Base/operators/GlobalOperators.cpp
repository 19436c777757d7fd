// The global allocation operators, every form, over the framework's memory
// manager. Linked into every executable of the normal build as an object
// file of its own, so no form can be left to the C++ library's.

#include <cstddef>
#include <cstdint>
#include <new>

#include "Engine/Base/MemoryManager.h"

namespace {

constexpr std::size_t kNaturalAlignment = 16;

void* allocate(std::size_t size) { return Engine::MemoryManager::global().allocate(size); }

void deallocate(void* payload) { Engine::MemoryManager::global().deallocate(payload); }

// Alignments above the manager's own: over-allocate and keep the block's
// address in the word before the aligned payload.
void* allocateAligned(std::size_t size, std::align_val_t alignment) {
  const auto align = static_cast<std::size_t>(alignment);
  if (align <= kNaturalAlignment) {
    return allocate(size);
  }
  void* block = allocate(size + align);
  const auto address = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t aligned = (address + align) & ~std::uintptr_t{align - 1};
  reinterpret_cast<void**>(aligned)[-1] = block;
  return reinterpret_cast<void*>(aligned);
}

void deallocateAligned(void* payload, std::align_val_t alignment) {
  if (payload && static_cast<std::size_t>(alignment) > kNaturalAlignment) {
    payload = static_cast<void**>(payload)[-1];
  }
  deallocate(payload);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocateAligned(size, alignment);
}

void operator delete(void* payload) noexcept { deallocate(payload); }
void operator delete[](void* payload) noexcept { deallocate(payload); }
void operator delete(void* payload, const std::nothrow_t&) noexcept { deallocate(payload); }
void operator delete[](void* payload, const std::nothrow_t&) noexcept { deallocate(payload); }
void operator delete(void* payload, std::size_t) noexcept { deallocate(payload); }
void operator delete[](void* payload, std::size_t) noexcept { deallocate(payload); }
void operator delete(void* payload, std::align_val_t alignment) noexcept { deallocateAligned(payload, alignment); }
void operator delete[](void* payload, std::align_val_t alignment) noexcept { deallocateAligned(payload, alignment); }
void operator delete(void* payload, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  deallocateAligned(payload, alignment);
}
void operator delete[](void* payload, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  deallocateAligned(payload, alignment);
}
void operator delete(void* payload, std::size_t, std::align_val_t alignment) noexcept {
  deallocateAligned(payload, alignment);
}
void operator delete[](void* payload, std::size_t, std::align_val_t alignment) noexcept {
  deallocateAligned(payload, alignment);
}
