#include "platform/win32/Win32SideBySide.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace orn::platform {

namespace {

// A job's stack: a register exchange needs a few kilobytes. Reserving little keeps 32 of
// them from taking a large share of a 32-bit point-of-sale application's address space.
constexpr SIZE_T kJobStack = 256 * 1024;

struct JobStart {
  const std::function<void(size_t)>* job;
  size_t index;
};

DWORD WINAPI RunJob(void* parameter) {
  const auto* start = static_cast<const JobStart*>(parameter);
  try {
    (*start->job)(start->index);
  } catch (...) {
  }
  return 0;
}

}  // namespace

void RunOnThreads(size_t count, const std::function<void(size_t)>& job) {
  std::vector<JobStart> starts(count);
  std::vector<HANDLE> threads;
  threads.reserve(count);
  for (size_t index = 0; index < count; ++index) {
    starts[index] = {&job, index};
    const HANDLE thread = ::CreateThread(nullptr, kJobStack, &RunJob, &starts[index],
                                         STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (thread)
      threads.push_back(thread);
    else
      RunJob(&starts[index]);
  }
  // Every wait inside a job is bounded (the port's time-outs, the bounded open), so this
  // one is too; the jobs use `starts` and `job` until they end.
  for (size_t first = 0; first < threads.size(); first += MAXIMUM_WAIT_OBJECTS) {
    const DWORD batch = DWORD(std::min<size_t>(MAXIMUM_WAIT_OBJECTS, threads.size() - first));
    ::WaitForMultipleObjects(batch, threads.data() + first, TRUE, INFINITE);
  }
  for (HANDLE thread : threads) ::CloseHandle(thread);
}

}  // namespace orn::platform
