// Helpers of the engine's tests: an engine that collects its diagnostics, the code of an
// expression in readable form, and texts written with the locale's decimal separator.
#pragma once

#include <vector>

#include "script/compiler.h"
#include "script/math_parser.h"
#include "script/values.h"
#include "support/system.h"

struct TCollectingEngine {
  TMathParser Engine;
  std::vector<Text> Diagnostics;
  TCollectingEngine() {
    Engine.DiagnosticHook = [this](TMathParser&, const Text& message) {
      Diagnostics.push_back(message);
      return true;
    };
  }
};

// The outcome of one script: the text of a variable after a run, and what was reported.
struct TOutcome {
  Text Value;
  std::vector<Text> Diagnostics;
  bool RunResult = false;
};

inline TOutcome RunScriptText(const Text& script, const Text& variable) {
  TCollectingEngine test;
  test.Engine.AddScript(script);
  TOutcome outcome;
  outcome.RunResult = test.Engine.Run();
  outcome.Value = VariableText(test.Engine, variable);
  outcome.Diagnostics = test.Diagnostics;
  return outcome;
}

inline TOutcome RunExpression(const Text& expression) {
  return RunScriptText("x=" + expression, "x");
}

// Code with its NUL ends shown as blanks and the last one dropped.
inline Text ReadableCode(const Text& code) {
  Text text = code;
  for (char& c : text) {
    if (c == '\0') c = ' ';
  }
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

inline Text CodeOf(const Text& expression) {
  return ReadableCode(ToPostfix(CalcForm(expression)));
}

// A number text as the user's locale writes it: the full stop becomes its separator.
inline Text Localised(const Text& text) {
  Text result = text;
  for (char& c : result) {
    if (c == '.') c = LocaleDecimalSeparator();
  }
  return result;
}

inline Text OperatorFailure(const Text& name, const Text& expression) {
  return "(оператор):  '" + name + "'  - неверные параметры (или недопустимое количество)\r\n" +
         "(в строке): " + expression;
}

#ifndef _WIN32
// Sets the emulated locale's decimal separator for one test and puts "." back after it.
struct TDecimalSeparator {
  explicit TDecimalSeparator(char separator) { NativeLocaleSet(separator, ':'); }
  ~TDecimalSeparator() { NativeLocaleSet('.', ':'); }
};
#endif
