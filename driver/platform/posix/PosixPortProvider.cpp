#include "platform/posix/PosixPortProvider.h"

#include <system_error>
#include <thread>
#include <vector>

namespace orn::platform {

void PosixPortProvider::SetPath(int portNumber, std::string path) {
  if (ValidPort(portNumber)) paths_[portNumber] = std::move(path);
}

std::string PosixPortProvider::PathOf(int portNumber) const {
  if (!paths_[portNumber].empty()) return paths_[portNumber];
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

CommPort* PosixPortProvider::Acquire(int portNumber) {
  OsError& error = ErrorOf(portNumber);
  error.Clear();
  if (!ValidPort(portNumber) || ports_[portNumber]) return nullptr;
  ports_[portNumber] = PosixCommPort::OpenDevice(PathOf(portNumber), error);
  return ports_[portNumber].get();
}

bool PosixPortProvider::Release(int portNumber) {
  if (!ValidPort(portNumber) || !ports_[portNumber]) return false;
  ports_[portNumber].reset();
  return true;
}

void PosixPortProvider::RunSideBySide(size_t count, const std::function<void(size_t)>& job) {
  // A job that throws has ended; nothing leaves a thread.
  const auto run = [&job](size_t index) {
    try {
      job(index);
    } catch (...) {
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(count);
  for (size_t index = 0; index < count; ++index) {
    try {
      threads.emplace_back(run, index);
    } catch (const std::system_error&) {
      run(index);  // no thread to be had: the job runs here
    }
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace orn::platform
