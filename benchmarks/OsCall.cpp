#include "OsCall.h"

#include <cstdlib>
#include <new>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

namespace orn::benchmarks {
namespace {
uint64_t allocations = 0;
int osDepth = 0;  // the driver is single-threaded, and so is every measurement here
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
  if (osDepth == 0) ++allocations;
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
