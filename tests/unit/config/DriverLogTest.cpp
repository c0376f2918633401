// The driver log, byte for byte, on memory files and on real ones.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "config/DriverLog.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "support/NativePlatform.h"

namespace orn::config {
namespace {

using platform::MemoryFileSystem;

class DriverLogTest : public ::testing::TestWithParam<bool> {
 protected:
  DriverLogTest()
      : files_(GetParam() ? testing::MakeNativeFileSystem()
                          : std::unique_ptr<platform::FileSystem>(new MemoryFileSystem)),
        clock_({2026, 3, 7, 9, 5, 4, 32}) {
    path_ = folder_.File("FiscalPrinter.log");
    oldPath_ = folder_.File("FiscalPrinter.old");
  }

  std::unique_ptr<DriverLog> MakeLog(uint32_t limit = 0) {
    auto log = std::make_unique<DriverLog>(*files_, clock_);
    log->SetEnabled(true);
    log->SetSizeLimit(limit);
    log->SetFileName(path_);
    return log;
  }

  bool Exists(const std::string& path) {
    if (!GetParam()) return memory().Exists(path);
    return std::filesystem::exists(path);
  }
  std::string Read(const std::string& path) {
    if (!GetParam()) return memory().Contents(path);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Write(const std::string& path, const std::string& text) {
    if (!GetParam()) return memory().SetContents(path, text);
    std::ofstream(path, std::ios::binary) << text;
  }
  MemoryFileSystem& memory() { return static_cast<MemoryFileSystem&>(*files_); }

  testing::TempFolder folder_;
  std::unique_ptr<platform::FileSystem> files_;
  platform::MemoryClock clock_;
  std::string path_, oldPath_;
};

TEST_P(DriverLogTest, EveryLineKindHasItsLayout) {
  auto log = MakeLog();
  EXPECT_TRUE(log->LogMethod("OpenService"));
  EXPECT_TRUE(log->LogDetail("DeviceName = Ornita-OPOS-1"));
  EXPECT_TRUE(log->LogDetailF("%s = %d", "Timeout", -1));
  EXPECT_TRUE(log->LogError("Нет связи"));
  EXPECT_TRUE(log->LogErrorF("%.2Xh, %s", 0x6B, "Нет чековой ленты"));
  EXPECT_TRUE(log->LogResult("0, OPOS_SUCCESS"));
  clock_.Advance(3600 * 1000 + 7);
  EXPECT_TRUE(log->LogMethod("ClaimDevice"));
  log.reset();
  EXPECT_EQ(Read(path_),
            "07.03.2026 09:05:04.032 OpenService\r\n"
            "\tDeviceName = Ornita-OPOS-1\r\n"
            "\tTimeout = -1\r\n"
            "\tОшибка: Нет связи\r\n"
            "\tОшибка: 6Bh, Нет чековой ленты\r\n"
            "\r\n"
            "\t0, OPOS_SUCCESS\r\n"
            "\r\n"
            "07.03.2026 10:05:04.039 ClaimDevice\r\n");
}

TEST_P(DriverLogTest, FramesAreRowsOfTwentyBytes) {
  // 45 bytes 00h, 07h, 0Eh, ... (i * 7, modulo 100h): rows of 20, 20 and 5 bytes.
  std::vector<uint8_t> request(45);
  for (size_t i = 0; i < request.size(); ++i) request[i] = uint8_t(i * 7);
  auto log = MakeLog();
  EXPECT_TRUE(log->LogSent(request.data(), request.size()));
  EXPECT_TRUE(log->LogReceived(nullptr, 0));
  const uint8_t answer[] = {0xFC, 0x00, 0xAB};
  EXPECT_TRUE(log->LogReceived(answer, sizeof answer));
  log.reset();
  EXPECT_EQ(Read(path_),
            "\r\n"
            "\t-> 00 07 0E 15 1C 23 2A 31 38 3F 46 4D 54 5B 62 69 70 77 7E 85 \r\n"
            "\t-> 8C 93 9A A1 A8 AF B6 BD C4 CB D2 D9 E0 E7 EE F5 FC 03 0A 11 \r\n"
            "\t-> 18 1F 26 2D 34 \r\n"
            "\t<- \r\n"
            "\t<- FC 00 AB \r\n");
}

TEST_P(DriverLogTest, ALineThatPassesTheLimitMovesTheFileToTheOldName) {
  const std::string before(90, 'a');
  Write(path_, before);
  Write(oldPath_, "stale");
  auto log = MakeLog(100);
  EXPECT_TRUE(log->LogDetail("12345"));  // 90 + 8 fits
  EXPECT_TRUE(log->LogDetail("x"));      // 98 + 4 does not
  log.reset();
  EXPECT_EQ(Read(oldPath_), before + "\t12345\r\n");
  EXPECT_EQ(Read(path_), "\tx\r\n");
}

TEST_P(DriverLogTest, ALineThatReachesTheLimitExactlyStaysInTheFile) {
  const std::string before(92, 'a');
  Write(path_, before);
  auto log = MakeLog(100);
  EXPECT_TRUE(log->LogDetail("12345"));  // 92 + 8 = 100: at the limit, not past it
  log.reset();
  EXPECT_FALSE(Exists(oldPath_));
  EXPECT_EQ(Read(path_), before + "\t12345\r\n");
}

TEST_P(DriverLogTest, NoLimitMeansNoRotation) {
  Write(path_, std::string(5000, 'a'));
  auto log = MakeLog(0);
  EXPECT_TRUE(log->LogDetail("more"));
  log.reset();
  EXPECT_FALSE(Exists(oldPath_));
  EXPECT_EQ(Read(path_).size(), 5000u + 7u);
}

TEST_P(DriverLogTest, ADisabledLogCreatesNoFile) {
  auto log = MakeLog();
  log->SetEnabled(false);
  EXPECT_FALSE(log->LogMethod("OpenService"));
  EXPECT_FALSE(log->LogSent(nullptr, 0));
  log.reset();
  EXPECT_FALSE(Exists(path_));
}

TEST_P(DriverLogTest, AFileThatCannotBeOpenedIsTriedAgainAtTheNextLine) {
  const std::string folder = folder_.File("later");
  const std::string path = folder + "/driver.log";
  if (!GetParam()) memory().SetUnopenable(path, true);
  auto log = MakeLog();
  log->SetFileName(path);
  EXPECT_FALSE(log->LogDetail("lost"));
  if (GetParam())
    std::filesystem::create_directories(folder);
  else
    memory().SetUnopenable(path, false);
  EXPECT_TRUE(log->LogDetail("kept"));
  log.reset();
  EXPECT_EQ(Read(path), "\tkept\r\n");
}

TEST_P(DriverLogTest, ASecondLogOnTheSameFileLosesItsLines) {
  auto first = MakeLog();
  auto second = MakeLog();
  EXPECT_TRUE(first->LogDetail("first"));
  EXPECT_FALSE(second->LogDetail("second"));
  first.reset();
  second.reset();
  EXPECT_EQ(Read(path_), "\tfirst\r\n");
}

INSTANTIATE_TEST_SUITE_P(MemoryAndNative, DriverLogTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Native" : "Memory"; });

TEST(DriverLogName, OldNameReplacesTheLastThreeCharacters) {
  MemoryFileSystem files;
  platform::MemoryClock clock;
  files.SetContents("C:\\FiscalPrinter.log", std::string(2097150, 'a'));
  DriverLog log(files, clock);
  EXPECT_EQ(log.FileName(), "C:\\FiscalPrinter.log");
  log.SetEnabled(true);
  log.SetSizeLimit(2097152);
  EXPECT_TRUE(log.LogDetail(""));
  EXPECT_TRUE(files.Exists("C:\\FiscalPrinter.old"));
  EXPECT_EQ(files.Contents("C:\\FiscalPrinter.log"), "\t\r\n");
}

}  // namespace
}  // namespace orn::config
