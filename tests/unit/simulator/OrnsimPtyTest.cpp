// ornsim as a child process on a pseudo-terminal, talked to like a serial port.

#include <gtest/gtest.h>

#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "unit/simulator/LineRecorder.h"

namespace orn::simulator::testing {
namespace {

// Runs ornsim with `arguments`, its standard output on a pipe; kills it when done.
class Ornsim {
 public:
  explicit Ornsim(std::vector<std::string> arguments) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    arguments.insert(arguments.begin(), ORNSIM_PATH);
    pid_ = fork();
    if (pid_ == 0) {
      dup2(pipeFds[1], STDOUT_FILENO);
      close(pipeFds[0]);
      close(pipeFds[1]);
      std::vector<char*> argv;
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execv(ORNSIM_PATH, argv.data());
      _exit(127);
    }
    close(pipeFds[1]);
    output_ = pipeFds[0];
  }

  ~Ornsim() {
    if (pid_ > 0 && status_ < 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) close(output_);
  }

  // The first line of standard output, waiting at most `timeoutMs`.
  std::string FirstLine(int timeoutMs = 5000) {
    std::string line;
    while (line.size() < 200) {
      pollfd watched{output_, POLLIN, 0};
      if (poll(&watched, 1, timeoutMs) <= 0) break;
      char c = 0;
      if (read(output_, &c, 1) != 1 || c == '\n') break;
      line += c;
    }
    return line;
  }

  // Sends `signal` (unless 0) and returns the exit status, or -1 if it did not exit.
  int Stop(int signal = SIGTERM) {
    if (signal != 0) kill(pid_, signal);
    for (int i = 0; i < 500 && status_ < 0; ++i) {
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
      } else {
        usleep(10000);
      }
    }
    return status_;
  }

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  int status_ = -1;
};

class SerialClient {
 public:
  explicit SerialClient(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {}
  ~SerialClient() {
    if (fd_ >= 0) close(fd_);
  }
  bool IsOpen() const { return fd_ >= 0; }

  bool SetRate(speed_t speed) {
    termios settings{};
    if (tcgetattr(fd_, &settings) != 0) return false;
    cfmakeraw(&settings);
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    return tcsetattr(fd_, TCSANOW, &settings) == 0;
  }

  bool Write(const Bytes& bytes) {
    return write(fd_, bytes.data(), bytes.size()) == ssize_t(bytes.size());
  }

  // As much of `bytes` as the terminal takes now.
  size_t WriteWhatFits(const Bytes& bytes) {
    const int flags = fcntl(fd_, F_GETFL);
    fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
    const ssize_t written = write(fd_, bytes.data(), bytes.size());
    fcntl(fd_, F_SETFL, flags);
    return written > 0 ? size_t(written) : 0;
  }

  // Up to `count` bytes, giving up after `timeoutMs` without a byte.
  Bytes Read(size_t count, int timeoutMs = 2000) {
    Bytes bytes;
    while (bytes.size() < count) {
      pollfd watched{fd_, POLLIN, 0};
      if (poll(&watched, 1, timeoutMs) <= 0) break;
      uint8_t buffer[256];
      const ssize_t got = read(fd_, buffer, std::min(sizeof buffer, count - bytes.size()));
      if (got <= 0) break;
      bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
  }

  // ACK and a whole answer frame.
  Bytes ReadAnswer() {
    Bytes sent = Read(3);
    if (sent.size() == 3) {
      const Bytes rest = Read(size_t(sent[2]) + 1);
      sent.insert(sent.end(), rest.begin(), rest.end());
    }
    return sent;
  }

 private:
  int fd_;
};

TEST(OrnsimPtyTest, AnswersGetDeviceTypeOnThePrintedTerminal) {
  Ornsim ornsim({"--pty"});
  const std::string path = ornsim.FirstLine();
  ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
  SerialClient port(path);
  ASSERT_TRUE(port.IsOpen());
  ASSERT_TRUE(port.SetRate(B4800));

  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1), Bytes{kNak});
  ASSERT_TRUE(port.Write({0x02, 0x01, 0xFC, 0xFD}));
  const Bytes answer = AnswerAfterAck(port.ReadAnswer());
  ASSERT_GE(answer.size(), 8u);
  EXPECT_EQ(answer[0], 0xFC);
  EXPECT_EQ(answer[1], 0x00);
  ASSERT_TRUE(port.Write({kAck}));
  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1), Bytes{kNak});

  EXPECT_EQ(ornsim.Stop(SIGTERM), 0);
}

