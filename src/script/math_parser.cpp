// The script runner: feeding lines to the store, running the statements in order, and
// passing diagnostics to the owner's hook.
#include "script/math_parser.h"

#include "script/evaluator.h"
#include "script/messages.h"

TMathParser::TMathParser() {
  Statements.Owner = this;
}

void TMathParser::Clear() {
  for (TValue& reg : Registers) reg = EmptyValue();
  RegisterCount = 0;
  ClearStatements(Statements);
}

namespace {

bool IsIdentifierName(const Text& name) {
  return TokenKind(name) == TTokenClass::Identifier;
}

}  // namespace

// The same line as the one statement `index` was compiled from without a diagnostic
// compiles to the same statement: only what compiling resets needs resetting.
bool TMathParser::ReuseLine(const Text& line, int32_t index) {
  if (!IsStatement(Statements, index)) return false;
  TStackData& data = Statements.Items[index];
  if (!data.HasCleanLine || data.CleanLine != line) return false;
  data.Formula.Value = EmptyValue();
  data.Formula.ErrorText.clear();
  Current = index;
  return true;
}

// Stores a compiled line as statement `index`, or appends it when index is negative.
bool TMathParser::StoreLine(const Text& line, int32_t index) {
  if (index >= 0 && ReuseLine(line, index)) return true;
  const int64_t reportedBefore = Reported;
  TFormula formula;
  if (!Compile(line, formula)) return false;
  if (index >= 0 && !IsStatement(Statements, index)) {
    AddError(FormatMessage(kTextNoStatement, {IntText(index)}));
    return false;
  }
  formula.Index = index < 0 ? StatementCount(Statements) : index;
  if (formula.Name.empty()) {
    formula.Kind = kKindExpression;
  } else if (!IsIdentifierName(formula.Name)) {
    AddError(FormatMessage(kTextBadName, {formula.Name}));
  }
  Current = formula.Index;
  SetStatement(Statements, formula, index);
  if (Reported == reportedBefore) {
    TStackData& stored = Statements.Items[Current];
    stored.CleanLine = line;
    stored.HasCleanLine = true;
  }
  return true;
}

// Memory running out while a line is compiled loses that line, not the plug-in.
bool TMathParser::SetLine(const Text& line, int32_t index) {
  try {
    return StoreLine(line, index < 0 ? StatementCount(Statements) : index);
  } catch (...) {
    return false;
  }
}

bool TMathParser::AddLine(const Text& line) {
  try {
    return StoreLine(line, -1);
  } catch (...) {
    return false;
  }
}

void TMathParser::AddScript(const Text& script) {
  const Text text = TextBeforeNul(script);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == Text::npos) end = text.size();
    AddLine(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
}

namespace {

// A statement that is one text literal, as the 21 TAG statements are: its value is the
// literal's text, written into the text the statement held before (no allocation when
// the text does not grow).
bool RunLiteral(TStackData& data) {
  const std::vector<TCodeToken>& tokens = data.Program.Tokens;
  if (data.Formula.Kind != kKindAssignment || tokens.size() != 1) return false;
  if (tokens[0].Class != TTokenClass::Literal) return false;
  TValue& value = data.Formula.Value;
  value.Kind = TValueKind::Text;
  value.Str.assign(tokens[0].Str);
  return true;
}

// Empties a value but keeps its text's storage for the value the next run gives it.
void ForgetValue(TValue& value) {
  value.Kind = TValueKind::Empty;
  value.Integer = false;
  value.Truth = false;
  value.Number = 0;
  value.Str.clear();
  value.Array.reset();
}

}  // namespace

// Runs statement `index`; answers whether its evaluation set the error flag.
bool TMathParser::RunStatement(int32_t index) {
  TStackData& data = Statements.Items[index];
  if (RunLiteral(data)) return false;
  const int32_t kind = data.Formula.Kind;
  bool errorFlag = false;
  TValue value;
  try {
    if (kind == kKindFunction) value = ValueAt(Statements, index);
    else value = Evaluate(*this, data.Program, errorFlag);
  } catch (...) {
    // Memory running out in one statement fails that statement, not the plug-in.
    errorFlag = true;
    value = ErrorValue();
  }
  TFormula& formula = Statements.Items[index].Formula;
  if (kind != kKindExpression) formula.Value = std::move(value);
  if (errorFlag) {
    formula.ErrorText = FormatMessage(kTextRunError, {IntText(index + 1), formula.Expression});
  }
  return errorFlag;
}

bool TMathParser::Run() {
  bool result = true;
  for (TStackData& data : Statements.Items) ForgetValue(data.Formula.Value);
  Evaluation.ResetBudget();
  Evaluation.InRun = true;
  for (int32_t i = 0; i < StatementCount(Statements); ++i) {
    Current = i;
    if (Statements.Items[i].Formula.Expression == "exit") break;
    if (RunStatement(i)) result = false;
  }
  Evaluation.InRun = false;
  Current = -1;
  return result;
}

TValue TMathParser::GetValue(const Text& name) {
  try {
    return ::GetValue(*this, name);
  } catch (...) {
    return ErrorValue();
  }
}

bool TMathParser::AddError(const Text& message) {
  ++Reported;
  if (!DiagnosticHook) return false;
  try {
    return DiagnosticHook(*this, message);
  } catch (...) {
    // The hook is the owner's; whatever it throws stays out of the engine.
    return false;
  }
}

Text VariableText(TMathParser& engine, const Text& name) {
  try {
    TValue value = ValueAt(engine.Statements, FindByName(engine.Statements, name));
    return TakeText(value);
  } catch (...) {
    return Text();
  }
}
