// The evaluator: the stack machine that runs postfix code, the dispatcher ApplyOperator,
// and the operators + - * / ^ = > < & | not in.
#include "script/evaluator.h"

#include <cmath>

#include "script/builtins.h"
#include "script/math_parser.h"
#include "script/messages.h"

namespace {

Text CurrentExpression(const TMathParser& engine) {
  const TStack& store = engine.Statements;
  return IsStatement(store, engine.Current) ? store.Items[engine.Current].Formula.Expression
                                            : Text();
}

// Puts back the shared value and mark stacks as they were when an evaluation began,
// on every way out of it.
struct TStackFrame {
  TEvaluationState& State;
  size_t Base;
  size_t MarkBase;
  explicit TStackFrame(TEvaluationState& state)
      : State(state), Base(state.Values.size()), MarkBase(state.Marks.size()) {}
  ~TStackFrame() {
    State.Values.resize(Base);
    State.Marks.resize(MarkBase);
  }
  size_t Count() const { return State.Values.size() - Base; }
  bool HasMark() const { return State.Marks.size() > MarkBase; }
  size_t NearestMark() const { return std::min(State.Marks.back(), State.Values.size()); }
};

// Operator failures and conversions below answer false; the dispatcher reports them.

bool Compare(const TValue& a, const TValue& b, int& order);

template <typename T>
int Order(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

bool CompareNumbers(const TValue& a, const TValue& b, int& order) {
  long double x = 0;
  long double y = 0;
  if (!ToNumber(a, x) || !ToNumber(b, y)) return false;
  order = Order(x, y);
  return true;
}

bool CompareTextWithTruth(const TValue& text, const TValue& truth, int& order) {
  bool t = false;
  if (!ToTruth(text, t)) return false;
  order = Order(t ? -1 : 0, truth.Truth ? -1 : 0);
  return true;
}

bool Compare(const TValue& a, const TValue& b, int& order) {
  const TValueKind ka = a.Kind;
  const TValueKind kb = b.Kind;
  if (ka == TValueKind::Array || kb == TValueKind::Array) return false;
  bool textA = ka == TValueKind::Text || (ka == TValueKind::Empty && kb == TValueKind::Text);
  bool textB = kb == TValueKind::Text || (kb == TValueKind::Empty && ka == TValueKind::Text);
  if (textA && textB) {
    order = Order(a.Str.compare(b.Str), 0);
    return true;
  }
  if (ka == TValueKind::Text && kb == TValueKind::Truth) return CompareTextWithTruth(a, b, order);
  if (kb == TValueKind::Text && ka == TValueKind::Truth) {
    if (!CompareTextWithTruth(b, a, order)) return false;
    order = -order;
    return true;
  }
  return CompareNumbers(a, b, order);
}

// An owned left operand is extended in place; a stored one is copied once, with room for
// the right operand.
bool Concatenate(TValue& left, const TValue& a, const TValue& b, TValue& result) {
  if (a.Str.size() + b.Str.size() > kMaxTextLength) return false;
  Text text;
  if (left.Ref) {
    text.reserve(a.Str.size() + b.Str.size());
    text = a.Str;
  } else {
    text = std::move(left.Str);
  }
  text += b.Str;
  result = TextValue(std::move(text));
  return true;
}

bool Add(TValue& left, const TValue& b, TValue& result) {
  const TValue& a = left.Ref ? *left.Ref : left;
  const TValueKind ka = a.Kind;
  const TValueKind kb = b.Kind;
  if (ka == TValueKind::Array || kb == TValueKind::Array) return false;
  if (ka == TValueKind::Text && (kb == TValueKind::Text || kb == TValueKind::Empty)) {
    return Concatenate(left, a, b, result);
  }
  if (kb == TValueKind::Text && ka == TValueKind::Empty) return Concatenate(left, a, b, result);
  long double x = 0;
  long double y = 0;
  if (!ToNumber(a, x) || !ToNumber(b, y)) return false;
  if (a.Integer && b.Integer) {
    long double sum = x + y;
    if (std::fabs(sum) <= 2147483647.0L) {
      result = IntegerValue(static_cast<int64_t>(sum));
      return true;
    }
  }
  return StoreNumber(x + y, result);
}

bool Truths(const TCall& call, bool& a, bool& b) {
  return ToTruth(call.Arg(0), a) && ToTruth(call.Arg(1), b);
}

bool In(const TValue& needle, const TValue& list, TValue& result) {
  if (list.Kind != TValueKind::Array) return false;
  for (const TValue& item : list.Array->Items) {
    int order = 0;
    if (!Compare(needle, item, order)) return false;
    if (order == 0) {
      result = TruthValue(true);
      return true;
    }
  }
  result = TruthValue(false);
  return true;
}

bool ComputeComparison(const TCall& call, TValue& result) {
  int order = 0;
  if (!Compare(call.Arg(0), call.Arg(1), order)) return false;
  bool truth = call.Op == kOpEqual ? order == 0 : (call.Op == kOpGreater ? order > 0 : order < 0);
  result = TruthValue(truth);
  return true;
}

bool ComputeLogic(const TCall& call, TValue& result) {
  bool a = false;
  bool b = false;
  if (!Truths(call, a, b)) return false;
  result = TruthValue(call.Op == kOpAnd ? (a && b) : (a || b));
  return true;
}

bool ComputeNot(const TCall& call, TValue& result) {
  bool truth = false;
  if (call.Count != 1 || !ToTruth(call.Arg(0), truth)) return false;
  result = TruthValue(!truth);
  return true;
}

bool ComputeArithmetic(const TCall& call, TValue& result) {
  const long double x = call.X;
  const long double y = call.Y;
  long double power = 0;
  switch (call.Op) {
    case kOpMinus: return StoreNumber(x - y, result);
    case kOpTimes: return StoreNumber(x * y, result);
    case kOpDivide: return y != 0 && StoreNumber(x / y, result);
    default: return Power(x, y, power) && StoreNumber(power, result);
  }
}

bool IsOperator(TOperatorCode op) {
  switch (op) {
    case kOpPlus: case kOpMinus: case kOpTimes: case kOpDivide: case kOpPower:
    case kOpEqual: case kOpGreater: case kOpLess: case kOpAnd: case kOpOr:
    case kOpNot: case kOpIn:
      return true;
    default:
      return false;
  }
}

bool ComputeOperator(TCall& call, TValue& result) {
  switch (call.Op) {
    case kOpPlus: return Add(call.Args[0], call.Arg(1), result);
    case kOpEqual: case kOpGreater: case kOpLess: return ComputeComparison(call, result);
    case kOpAnd: case kOpOr: return ComputeLogic(call, result);
    case kOpNot: return ComputeNot(call, result);
    case kOpIn: return In(call.Arg(0), call.Arg(1), result);
    default: return ComputeArithmetic(call, result);
  }
}

long double PreRead(const TCall& call, size_t index) {
  long double number = 0;
  if (index < call.Count && IsNumeric(call.Arg(index))) ToNumber(call.Arg(index), number);
  return number;
}

bool BuildItems(TCall& call) {
  if (call.Count > 1 && call.Arg(1).Kind == TValueKind::Array) {
    const std::vector<TValue>& elements = call.Arg(1).Array->Items;
    call.Items.resize(elements.size());
    for (size_t i = 0; i < elements.size(); ++i) {
      if (!ToNumber(elements[i], call.Items[i])) return false;
    }
    return true;
  }
  call.Items.resize(call.Count > 1 ? call.Count - 1 : 0);
  for (size_t i = 1; i < call.Count; ++i) {
    if (!ToNumber(call.Arg(i), call.Items[i - 1])) return false;
  }
  return true;
}

// Names that never look at the numeric reading of their arguments.
bool ReadsTextsOnly(TOperatorCode op) {
  switch (op) {
    case kOpPlus: case kOpEqual: case kOpGreater: case kOpLess: case kOpAnd: case kOpOr:
    case kOpNot: case kOpIn: case kOpCstr: case kOpString: case kOpIsReal: case kOpIsVirtual:
    case kOpIsString: case kOpIfThen: case kOpLen: case kOpLcase: case kOpUcase: case kOpTrim:
    case kOpPos: case kOpReplace: case kOpArray:
      return true;
    default:
      return false;
  }
}

bool Compute(TCall& call, TValue& result) {
  if (!ReadsTextsOnly(call.Op)) {
    call.X = PreRead(call, 0);
    call.Y = PreRead(call, 1);
  }
  if (UsesItemList(call.Op) && !BuildItems(call)) return false;
  if (IsOperator(call.Op)) return ComputeOperator(call, result);
  return ComputeBuiltin(call, result);
}

bool WithinLimits(const TValue& value) {
  return value.Str.size() <= kMaxTextLength;
}

// Pushes a value unless the evaluation already holds as many as it may.
bool Push(TStackFrame& frame, TValue value) {
  if (frame.Count() >= kMaxStackValues) return false;
  frame.State.Values.push_back(std::move(value));
  return true;
}

// A stored value is pushed as a reference to it: most are only read (compared, looked up,
// measured), and those that are kept or changed are copied when a call takes them (Own).
// Stored values do not change while a statement is evaluated.
TValue ValueOfToken(TMathParser& engine, const TCodeToken& token) {
  TStack& store = engine.Statements;
  int32_t index = FindByName(store, token.Str, token.Hint);
  if (index < 0) {
    engine.Report([&] { return FormatMessage(kTextNoValue, {token.Str}); });
    return ErrorValue();
  }
  const TFormula& formula = store.Items[index].Formula;
  if (formula.Kind != kKindAssignment) return ValueAt(store, index);
  TValue reference;
  reference.Ref = &formula.Value;
  return reference;
}

TValue Owned(TValue value) {
  if (value.Ref) return TValue(*value.Ref);
  return value;
}

TValue BadNumber(TMathParser& engine, const TCodeToken& token) {
  engine.Report([&] { return FormatMessage(kTextBadNumber, {CurrentExpression(engine), token.Str}); });
  return ErrorValue();
}

// The operands are the top two values, worked on where they stand; with one value only,
// the left operand is the integer 0 (-x is 0 - x), with none both are.
bool ApplyBinary(TMathParser& engine, TStackFrame& frame, TOperatorCode op) {
  auto& values = frame.State.Values;
  while (frame.Count() < 2) {
    values.insert(values.end() - static_cast<std::ptrdiff_t>(frame.Count()), IntegerValue(0));
  }
  const size_t left = values.size() - 2;
  TValue result = ApplyOperator(engine, op, values.data() + left, 2);
  values.pop_back();
  values.back() = std::move(result);
  return true;
}

// Where the arguments of a call begin: at its own mark when it was written with brackets,
// nothing for a name without arguments, else the one value on top (not b, sin x).
size_t ArgumentStart(TStackFrame& frame, const TCodeToken& token) {
  auto& state = frame.State;
  const size_t top = state.Values.size();
  const int32_t arity = OperatorInfo(token.Op).Arity;
  if (arity == 0 || token.Bracketed) {
    size_t start = frame.HasMark() ? frame.NearestMark() : frame.Base;
    if (frame.HasMark()) state.Marks.pop_back();
    return arity == 0 ? top : start;
  }
  size_t floor = frame.HasMark() ? frame.NearestMark() : frame.Base;
  return top > floor ? top - 1 : top;
}

bool ApplyCall(TMathParser& engine, TStackFrame& frame, const TCodeToken& token) {
  auto& values = frame.State.Values;
  size_t start = ArgumentStart(frame, token);
  TValue result = ApplyOperator(engine, token.Op, values.data() + start, values.size() - start);
  if (start == values.size()) return Push(frame, std::move(result));
  values.resize(start + 1);
  values.back() = std::move(result);
  return true;
}

bool ApplyName(TMathParser& engine, TStackFrame& frame, const TCodeToken& token) {
  if (OperatorInfo(token.Op).Arity != 2) return ApplyCall(engine, frame, token);
  return ApplyBinary(engine, frame, token.Op);
}

bool OpenMark(TStackFrame& frame, const TCodeToken& token) {
  if (!token.CallMark) return true;
  if (frame.State.Marks.size() - frame.MarkBase >= kMaxPendingMarks) return false;
  frame.State.Marks.push_back(frame.State.Values.size());
  return true;
}

enum class TStep { Go, Stop, Overflow };

TStep Step(TMathParser& engine, TStackFrame& frame, const TCodeToken& token) {
  bool fits = true;
  switch (token.Class) {
    case TTokenClass::Number:
      fits = Push(frame, token.NumberValid ? NumberValue(token.Number) : BadNumber(engine, token));
      break;
    case TTokenClass::Identifier: fits = Push(frame, ValueOfToken(engine, token)); break;
    case TTokenClass::Literal: fits = Push(frame, TextValue(token.Str)); break;
    case TTokenClass::Mark: fits = OpenMark(frame, token); break;
    case TTokenClass::Name: fits = ApplyName(engine, frame, token); break;
    case TTokenClass::Other: return TStep::Stop;
  }
  return fits ? TStep::Go : TStep::Overflow;
}

TValue ReportOverflow(TMathParser& engine, bool& errorFlag) {
  errorFlag = true;
  engine.Report([&] {
    return FormatMessage(kTextStackFull, {CurrentExpression(engine), IntText(kMaxStackValues)});
  });
  return ErrorValue();
}

TValue RefuseDefinition(TMathParser& engine, const Text& message) {
  TEvaluationState& state = engine.Evaluation;
  if (!state.LimitReported) {
    state.LimitReported = true;
    engine.AddError(message);
  }
  return ErrorValue();
}

}  // namespace

TValue Evaluate(TMathParser& engine, const TProgram& program, bool& errorFlag) {
  errorFlag = false;
  TStackFrame frame(engine.Evaluation);
  for (const TCodeToken& token : program.Tokens) {
    TStep step = Step(engine, frame, token);
    if (step == TStep::Overflow) return ReportOverflow(engine, errorFlag);
    if (step == TStep::Stop) break;
  }
  if (frame.Count() != 1) {
    errorFlag = true;
    return ErrorValue();
  }
  return Owned(std::move(engine.Evaluation.Values.back()));
}

TValue EvaluateDefinition(TMathParser& engine, int32_t index) {
  TEvaluationState& state = engine.Evaluation;
  if (state.Depth == 0 && !state.InRun) state.ResetBudget();
  const TStackData& data = engine.Statements.Items[index];
  if (state.Depth >= kMaxDefinitionDepth) {
    return RefuseDefinition(
        engine, FormatMessage(kTextTooDeep, {data.Formula.Name, IntText(kMaxDefinitionDepth)}));
  }
  if (state.DefinitionTokens >= kMaxDefinitionTokens) {
    return RefuseDefinition(engine, FormatMessage(kTextTooManyCalls, {CurrentExpression(engine),
                                                                     IntText(kMaxDefinitionTokens)}));
  }
  state.DefinitionTokens += static_cast<int64_t>(data.Program.Tokens.size()) + 1;
  TDepthGuard guard(state);
  bool errorFlag = false;
  try {
    return Evaluate(engine, data.Program, errorFlag);
  } catch (...) {
    // A lookup from outside a run (the plug-in reading a result) must not throw either.
    return ErrorValue();
  }
}

TValue GetValue(TMathParser& engine, const Text& name) {
  int32_t index = FindByName(engine.Statements, name);
  if (index < 0) {
    engine.AddError(FormatMessage(kTextNoValue, {name}));
    return ErrorValue();
  }
  return ValueAt(engine.Statements, index);
}

TValue ApplyOperator(TMathParser& engine, TOperatorCode op, TValue* arguments,
                     size_t count) {
  TValue result;
  bool done = false;
  try {
    TCall call{engine, op, arguments, count, 0, 0, {}};
    done = Compute(call, result) && WithinLimits(result);
  } catch (...) {
    // Whatever the library throws (memory above all) fails this operator, not the run.
    done = false;
  }
  if (done) return result;
  engine.Report([&] {
    return FormatMessage(kTextOperatorFailure, {OperatorInfo(op).Name, CurrentExpression(engine)});
  });
  return IntegerValue(0);
}
