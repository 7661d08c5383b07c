// Runs the examples of the user's guides (docs/guide-ru.md, docs/guide-en.md) through the
// engine as an update cycle does, so that the guides cannot drift from the code. An example
// is a fenced block whose info string is "tunepost"; in it
//   // TAGArtist: Кино          sets a tag for the example (the others as the player gives
//                               them when it knows nothing: empty, and the two placeholders)
//   Status=TAGArtist // => Кино  after the run, that statement's value must be this text
// Info string "tunepost diagnostics": the example must report a diagnostic; otherwise it
// must report none. The Russian guide spells Cyrillic case mapping: it runs only under code
// page 1251.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "plugin/script_cycle.h"
#include "script/encoding.h"
#include "script_helpers.h"
#include "test_paths.h"

namespace {

struct TExample {
  int Line = 0;  // of the opening fence, for the messages
  bool Diagnostics = false;
  Text Script;   // code page 1251
};

std::vector<TExample> ReadExamples(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<TExample> examples;
  std::string line;
  TExample* open = nullptr;
  for (int number = 1; std::getline(file, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (open == nullptr) {
      if (line.rfind("```tunepost", 0) == 0) {
        examples.push_back(TExample{number, line == "```tunepost diagnostics", ""});
        open = &examples.back();
      }
    } else if (line.rfind("```", 0) == 0) {
      open = nullptr;
    } else {
      open->Script += Utf8ToCp1251(line) + "\r\n";
    }
  }
  EXPECT_EQ(open, nullptr) << path << ": an example is not closed";
  return examples;
}

bool After(const Text& text, const Text& tag, Text& rest) {
  size_t at = text.find(tag);
  if (at == Text::npos) return false;
  rest = text.substr(at + tag.size());
  if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
  return true;
}

void CheckExample(const std::string& guide, const TExample& example) {
  SCOPED_TRACE(guide + ":" + std::to_string(example.Line));
  Text tags[kTagCount];
  tags[kRowStatus] = "%Status";
  tags[kRowStatus2] = "%Status2";
  std::istringstream lines(example.Script);
  Text line, value;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("// TAG", 0) != 0) continue;
    size_t colon = line.find(':');
    ASSERT_NE(colon, Text::npos) << line;
    const int32_t row = TagIndex(line.substr(6, colon - 6));
    ASSERT_GE(row, 0) << "no such tag: " << Cp1251ToUtf8(line);
    tags[row] = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
  }

  TCollectingEngine test;
  LoadScriptEngine(test.Engine, example.Script);
  HandTagsToScript(test.Engine, tags);
  test.Engine.Run();
  int checked = 0;
  for (const TStackData& data : test.Engine.Statements.Items) {
    if (!After(data.Formula.Comment, "=>", value)) continue;
    EXPECT_EQ(Cp1251ToUtf8(ToText(data.Formula.Value)), Cp1251ToUtf8(value))
        << Cp1251ToUtf8(data.Formula.Name + "=" + data.Formula.Expression);
    ++checked;
  }
  EXPECT_GT(checked, 0) << "the example expects nothing";
  if (example.Diagnostics) {
    EXPECT_FALSE(test.Diagnostics.empty()) << "the example should report a diagnostic";
  } else {
    for (const Text& diagnostic : test.Diagnostics) ADD_FAILURE() << Cp1251ToUtf8(diagnostic);
  }
}

size_t CheckGuide(const std::string& name) {
  const std::vector<TExample> examples = ReadExamples(TestDataPath("docs/" + name));
  for (const TExample& example : examples) CheckExample(name, example);
  return examples.size();
}

TEST(GuideExamples, EnglishGuideExamplesGiveWhatTheySay) {
  EXPECT_GE(CheckGuide("guide-en.md"), 15u);
}

TEST(GuideExamples, RussianGuideExamplesGiveWhatTheySay) {
  if (SysCodePage() != 1251) {
    std::cout << "guide-ru.md skipped: the ANSI code page is " << SysCodePage() << "\n";
    return;
  }
  EXPECT_GE(CheckGuide("guide-ru.md"), 15u);
}

TEST(GuideExamples, BothGuidesShowTheSameNumberOfExamples) {
  EXPECT_EQ(ReadExamples(TestDataPath("docs/guide-ru.md")).size(),
            ReadExamples(TestDataPath("docs/guide-en.md")).size());
}

}  // namespace
