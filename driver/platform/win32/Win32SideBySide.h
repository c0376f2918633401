#pragma once
// Jobs side by side on threads of their own, for the port provider.

#include <cstddef>
#include <functional>

namespace orn::platform {

// Runs job(0) .. job(count - 1) each on a thread and returns once every one has ended. A job
// that no thread can be had for runs on the caller's thread; one that throws has ended.
void RunOnThreads(size_t count, const std::function<void(size_t)>& job);

}  // namespace orn::platform
