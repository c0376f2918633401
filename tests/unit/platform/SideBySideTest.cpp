// Jobs side by side, as the search for the register runs its ports: on the virtual line one
// after the other from the same moment, ending at the latest job's end; on the OS each on a
// thread of its own. And an open that hangs, given up at its bound and left behind.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/memory/MemoryPortProvider.h"

#ifdef _WIN32
#include "platform/win32/Win32BoundedOpen.h"
#include "platform/win32/Win32SideBySide.h"
#else
#include "platform/posix/PosixPortProvider.h"
#endif

namespace orn::platform {
namespace {

TEST(VirtualSideBySide, JobsStartTogetherAndTheClockEndsAtTheLongest) {
  MemoryClock clock;
  MemoryPortProvider ports(clock);
  clock.Advance(1000);
  const uint32_t tickAtStart = clock.TickCount();
  std::vector<uint64_t> startedAt;
  const uint64_t lengths[] = {300, 4200, 50};
  ports.RunSideBySide(3, [&](size_t index) {
    startedAt.push_back(clock.Elapsed());
    clock.Sleep(uint32_t(lengths[index]));
  });
  EXPECT_EQ(startedAt, (std::vector<uint64_t>{1000, 1000, 1000}));
  EXPECT_EQ(clock.Elapsed(), 1000u + 4200);
  EXPECT_EQ(TicksSince(tickAtStart, clock.TickCount()), 4200u);
}

TEST(VirtualSideBySide, APortWhoseOpenHangsIsGivenUpAtTheBoundAndStaysUnobtainable) {
  MemoryClock clock;
  MemoryPortProvider ports(clock);
  ports.SetOpenTime(4, 60 * 1000);
  ports.SetOpenTime(5, 400);  // slow, but within the bound
  EXPECT_EQ(ports.Acquire(4), nullptr);
  EXPECT_EQ(clock.Elapsed(), kPortOpenBoundMs);
  EXPECT_EQ(ports.LastError(4).code, 1460u);
  EXPECT_FALSE(ports.LastError(4).portInUse);
  EXPECT_NE(ports.Acquire(5), nullptr);
  EXPECT_EQ(clock.Elapsed(), kPortOpenBoundMs + 400);
  EXPECT_EQ(ports.LastError(5).code, 0u);
  // Its open never returned: the port cannot be had again, and costs nothing more.
  EXPECT_EQ(ports.Acquire(4), nullptr);
  EXPECT_EQ(clock.Elapsed(), kPortOpenBoundMs + 400);
  EXPECT_EQ(ports.AcquireCount(), 1);
}

// Every job waits until all have started: run one after the other, the first would give up.
void ExpectJobsMeet(const std::function<void(size_t, const std::function<void(size_t)>&)>& run) {
  constexpr size_t kJobs = 8;
  std::atomic<size_t> started{0};
  std::atomic<size_t> met{0};
  run(kJobs, [&](size_t) {
    ++started;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (started < kJobs && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (started == kJobs) ++met;
  });
  EXPECT_EQ(met, kJobs);
}

#ifdef _WIN32

TEST(ThreadsSideBySide, EveryJobRunsAtTheSameTimeAsTheOthers) {
  ExpectJobsMeet(RunOnThreads);
}

// A port-handle provider whose open returns only when the test lets it.
HANDLE g_openMayReturn = nullptr;
std::atomic<int> g_released{0};
BOOL WINAPI SlowAcquire(int, HANDLE* handle) {
  ::WaitForSingleObject(g_openMayReturn, 30 * 1000);
  *handle = reinterpret_cast<HANDLE>(intptr_t(0x1234));
  return TRUE;
}
BOOL WINAPI CountRelease(int) {
  ++g_released;
  return TRUE;
}
BOOL WINAPI MissingPort(int, HANDLE*) {
  ::SetLastError(ERROR_FILE_NOT_FOUND);
  return FALSE;
}

TEST(BoundedOpen, AnOpenThatDoesNotReturnIsLeftBehindAndItsPortGivenBackWhenItDoes) {
  g_openMayReturn = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  g_released = 0;
  HANDLE handle = INVALID_HANDLE_VALUE;
  DWORD error = 0;
  EXPECT_FALSE(AcquireWithin({&SlowAcquire, &CountRelease}, 3, 50, handle, error));
  EXPECT_EQ(error, DWORD(ERROR_TIMEOUT));
  EXPECT_EQ(handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(g_released, 0);
  ::SetEvent(g_openMayReturn);
  for (int i = 0; i < 20000 && g_released == 0; ++i) ::Sleep(1);
  EXPECT_EQ(g_released, 1);
  ::CloseHandle(g_openMayReturn);
}

TEST(BoundedOpen, AnOpenInTimeGivesItsHandleAndOneThatFailsItsError) {
  g_openMayReturn = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
  HANDLE handle = INVALID_HANDLE_VALUE;
  DWORD error = 0;
  EXPECT_TRUE(AcquireWithin({&SlowAcquire, &CountRelease}, 3, 20 * 1000, handle, error));
  EXPECT_EQ(handle, reinterpret_cast<HANDLE>(intptr_t(0x1234)));
  EXPECT_FALSE(AcquireWithin({&MissingPort, &CountRelease}, 4, 20 * 1000, handle, error));
  EXPECT_EQ(error, DWORD(ERROR_FILE_NOT_FOUND));
  ::CloseHandle(g_openMayReturn);
}

#else

TEST(ThreadsSideBySide, EveryJobRunsAtTheSameTimeAsTheOthers) {
  PosixPortProvider ports;
  ExpectJobsMeet([&](size_t count, const std::function<void(size_t)>& job) {
    ports.RunSideBySide(count, job);
  });
}

#endif

}  // namespace
}  // namespace orn::platform
