// File utilities against a scratch folder of the test's own.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/file.h"
#include "test_paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeFolder(ScratchPath(""));
    folder_ = ScratchPath("files");
    MakeFolder(folder_);
  }
  Text PathOf(const char* name) const { return folder_ + Separator() + name; }
  static Text Separator() {
#ifdef _WIN32
    return "\\";
#else
    return "/";
#endif
  }
  static void MakeFolder(const Text& path) {
#ifdef _WIN32
    CreateDirectoryA(path.c_str(), nullptr);
#else
    mkdir(path.c_str(), 0755);
#endif
  }
  void Write(const char* name, const Text& bytes) {
    std::remove(PathOf(name).c_str());
    ASSERT_TRUE(WriteFileBytes(PathOf(name), bytes.data(), static_cast<uint32_t>(bytes.size()), false));
  }
  Text folder_;
};

TEST_F(FileTest, PathKinds) {
  Write("kind.txt", "x");
  EXPECT_TRUE(PathExists(folder_, kPathFolder));
  EXPECT_FALSE(PathExists(folder_, kPathFile));
  EXPECT_TRUE(PathExists(folder_, kPathAny));
  EXPECT_FALSE(PathExists(PathOf("kind.txt"), kPathFolder));
  EXPECT_TRUE(PathExists(PathOf("kind.txt"), kPathFile));
  EXPECT_TRUE(PathExists(PathOf("kind.txt"), kPathAny));
  for (int32_t kind : {kPathFolder, kPathFile, kPathAny}) {
    EXPECT_FALSE(PathExists(PathOf("missing.txt"), kind));
  }
  EXPECT_FALSE(FileExists(""));
}

TEST_F(FileTest, QuotedPathIsFoundButHasNoSize) {
  Write("quoted.txt", "12345");
  Text quoted = "\"" + PathOf("quoted.txt") + "\"";
  EXPECT_TRUE(FileExists(quoted));
  EXPECT_EQ(FileSize(quoted), 0);
  EXPECT_EQ(FileSize(PathOf("quoted.txt")), 5);
  EXPECT_EQ(FileSize(folder_), 0);
  EXPECT_EQ(FileSize(PathOf("missing.txt")), 0);
}

TEST_F(FileTest, ReadStopsAtTheFirstNul) {
  Write("zero-byte.txt", Text("ab\0c", 4));
  EXPECT_EQ(ReadFileText(PathOf("zero-byte.txt")), "ab");
  Write("empty.txt", "");
  EXPECT_EQ(ReadFileText(PathOf("empty.txt")), "");
  EXPECT_EQ(ReadFileText(PathOf("missing.txt")), "");
  Write("bytes.txt", "строка\r\n\xFF");
  EXPECT_EQ(ReadFileText(PathOf("bytes.txt")), "строка\r\n\xFF");
}

TEST_F(FileTest, WriteBytesAppendsOrReplaces) {
  std::remove(PathOf("append.txt").c_str());
  EXPECT_TRUE(WriteFileBytes(PathOf("append.txt"), "0123456789", 10, true));
  EXPECT_EQ(FileSize(PathOf("append.txt")), 10);
  EXPECT_TRUE(WriteFileBytes(PathOf("append.txt"), "abcde", 5, true));
  EXPECT_EQ(ReadFileText(PathOf("append.txt")), "0123456789abcde");
  EXPECT_TRUE(WriteFileBytes(PathOf("append.txt"), "xyz", 3, false));
  EXPECT_EQ(ReadFileText(PathOf("append.txt")), "xyz");
  EXPECT_FALSE(WriteFileBytes(PathOf("no-such-folder") + Separator() + "f.txt", "x", 1, false));
}

TEST_F(FileTest, WriteTextKeepsBytesUnchanged) {
  EXPECT_TRUE(WriteTextFile(PathOf("text.txt"), "line\r\nline\n", false));
  EXPECT_EQ(FileSize(PathOf("text.txt")), 11);
  EXPECT_TRUE(WriteTextFile(PathOf("text.txt"), "", false));
  EXPECT_TRUE(FileExists(PathOf("text.txt")));
  EXPECT_EQ(FileSize(PathOf("text.txt")), 0);
  EXPECT_TRUE(WriteTextFile(PathOf("text.txt"), "a", true));
  EXPECT_TRUE(WriteTextFile(PathOf("text.txt"), "b", true));
  EXPECT_EQ(ReadFileText(PathOf("text.txt")), "ab");
  EXPECT_FALSE(WriteTextFile("", "x", false));
  EXPECT_FALSE(WriteTextFile(folder_, "x", false));
}

TEST(FilePaths, DirectoryOfPath) {
  EXPECT_EQ(DirectoryOfPath("C:\\Program Files\\Client\\client.exe"), "C:\\Program Files\\Client\\");
  EXPECT_EQ(DirectoryOfPath("client.exe"), "client.exe");
  EXPECT_EQ(DirectoryOfPath("C:\\"), "C:\\");
  EXPECT_EQ(DirectoryOfPath(""), "");
}

}  // namespace
