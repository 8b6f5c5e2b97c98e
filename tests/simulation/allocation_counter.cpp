#include "tests/simulation/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> liveBytes{0};

// Each block carries its size in front, so delete knows what it gives back.
// The header keeps the alignment that malloc promises.
constexpr std::size_t HeaderSize = alignof(std::max_align_t);

void* Allocate(std::size_t size) noexcept {
    void* block = std::malloc(size + HeaderSize);
    if (block == nullptr)
        return nullptr;
    *static_cast<std::size_t*>(block) = size;
    liveBytes += static_cast<long long>(size);
    return static_cast<unsigned char*>(block) + HeaderSize;
}

void Release(void* pointer) noexcept {
    if (pointer == nullptr)
        return;
    void* block = static_cast<unsigned char*>(pointer) - HeaderSize;
    liveBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
    std::free(block);
}

void* AllocateOrThrow(std::size_t size) {
    void* pointer = Allocate(size);
    if (pointer == nullptr)
        throw std::bad_alloc();
    return pointer;
}

} // namespace

namespace lumidor::testing {

long long LiveAllocatedBytes() {
    return liveBytes.load();
}

} // namespace lumidor::testing

void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}
