// QIP's custom status file given the user's texts back: file contents before and after.
#include <gtest/gtest.h>

#include <cstdio>

#include "messenger/custom_status_file.h"
#include "support/file.h"
#include "test_paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

const char kSep[] = "#custom_status_descr#";

TClient QipSlot(int32_t picture, const char* lastStatus, const char* lastStatus2) {
  TClient slot;
  slot.LastSet.Picture = picture;
  slot.LastSet.Status = lastStatus;
  slot.LastSet.Status2 = lastStatus2;
  slot.Saved[0].Status = "Off";
  slot.Saved[0].Status2 = "Home";
  return slot;
}

struct FileCase {
  const char* name;
  Text before;
  Text after;
};

TEST(CustomStatusFile, EditsTheEntryOfTheLastTexts) {
  const Text mine = Text("Кино") + kSep + "Группа крови";
  const FileCase cases[] = {
      {"three lines", Text("any\r\nBusy") + kSep + "Meeting\r\n" + mine + "\r\n",
       Text(kSep) + "\r\nBusy" + kSep + "Meeting\r\nOff" + kSep + "Home\r\n"},
      {"mine in line 0 only", mine + "\r\nBusy" + kSep + "x\r\n", Text(kSep) + "\r\nBusy" + kSep + "x\r\n"},
      {"mine twice", Text("\r\n") + mine + "\r\n" + mine + "\r\n",
       Text("\r\nOff") + kSep + "Home\r\n" + mine + "\r\n"},
      {"other letter case", Text("\r\nкино") + kSep + "Группа крови\r\n",
       Text("\r\nкино") + kSep + "Группа крови\r\n"},
      {"last line without its end", Text("\r\n") + mine, Text("\r\n") + mine},
      {"no line end at all", "single", "single"},
  };
  for (const FileCase& c : cases) {
    EXPECT_EQ(RestoredCustomStatusText(QipSlot(2, "Кино", "Группа крови"), c.before), c.after) << c.name;
  }
}

class CustomStatusFolder : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    CreateDirectoryA(ScratchPath("").c_str(), nullptr);
    CreateDirectoryA(ScratchPath("qip-profile").c_str(), nullptr);
    folder_ = ScratchPath("qip-profile") + "\\";
#else
    mkdir(ScratchPath("").c_str(), 0755);
    mkdir(ScratchPath("qip-profile").c_str(), 0755);
    folder_ = ScratchPath("qip-profile") + "/";
#endif
    path_ = folder_ + kCustomStatusFileName;
    std::remove(path_.c_str());
  }
  void Write(const Text& bytes) {
    ASSERT_TRUE(WriteFileBytes(path_, bytes.data(), static_cast<uint32_t>(bytes.size()), false));
  }
  Text Read() {
    Text content;
    ReadWholeFile(path_, content);
    return content;
  }
  TClient Slot(int32_t picture) {
    TClient slot = QipSlot(picture, "Кино", "Группа крови");
    slot.ProfileFolder = folder_;
    return slot;
  }
  Text folder_, path_;
};

TEST_F(CustomStatusFolder, WritesTheFileBackWhole) {
  Write(Text("x\r\nКино") + kSep + "Группа крови\r\n");
  TClient slot = Slot(1);
  EXPECT_TRUE(RestoreCustomStatusFile(slot));
  EXPECT_EQ(Read(), Text(kSep) + "\r\nOff" + kSep + "Home\r\n");
  EXPECT_FALSE(FileExists(path_ + ".new")) << "no temporary file is left behind";
}

TEST_F(CustomStatusFolder, NothingWithoutAPictureOrAFile) {
  const Text before = Text("x\r\nКино") + kSep + "Группа крови\r\n";
  Write(before);
  TClient noPicture = Slot(0);
  EXPECT_FALSE(RestoreCustomStatusFile(noPicture));
  EXPECT_EQ(Read(), before);
  std::remove(path_.c_str());
  TClient slot = Slot(3);
  EXPECT_FALSE(RestoreCustomStatusFile(slot));
  EXPECT_FALSE(FileExists(path_)) << "a missing file is not created";
}

TEST_F(CustomStatusFolder, AFileWithANulByteIsLeftAlone) {
  const Text before = Text("x\r\nКино") + kSep + "Группа крови\r\n\0tail\r\n";
  Write(Text(before.data(), before.size()));
  Text withNul = Text("x\r\n") + Text("\0", 1) + "Кино" + kSep + "Группа крови\r\n";
  Write(withNul);
  TClient slot = Slot(2);
  EXPECT_FALSE(RestoreCustomStatusFile(slot));
  EXPECT_EQ(Read(), withNul);
}

#ifdef _WIN32
TEST_F(CustomStatusFolder, AFileHeldOpenByAnotherProgramIsLeftAlone) {
  const Text before = Text("x\r\nКино") + kSep + "Группа крови\r\n";
  Write(before);
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TClient slot = Slot(2);
  EXPECT_FALSE(RestoreCustomStatusFile(slot));
  CloseHandle(held);
  EXPECT_EQ(Read(), before);
}
#endif

}  // namespace
