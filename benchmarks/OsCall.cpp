#include "OsCall.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

namespace orn::benchmarks {
namespace {
// OpenService's search runs its ports on threads of their own: the count is shared, the
// depth is each thread's. The counts and the instructions are measured on one thread.
std::atomic<uint64_t> allocations{0};
thread_local int osDepth = 0;
bool collecting = false;
}  // namespace

uint64_t Allocations() {
  return allocations;
}

void StartCollecting() {
  collecting = true;
  CALLGRIND_TOGGLE_COLLECT;
}

void StopCollecting() {
  CALLGRIND_TOGGLE_COLLECT;
  collecting = false;
}

OsCall::OsCall() {
  if (osDepth++ == 0 && collecting) CALLGRIND_TOGGLE_COLLECT;
}

OsCall::~OsCall() {
  if (--osDepth == 0 && collecting) CALLGRIND_TOGGLE_COLLECT;
}

void* Allocate(std::size_t size) {
  if (osDepth == 0) allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

}  // namespace orn::benchmarks

void* operator new(std::size_t size) {
  return orn::benchmarks::Allocate(size);
}
void* operator new[](std::size_t size) {
  return orn::benchmarks::Allocate(size);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
