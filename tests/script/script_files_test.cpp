// Runs the script files of tests/scripts. A file is an ordinary script (UTF-8 here, code
// page 1251 for the engine) whose comments say what to expect:
//   x=1+2 // expect: 3            the text of this statement's value after the run
//   // expect diagnostic: TEXT    the next diagnostic, exactly (\n stands for CR LF)
//   // expect failure: NAME       the next diagnostic is the failure of operator NAME in
//                                 the statement before this line
//   // expect run: false          what Run answers (true when not said)
//   // needs code page 1251       the file is skipped under another ANSI code page
// In expected texts {dec} stands for the locale's decimal separator. Natively each file
// runs under both separators.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "script/encoding.h"
#include "script_helpers.h"
#include "test_paths.h"

namespace {

const char* const kScriptFiles[] = {
    "operators.tps", "builtins.tps", "runner.tps", "definitions.tps",
};

Text ReadFile(const Text& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::vector<Text> Lines(const Text& text) {
  std::vector<Text> lines;
  std::istringstream stream(text);
  Text line;
  while (std::getline(stream, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

Text Expand(const Text& expected) {
  Text text = ReplaceText(expected, "{dec}", Text(1, LocaleDecimalSeparator()), kReplaceAll);
  return ReplaceText(text, "\\n", "\r\n", kReplaceAll);
}

// Text after "tag" in the line, or false when the line does not carry it.
bool After(const Text& line, const Text& tag, Text& rest) {
  size_t at = line.find(tag);
  if (at == Text::npos) return false;
  rest = line.substr(at + tag.size());
  if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
  return true;
}

struct TExpectations {
  std::vector<Text> Diagnostics;
  bool RunResult = true;
};

// Comment lines of the file: the diagnostics and the run's answer they expect. Failure
// lines name the expression of the statement added before them.
TExpectations ReadExpectations(const std::vector<Text>& lines) {
  TExpectations expected;
  TCollectingEngine scratch;
  Text rest;
  for (const Text& line : lines) {
    if (line.rfind("//", 0) != 0) {
      scratch.Engine.AddLine(line);
      continue;
    }
    if (After(line, "// expect diagnostic:", rest)) expected.Diagnostics.push_back(Expand(rest));
    const TStack& store = scratch.Engine.Statements;
    if (After(line, "// expect failure:", rest) && StatementCount(store) > 0) {
      const Text& expression = store.Items.back().Formula.Expression;
      expected.Diagnostics.push_back(OperatorFailure(rest, expression));
    }
    if (After(line, "// expect run:", rest)) expected.RunResult = rest != "false";
  }
  return expected;
}

// Compared one by one and shown in UTF-8, so that a mismatch reads as the user would see it.
void CheckDiagnostics(const std::vector<Text>& actual, const std::vector<Text>& expected) {
  for (size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
    Text got = i < actual.size() ? Cp1251ToUtf8(actual[i]) : "(none)";
    Text want = i < expected.size() ? Cp1251ToUtf8(expected[i]) : "(none)";
    EXPECT_EQ(got, want) << "diagnostic " << i + 1;
    if (got != want) return;
  }
}

void CheckScriptFile(const Text& name) {
  const Text script = Utf8ToCp1251(ReadFile(TestDataPath("tests/scripts/" + name)));
  ASSERT_FALSE(script.empty()) << name;
  if (script.find("// needs code page 1251") != Text::npos && SysCodePage() != 1251) {
    std::cout << name << " skipped: the ANSI code page is " << SysCodePage() << "\n";
    return;
  }
  const std::vector<Text> lines = Lines(script);
  const TExpectations expected = ReadExpectations(lines);
  TCollectingEngine test;
  test.Engine.AddScript(script);
  EXPECT_EQ(test.Engine.Run(), expected.RunResult) << name;
  int checked = 0;
  Text value;
  for (const TStackData& data : test.Engine.Statements.Items) {
    if (!After(data.Formula.Comment, "expect:", value)) continue;
    EXPECT_EQ(ToText(data.Formula.Value), Expand(value))
        << name << ": " << data.Formula.Name << "=" << data.Formula.Expression;
    ++checked;
  }
  EXPECT_GT(checked, 0) << name << " expects no value";
  CheckDiagnostics(test.Diagnostics, expected.Diagnostics);
}

TEST(ScriptFiles, GiveTheirExpectedResults) {
  for (const char* name : kScriptFiles) {
    SCOPED_TRACE(name);
    CheckScriptFile(name);
#ifndef _WIN32
    TDecimalSeparator comma(',');
    CheckScriptFile(name);
#endif
  }
}

}  // namespace