// A client that writes and never reads must not make the simulator hoard: what it is owed
// beyond a serial port's buffers is lost, and once it reads again the link is as new.
TEST(OrnsimPtyTest, AClientThatNeverReadsIsOwedNoMoreThanTheBuffersHold) {
  Ornsim ornsim({"--pty"});
  SerialClient port(ornsim.FirstLine());
  ASSERT_TRUE(port.IsOpen());
  ASSERT_TRUE(port.SetRate(B4800));
  const Bytes flood(4096, kEnq);
  size_t flooded = 0;
  for (int i = 0; i < 400; ++i) {
    flooded += port.WriteWhatFits(flood);
    usleep(2000);
  }
  EXPECT_GT(flooded, 64u * 1024);
  // Everything still owed arrives in a burst: a few kilobytes, not 800,000 NAKs.
  const Bytes owed = port.Read(1000000, 500);
  EXPECT_LT(owed.size(), 64u * 1024);
  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1), Bytes{kNak});
  EXPECT_EQ(ornsim.Stop(SIGTERM), 0);
}

TEST(OrnsimPtyTest, FollowsTheLineRateOfTheClient) {
  Ornsim ornsim({"--pty", "--baud", "9600"});
  const std::string path = ornsim.FirstLine();
  SerialClient port(path);
  ASSERT_TRUE(port.IsOpen());

  // At another rate the register hears nothing.
  ASSERT_TRUE(port.SetRate(B4800));
  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1, 300), Bytes{});

  // At its rate it answers; SetExchangeParams moves it to 19200 once its answer is
  // acknowledged.
  ASSERT_TRUE(port.SetRate(B9600));
  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1), Bytes{kNak});
  ASSERT_TRUE(port.Write(FrameOf({0x14, 30, 0, 0, 0, 0x00, 0x03, 200})));
  EXPECT_EQ(AnswerAfterAck(port.ReadAnswer()), (Bytes{0x14, 0x00}));
  ASSERT_TRUE(port.Write({kAck, 0x00}));
  usleep(50000);
  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1, 300), Bytes{});
  ASSERT_TRUE(port.SetRate(B19200));
  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1), Bytes{kNak});

  EXPECT_EQ(ornsim.Stop(SIGINT), 0);
}

// Paced, every byte takes its wire time both ways (4.17 ms at 2400 baud), so a whole
// exchange takes at least the wire time of its bytes; unpaced, a terminal carries them at
// once.
TEST(OrnsimPtyTest, PacedBytesTakeTheirWireTime) {
  Ornsim ornsim({"--pty", "--pace", "--baud", "2400", "--answer-delay", "0", "--reply-delay", "0"});
  SerialClient port(ornsim.FirstLine());
  ASSERT_TRUE(port.IsOpen());
  ASSERT_TRUE(port.SetRate(B2400));
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  ASSERT_TRUE(port.Write({kEnq}));
  EXPECT_EQ(port.Read(1), Bytes{kNak});
  const Bytes frame = {0x02, 0x01, 0xFC, 0xFD};
  ASSERT_TRUE(port.Write(frame));
  const Bytes answer = port.ReadAnswer();
  timespec end{};
  clock_gettime(CLOCK_MONOTONIC, &end);
  ASSERT_GT(answer.size(), 8u);
  const int64_t tookUs =
      (end.tv_sec - start.tv_sec) * 1000000 + (end.tv_nsec - start.tv_nsec) / 1000;
  EXPECT_GE(tookUs, int64_t(2 + frame.size() + answer.size()) * 4166);
  EXPECT_EQ(ornsim.Stop(SIGTERM), 0);
}

TEST(OrnsimPtyTest, BadOptionsExitWithStatus2) {
  for (const char* bad : {"--nonsense", "--baud", "--drop-rx"}) {
    std::vector<std::string> arguments = {"--pty", bad};
    if (std::string(bad) == "--baud") arguments.push_back("1234");
    Ornsim ornsim(arguments);
    EXPECT_EQ(ornsim.FirstLine(), "") << bad;
    EXPECT_EQ(ornsim.Stop(0), 2) << bad;
  }
  Ornsim noMode({});
  EXPECT_EQ(noMode.Stop(0), 2);
}

TEST(OrnsimPtyTest, HelpListsEveryOption) {
  Ornsim ornsim({"--help"});
  EXPECT_EQ(ornsim.FirstLine(), "Usage: ornsim --pty [options]");
  EXPECT_EQ(ornsim.Stop(0), 0);
}

}  // namespace
}  // namespace orn::simulator::testing

#else

TEST(OrnsimPtyTest, NeedsPseudoTerminals) {
  GTEST_SKIP() << "ornsim serves Linux pseudo-terminals";
}

#endif
