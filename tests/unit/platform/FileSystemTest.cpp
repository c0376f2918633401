// The log file's operations on memory files and on real ones.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/memory/MemoryFileSystem.h"
#include "support/NativePlatform.h"

namespace orn::platform {
namespace {

class FileSystemTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam())
      files_ = testing::MakeNativeFileSystem();
    else
      files_ = std::make_unique<MemoryFileSystem>();
    path_ = folder_.File("a.log");
  }
  void Append(const std::string& path, const std::string& text) {
    FileHandle file = files_->OpenForAppend(path);
    ASSERT_NE(file, kInvalidFile);
    EXPECT_TRUE(files_->Write(file, text.data(), uint32_t(text.size())));
    files_->Close(file);
  }

  testing::TempFolder folder_;
  std::string path_;
  std::unique_ptr<FileSystem> files_;
};

TEST_P(FileSystemTest, OpenCreatesAndAppends) {
  Append(path_, "one\r\n");
  Append(path_, "two\r\n");
  FileHandle file = files_->OpenForAppend(path_);
  ASSERT_NE(file, kInvalidFile);
  EXPECT_EQ(files_->Size(file), 10u);
  files_->Close(file);
}

TEST_P(FileSystemTest, ASecondWriterIsKeptOut) {
  FileHandle first = files_->OpenForAppend(path_);
  ASSERT_NE(first, kInvalidFile);
  EXPECT_EQ(files_->OpenForAppend(path_), kInvalidFile);
  files_->Close(first);
  FileHandle again = files_->OpenForAppend(path_);
  EXPECT_NE(again, kInvalidFile);
  files_->Close(again);
}

TEST_P(FileSystemTest, RenameDoesNotReplaceAndDeleteRemoves) {
  const std::string old = folder_.File("a.old");
  Append(path_, "new");
  Append(old, "old");
  EXPECT_FALSE(files_->Rename(path_, old));
  EXPECT_TRUE(files_->Delete(old));
  EXPECT_FALSE(files_->Delete(old));
  EXPECT_TRUE(files_->Rename(path_, old));
  FileHandle file = files_->OpenForAppend(old);
  EXPECT_EQ(files_->Size(file), 3u);
  files_->Close(file);
}

TEST_P(FileSystemTest, AMissingFolderCannotBeOpened) {
  const std::string path = folder_.File("missing") + "/x.log";
  if (!GetParam()) static_cast<MemoryFileSystem&>(*files_).SetUnopenable(path, true);
  EXPECT_EQ(files_->OpenForAppend(path), kInvalidFile);
}

INSTANTIATE_TEST_SUITE_P(MemoryAndNative, FileSystemTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Native" : "Memory"; });

}  // namespace
}  // namespace orn::platform
