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

bool Concatenate(const Text& a, const Text& b, TValue& result) {
  if (a.size() + b.size() > kMaxTextLength) return false;
  result = TextValue(a + b);
  return true;
}

bool Add(const TValue& a, const TValue& b, TValue& result) {
  const TValueKind ka = a.Kind;
  const TValueKind kb = b.Kind;
  if (ka == TValueKind::Array || kb == TValueKind::Array) return false;
  if (ka == TValueKind::Text && (kb == TValueKind::Text || kb == TValueKind::Empty)) {
    return Concatenate(a.Str, b.Str, result);
  }
  if (kb == TValueKind::Text && ka == TValueKind::Empty) return Concatenate(a.Str, b.Str, result);
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
  return ToTruth(call.Args[0], a) && ToTruth(call.Args[1], b);
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
  if (!Compare(call.Args[0], call.Args[1], order)) return false;
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
  if (call.Count != 1 || !ToTruth(call.Args[0], truth)) return false;
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
    case kOpPlus: return Add(call.Args[0], call.Args[1], result);
    case kOpEqual: case kOpGreater: case kOpLess: return ComputeComparison(call, result);
    case kOpAnd: case kOpOr: return ComputeLogic(call, result);
    case kOpNot: return ComputeNot(call, result);
    case kOpIn: return In(call.Args[0], call.Args[1], result);
    default: return ComputeArithmetic(call, result);
  }
}

long double PreRead(const TCall& call, size_t index) {
  long double number = 0;
  if (index < call.Count && IsNumeric(call.Args[index])) ToNumber(call.Args[index], number);
  return number;
}

bool BuildItems(TCall& call) {
  const TValue* items = call.Args + 1;
  size_t count = call.Count > 1 ? call.Count - 1 : 0;
  if (count > 0 && items[0].Kind == TValueKind::Array) {
    items = items[0].Array->Items.data();
    count = call.Args[1].Array->Items.size();
  }
  call.Items.resize(count);
  for (size_t i = 0; i < count; ++i) {
    if (!ToNumber(items[i], call.Items[i])) return false;
  }
  return true;
}

bool Compute(TCall& call, TValue& result) {
  call.X = PreRead(call, 0);
  call.Y = PreRead(call, 1);
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

TValue BadNumber(TMathParser& engine, const TCodeToken& token) {
  engine.AddError(FormatMessage(kTextBadNumber, {CurrentExpression(engine), token.Str}));
  return ErrorValue();
}

// Takes an operand off the top, or the integer 0 when none is left (-x is 0 - x).
TValue PopOperand(TStackFrame& frame) {
  if (frame.Count() == 0) return IntegerValue(0);
  TValue value = std::move(frame.State.Values.back());
  frame.State.Values.pop_back();
  return value;
}

bool ApplyBinary(TMathParser& engine, TStackFrame& frame, TOperatorCode op) {
  TValue operands[2];
  operands[1] = PopOperand(frame);
  operands[0] = PopOperand(frame);
  return Push(frame, ApplyOperator(engine, op, operands, 2));
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
  values.resize(start);
  return Push(frame, std::move(result));
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
    case TTokenClass::Identifier: fits = Push(frame, GetValue(engine, token.Str)); break;
    case TTokenClass::Literal: fits = Push(frame, TextValue(token.Str)); break;
    case TTokenClass::Mark: fits = OpenMark(frame, token); break;
    case TTokenClass::Name: fits = ApplyName(engine, frame, token); break;
    case TTokenClass::Other: return TStep::Stop;
  }
  return fits ? TStep::Go : TStep::Overflow;
}

TValue ReportOverflow(TMathParser& engine, bool& errorFlag) {
  errorFlag = true;
  engine.AddError(
      FormatMessage(kTextStackFull, {CurrentExpression(engine), IntText(kMaxStackValues)}));
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
  return std::move(engine.Evaluation.Values.back());
}

TValue EvaluateDefinition(TMathParser& engine, int32_t index) {
  TEvaluationState& state = engine.Evaluation;
  if (state.Depth == 0 && !state.InRun) state.ResetBudget();
  const TStackData& data = engine.Statements.Items[index];
  if (state.Depth >= kMaxDefinitionDepth) {
    return RefuseDefinition(
        engine, FormatMessage(kTextTooDeep, {data.Formula.Name, IntText(kMaxDefinitionDepth)}));
  }
  if (state.DefinitionEvaluations >= kMaxDefinitionEvaluations) {
    return RefuseDefinition(engine, FormatMessage(kTextTooManyCalls, {CurrentExpression(engine),
                                                                     IntText(kMaxDefinitionEvaluations)}));
  }
  ++state.DefinitionEvaluations;
  TDepthGuard guard(state);
  bool errorFlag = false;
  return Evaluate(engine, data.Program, errorFlag);
}

TValue GetValue(TMathParser& engine, const Text& name) {
  int32_t index = FindByName(engine.Statements, name);
  if (index < 0) {
    engine.AddError(FormatMessage(kTextNoValue, {name}));
    return ErrorValue();
  }
  return ValueAt(engine.Statements, index);
}

TValue ApplyOperator(TMathParser& engine, TOperatorCode op, const TValue* arguments,
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
  engine.AddError(
      FormatMessage(kTextOperatorFailure, {OperatorInfo(op).Name, CurrentExpression(engine)}));
  return IntegerValue(0);
}
