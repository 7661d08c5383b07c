// INI files: one table of cases, run against the system's private-profile functions under
// Wine and against the native reader and writer, so both behave alike.
#include <gtest/gtest.h>

#include <cstdio>

#include "settings/profile.h"
#include "support/file.h"
#include "test_paths.h"

namespace {

Text ProfilePath(const char* name) {
  return ScratchPath(name);
}

void WriteFile(const Text& path, const Text& bytes) {
  ASSERT_TRUE(WriteFileBytes(path, bytes.data(), static_cast<uint32_t>(bytes.size()), false)) << path;
}

const char kFile[] =
    "[First]\r\n"
    "plain=value\r\n"
    "  Spaced  =   around  \r\n"
    "double=\"quoted text\"\r\n"
    "single='quoted'\r\n"
    "mixed=\"not closed'\r\n"
    "inner=a \"b\" c\r\n"
    "twice=\"\"x\"\"\r\n"
    "empty=\r\n"
    "long=0123456789\r\n"
    "cyrillic=Русский текст\r\n"
    "[ second ]\r\n"
    "plain=other\r\n";

struct ReadCase {
  const char* section;
  const char* key;
  size_t buffer;
  const char* expected;
};

TEST(Profile, ReadsAsTheSystemDoes) {
  const Text path = ProfilePath("read.ini");
  WriteFile(path, kFile);
  const ReadCase cases[] = {
      {"First", "plain", 100, "value"},
      {"FIRST", "PLAIN", 100, "value"},
      {"first", "spaced", 100, "around"},
      {"First", "double", 100, "quoted text"},
      {"First", "single", 100, "quoted"},
      {"First", "mixed", 100, "\"not closed'"},
      {"First", "inner", 100, "a \"b\" c"},
      {"First", "twice", 100, "\"x\""},
      {"First", "empty", 100, ""},
      {"First", "long", 5, "0123"},
      {"First", "cyrillic", 100, "Русский текст"},
      {"second", "plain", 100, "other"},
      {"First", "missing", 100, "fallback"},
      {"Missing", "plain", 100, "fallback"},
      {"Missing", "plain", 4, "fal"},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(ProfileString(c.section, c.key, "fallback", c.buffer, path), c.expected)
        << c.section << "/" << c.key;
  }
  EXPECT_TRUE(ProfileHasKey("first", "EMPTY", path));
  EXPECT_FALSE(ProfileHasKey("First", "absent", path));
  EXPECT_FALSE(ProfileHasKey("none", "plain", path));
  EXPECT_EQ(ProfileString("First", "plain", "fallback", 100, ProfilePath("no-such.ini")), "fallback");
}

TEST(Profile, WritesCreateReplaceAndKeepOtherKeys) {
  const Text path = ProfilePath("write.ini");
  std::remove(path.c_str());
  EXPECT_TRUE(WriteProfileText("Main", "Lang", "Russian", path));
  EXPECT_TRUE(WriteProfileText("Main_Russian", "Enable.Value", "1", path));
  EXPECT_TRUE(WriteProfileText("Main_Russian", "Group.Caption", " Статус ", path));
  EXPECT_TRUE(WriteProfileText("MAIN", "lang", "English", path));
  EXPECT_TRUE(WriteProfileText("Main", "Other", "", path));
  EXPECT_EQ(ProfileString("Main", "Lang", "", 100, path), "English");
  EXPECT_EQ(ProfileString("Main_Russian", "Enable.Value", "", 100, path), "1");
  // Blanks around a value are not kept: a titled group reads back without them.
  EXPECT_EQ(ProfileString("Main_Russian", "Group.Caption", "", 100, path), "Статус");
  EXPECT_TRUE(ProfileHasKey("Main", "Other", path));
  Text content = ReadFileText(path);
  EXPECT_EQ(content.find("lang="), Text::npos) << "the key keeps its first spelling:\n" << content;
  EXPECT_NE(content.find("[Main]\r\n"), Text::npos) << content;
  EXPECT_NE(content.find("Enable.Value=1\r\n"), Text::npos) << content;
}

}  // namespace
