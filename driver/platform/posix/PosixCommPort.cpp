#include "platform/posix/PosixCommPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "platform/CommDeadlines.h"
#include "platform/posix/PosixError.h"

namespace orn::platform {

namespace {

int64_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

speed_t SpeedOf(uint32_t baudRate) {
  switch (baudRate) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B0;
  }
}

// Waits until the descriptor is ready for `events` or `waitMs` pass.
bool WaitFor(int fd, short events, int64_t waitMs) {
  if (waitMs < 0) waitMs = 0;
  pollfd entry{fd, events, 0};
  for (;;) {
    const int ready = poll(&entry, 1, int(waitMs));
    if (ready >= 0) return ready > 0;
    if (errno != EINTR) return false;
  }
}

}  // namespace

PosixCommPort::~PosixCommPort() {
  if (fd_ >= 0) close(fd_);
}

std::unique_ptr<PosixCommPort> PosixCommPort::OpenDevice(const std::string& path, OsError& error) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios tio{};
  // Another program holding the device has it locked: the open then fails as Windows
  // fails to open a COM port that is in use.
  if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd, &tio) != 0) {
    error = ErrnoError(errno);
    if (fd >= 0) close(fd);
    return nullptr;
  }
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  tcsetattr(fd, TCSANOW, &tio);
  return std::make_unique<PosixCommPort>(fd);
}

bool PosixCommPort::Failed() {
  lastError_ = ErrnoError(errno);
  return false;
}

bool PosixCommPort::SetupQueues(uint32_t, uint32_t) {
  return true;
}

bool PosixCommPort::GetState(LineSettings& settings) {
  termios tio{};
  if (tcgetattr(fd_, &tio) != 0) return Failed();
  settings = settings_;
  return true;
}

bool PosixCommPort::SetState(const LineSettings& settings) {
  const speed_t speed = SpeedOf(settings.baudRate);
  termios tio{};
  if (speed == B0) return false;
  if (tcgetattr(fd_, &tio) != 0) return Failed();
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= settings.byteSize == 7 ? CS7 : CS8;
  if (settings.parityKind == 1) tio.c_cflag |= PARENB | PARODD;
  if (settings.parityKind == 2) tio.c_cflag |= PARENB;
  if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
  if (settings.outxCtsFlow) tio.c_cflag |= CRTSCTS;
  if (settings.outX) tio.c_iflag |= IXON;
  if (settings.inX) tio.c_iflag |= IXOFF;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  if (tcsetattr(fd_, TCSANOW, &tio) != 0) return Failed();
  settings_ = settings;
  return true;
}

bool PosixCommPort::SetTimeouts(const CommTimeouts& timeouts) {
  timeouts_ = timeouts;
  return true;
}

bool PosixCommPort::Purge(uint32_t flags) {
  int queue = -1;
  const bool input = flags & (kPurgeRxClear | kPurgeRxAbort);
  const bool output = flags & (kPurgeTxClear | kPurgeTxAbort);
  if (input && output)
    queue = TCIOFLUSH;
  else if (input)
    queue = TCIFLUSH;
  else if (output)
    queue = TCOFLUSH;
  return queue < 0 || tcflush(fd_, queue) == 0 || Failed();
}

bool PosixCommPort::Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  transferred = 0;
  const ReadDeadline deadline = ReadDeadlineOf(timeouts_, count);
  const int64_t start = NowMs();
  int64_t lastByte = 0;  // from the start
  while (transferred < count) {
    const int64_t now = NowMs() - start;
    const int64_t limit = int64_t(deadline.NextByteLimit(transferred, uint64_t(lastByte)));
    // A limit already passed still takes what is waiting in the queue.
    if (!WaitFor(fd_, POLLIN, limit - now)) break;
    const ssize_t got = read(fd_, buffer + transferred, count - transferred);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got == 0) return true;  // end of file: what came is all there is
    if (got < 0) return Failed();
    transferred += uint32_t(got);
    lastByte = NowMs() - start;
  }
  return true;
}

bool PosixCommPort::Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  transferred = 0;
  const int64_t deadline = NowMs() + int64_t(WriteDeadlineOf(timeouts_, count));
  while (transferred < count) {
    const int64_t now = NowMs();
    if (now >= deadline || !WaitFor(fd_, POLLOUT, deadline - now)) break;
    const ssize_t put = write(fd_, buffer + transferred, count - transferred);
    if (put < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (put <= 0) return Failed();
    transferred += uint32_t(put);
  }
  return true;
}

bool PosixCommPort::Drain() {
  int queued = 0;
  if (ioctl(fd_, TIOCOUTQ, &queued) != 0) return Failed();
  const int64_t deadline = NowMs() + int64_t(WriteDeadlineOf(timeouts_, uint32_t(queued)));
  while (queued > 0) {
    if (NowMs() >= deadline) return false;
    usleep(1000);  // looked at again every millisecond
    if (ioctl(fd_, TIOCOUTQ, &queued) != 0) return Failed();
  }
  // The queue is empty; what is left is the byte or the few in the UART itself.
  return tcdrain(fd_) == 0 || Failed();
}

}  // namespace orn::platform
