// TMathParser, the formatting-script engine as the rest of the plug-in sees it: script
// lines become numbered statements of its store, Run executes them in order, and every
// diagnostic goes to the owner's hook. See docs/script-engine.md for the language and for
// the decisions this engine makes where the language leaves them open:
//
// - A function definition that refers to itself (directly or through others) is looked up
//   at most kMaxDefinitionDepth deep, and lookups of definitions evaluate at most
//   kMaxDefinitionTokens tokens per run; beyond that the lookup gives "Error" and one
//   diagnostic per run.
// - More than 100 operators or brackets waiting in the compiler make a syntax error; more
//   than 100 values or call marks waiting in the evaluator stop the statement with a
//   diagnostic and the value "Error".
// - Call marks are told from grouping marks by the compiler, which knows whether an
//   opening bracket follows a name that takes brackets; a call written without brackets
//   (not b, sin x) takes the one value on top.
// - A number token that is not a number ("." or "1.2.3") gives "Error" with a diagnostic;
//   ".5" reads as 0.5.
// - ifthen needs exactly 3 arguments, replace 3 or 4, midstr 2 or 3, every name of one
//   argument exactly 1 (options 0 or 1); otherwise the operator fails.
// - SetLine with a statement number that does not exist stores nothing, reports it and
//   answers false.
// - ToText of an array gives "[" and the plain texts of its elements separated by "; "
//   and then "]".
// - Texts longer than kMaxTextLength and arrays nested deeper than kMaxArrayDepth make the
//   operator that would build them fail.
//
// The hook may read the engine but must not change its statements while a run is going.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "script/values.h"

class TMathParser;

using TDiagnosticHook = std::function<bool(TMathParser& engine, const Text& message)>;

constexpr int32_t kRegisterCount = 9;

// The working state of evaluations: one value stack and one mark stack that nested
// evaluations share (each works above the part of the one outside it), and the counters
// that bound lookups of function definitions.
struct TEvaluationState {
  std::vector<TValue> Values;
  std::vector<size_t> Marks;
  int32_t Depth = 0;
  int64_t DefinitionTokens = 0;
  bool LimitReported = false;
  bool InRun = false;
  void ResetBudget() {
    DefinitionTokens = 0;
    LimitReported = false;
  }
};

struct TDepthGuard {
  TEvaluationState& State;
  explicit TDepthGuard(TEvaluationState& state) : State(state) { ++State.Depth; }
  ~TDepthGuard() { --State.Depth; }
};

class TMathParser {
 public:
  TMathParser();
  TMathParser(const TMathParser&) = delete;
  TMathParser& operator=(const TMathParser&) = delete;

  int32_t Current = -1;
  TDiagnosticHook DiagnosticHook;
  int32_t Options = 0;
  TStack Statements;
  int32_t RegisterCount = 0;
  TValue Registers[kRegisterCount];

  void Clear();
  bool SetLine(const Text& line, int32_t index);
  bool AddLine(const Text& line);
  void AddScript(const Text& script);
  bool Run();
  TValue GetValue(const Text& name);
  bool AddError(const Text& message);
  // AddError of a message that is built only when a hook will read it (the plug-in's own
  // engine has none, and a failing operator in a long line would build long texts).
  template <typename Build>
  void Report(Build build) {
    if (DiagnosticHook) AddError(build());
    else ++Reported;
  }

  TEvaluationState Evaluation;

 private:
  int64_t Reported = 0;  // diagnostics passed to AddError so far
  bool StoreLine(const Text& line, int32_t index);
  bool ReuseLine(const Text& line, int32_t index);
  bool RunStatement(int32_t index);
};

// What the plug-in reads after a run: the plain text of the variable's value, the empty
// text (and no diagnostic) when no statement of that name holds one.
Text VariableText(TMathParser& engine, const Text& name);
