// The built-in functions of the script language: mathematics, texts, type tests, choice,
// arrays, the option number and the result registers.
#include "script/builtins.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "script/math_parser.h"
#include "support/system.h"

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;
// arccot takes arguments this close to 0 as 0 itself.
constexpr long double kArccotZero = 1E-16L;

bool Number(TValue& result, long double number) {
  return StoreNumber(number, result);
}

bool Sin(TCall& c, TValue& r) { return Number(r, std::sin(c.X)); }
bool Cos(TCall& c, TValue& r) { return Number(r, std::cos(c.X)); }
bool Tan(TCall& c, TValue& r) { return Number(r, std::tan(c.X)); }
bool Arctan(TCall& c, TValue& r) { return Number(r, std::atan(c.X)); }
bool Log10(TCall& c, TValue& r) { return Number(r, std::log10(c.X)); }
bool Log2(TCall& c, TValue& r) { return Number(r, std::log2(c.X)); }
bool Exp(TCall& c, TValue& r) { return Number(r, std::exp(c.X)); }
bool Abs(TCall& c, TValue& r) { return Number(r, std::fabs(c.X)); }
bool Sqr(TCall& c, TValue& r) { return Number(r, c.X * c.X); }
bool Pi(TCall&, TValue& r) { return Number(r, kPi); }

bool Cotan(TCall& c, TValue& r) {
  long double tangent = std::tan(c.X);
  return tangent != 0 && Number(r, 1 / tangent);
}

bool Arcsin(TCall& c, TValue& r) {
  if (std::fabs(c.X) > 1) return false;
  return Number(r, std::atan2(c.X, std::sqrt(1 - c.X * c.X)));
}

bool Arccos(TCall& c, TValue& r) {
  if (std::fabs(c.X) > 1) return false;
  return Number(r, std::atan2(std::sqrt(1 - c.X * c.X), c.X));
}

bool Arccot(TCall& c, TValue& r) {
  if (std::fabs(c.X) <= kArccotZero) return Number(r, kPi / 2);
  return Number(r, std::atan(1 / c.X));
}

bool Ln(TCall& c, TValue& r) {
  return c.X > 0 && Number(r, std::log(c.X));
}

bool Sqrt(TCall& c, TValue& r) {
  return c.X >= 0 && Number(r, std::sqrt(c.X));
}

bool Log(TCall& c, TValue& r) {
  if (c.X <= 0 || c.Y <= 0) return false;
  long double base = std::log(c.X);
  return base != 0 && Number(r, std::log(c.Y) / base);
}

// Each step goes through the value operators "*" and "+", so it is stored as they store.
bool Poly(TCall& c, TValue& r) {
  if (c.Items.empty()) return false;
  TValue value;
  if (!Number(value, c.Items.back())) return false;
  for (size_t k = c.Items.size() - 1; k-- > 0;) {
    if (!Number(value, static_cast<long double>(value.Number) * c.X)) return false;
    if (!Number(value, static_cast<long double>(value.Number) + c.Items[k])) return false;
  }
  r = value;
  return true;
}

bool Min(TCall& c, TValue& r) {
  if (c.Items.empty()) return false;
  return Number(r, std::min(c.X, *std::min_element(c.Items.begin(), c.Items.end())));
}

bool Max(TCall& c, TValue& r) {
  if (c.Items.empty()) return false;
  return Number(r, std::max(c.X, *std::max_element(c.Items.begin(), c.Items.end())));
}

long double ItemSum(const TCall& c) {
  long double sum = 0;
  for (long double item : c.Items) sum += item;
  return sum;
}

bool Mean(TCall& c, TValue& r) {
  if (c.Items.empty()) return false;
  return Number(r, (c.X + ItemSum(c) / c.Items.size()) / 2);
}

bool Sum(TCall& c, TValue& r) {
  return Number(r, c.X + ItemSum(c));
}

bool Root(TCall& c, TValue& r) {
  if (c.X == 0) return false;
  long double exponent = 1 / c.X;
  long double power = 0;
  return Power(c.Y, exponent, power) && Number(r, power);
}

bool Sign(TCall& c, TValue& r) {
  r = IntegerValue(c.X > 0 ? 1 : (c.X < 0 ? -1 : 0));
  return true;
}

bool SingleArgument(const TCall& c) {
  return c.Count == 1;
}

bool Cstr(TCall& c, TValue& r) {
  const TValue& v = c.Arg(0);
  if (v.Kind != TValueKind::Text) {
    Text text;
    if (!ValueToText(v, text)) return false;
    r = TextValue(std::move(text));
    return true;
  }
  bool quoted = !v.Str.empty() && v.Str[0] == kQuote;
  r = TextValue(quoted ? LiteralText(v.Str) : Text());
  return true;
}

bool IsReal(TCall& c, TValue& r) {
  r = TruthValue(IsNumeric(c.Arg(0)));
  return true;
}

bool IsVirtual(TCall& c, TValue& r) {
  r = TruthValue(!IsNumeric(c.Arg(0)));
  return true;
}

bool IsString(TCall& c, TValue& r) {
  r = TruthValue(c.Arg(0).Kind == TValueKind::Text);
  return true;
}

bool True(TCall&, TValue& r) {
  r = TruthValue(true);
  return true;
}

bool False(TCall&, TValue& r) {
  r = TruthValue(false);
  return true;
}

// Exactly a condition and two choices: with fewer there is nothing to choose from.
bool IfThen(TCall& c, TValue& r) {
  bool truth = false;
  if (c.Count != 3 || !ToTruth(c.Arg(0), truth)) return false;
  r = std::move(c.Own(truth ? 1 : 2));
  return true;
}

bool Options(TCall& c, TValue& r) {
  if (c.Count > 1) return false;
  if (c.Count == 1 && !RoundToInt(c.X, c.Engine.Options)) return false;
  r = IntegerValue(c.Engine.Options);
  return true;
}

bool TrimmedAlready(const Text& text) {
  return static_cast<unsigned char>(text.front()) > ' ' && static_cast<unsigned char>(text.back()) > ' ';
}

bool Len(TCall& c, TValue& r) {
  r = IntegerValue(static_cast<int64_t>(ToText(c.Arg(0)).size()));
  return true;
}

// LowerText and UpperText convert a copy; the argument's own text is that copy here.
bool Lcase(TCall& c, TValue& r) {
  Text text = TakeText(c.Own(0));
  SysLowerBuffer(text.data(), text.size());
  r = TextValue(std::move(text));
  return true;
}

bool Ucase(TCall& c, TValue& r) {
  Text text = TakeText(c.Own(0));
  SysUpperBuffer(text.data(), text.size());
  r = TextValue(std::move(text));
  return true;
}

bool Trim(TCall& c, TValue& r) {
  Text text = TakeText(c.Own(0));
  r = TextValue(text.size() > 0 && TrimmedAlready(text) ? std::move(text) : TrimText(text));
  return true;
}

bool Pos(TCall& c, TValue& r) {
  r = IntegerValue(PosFrom(ToText(c.Arg(0)), ToText(c.Arg(1)), 1));
  return true;
}

// Whether letter case can matter for the text; ASCII is judged here, the code page's
// upper half by the system.
bool HasLetter(const Text& text) {
  for (char ch : text) {
    unsigned char byte = static_cast<unsigned char>(ch);
    if (byte < 0x80 ? static_cast<unsigned>((byte | 0x20) - 'a') < 26u : SysIsAlpha(ch)) return true;
  }
  return false;
}

size_t Occurrences(const Text& text, const Text& pattern, bool all) {
  size_t count = 0;
  for (size_t at = text.find(pattern); at != Text::npos; at = text.find(pattern, at + pattern.size())) {
    ++count;
    if (!all) break;
  }
  return count;
}

// ReplaceText without ignoring case, built in one piece.
Text ReplacePlain(const Text& text, const Text& pattern, const Text& replacement, bool all) {
  Text result;
  result.reserve(text.size() + replacement.size());
  size_t from = 0;
  for (size_t at = text.find(pattern); at != Text::npos; at = text.find(pattern, from)) {
    result.append(text, from, at - from);
    result += replacement;
    from = at + pattern.size();
    if (!all) break;
  }
  result.append(text, from, Text::npos);
  return result;
}

// One replacement step, refused when its result would pass the text limit. Letter case
// only matters when the pattern holds letters; for a pattern without any (digits,
// punctuation) the case-sensitive search finds exactly the same places and saves
// converting the text on every step.
bool ReplaceStep(Text& text, const Text& pattern, const Text& replacement, int flags) {
  if (pattern.empty()) return true;
  const bool all = (flags & kReplaceAll) != 0;
  const bool letters = HasLetter(pattern);
  // Most patterns of a script's filter lists are absent from most texts: one search says so.
  if (!letters && text.find(pattern) == Text::npos) return true;
  const bool grows = replacement.size() > pattern.size();
  if (!letters && !grows) {
    text = ReplacePlain(text, pattern, replacement, all);
    return true;
  }
  const size_t found = letters ? Occurrences(UpperText(text), UpperText(pattern), all)
                               : Occurrences(text, pattern, all);
  if (found == 0) return true;
  if (grows &&
      text.size() + found * (replacement.size() - pattern.size()) > kMaxTextLength) {
    return false;
  }
  text = letters ? ReplaceText(text, pattern, replacement, flags)
                 : ReplacePlain(text, pattern, replacement, all);
  return true;
}

bool Replace(TCall& c, TValue& r) {
  if (c.Count != 3 && c.Count != 4) return false;
  int flags = kReplaceAll | kReplaceIgnoreCase;
  bool all = true;
  if (c.Count == 4 && !ToTruth(c.Arg(3), all)) return false;
  if (!all) flags = kReplaceIgnoreCase;
  const TValue& patterns = c.Arg(1);
  const Text replacement = ToText(c.Arg(2));
  if (patterns.Kind == TValueKind::Array && patterns.Array->Items.empty()) {
    r = std::move(c.Own(0));
    return true;
  }
  Text text = TakeText(c.Own(0));
  if (patterns.Kind != TValueKind::Array) {
    if (!ReplaceStep(text, ToText(patterns), replacement, flags)) return false;
  } else {
    for (const TValue& pattern : patterns.Array->Items) {
      if (!ReplaceStep(text, ToText(pattern), replacement, flags)) return false;
    }
  }
  r = TextValue(std::move(text));
  return true;
}

bool IntegerArgument(const TCall& c, size_t index, int32_t& number) {
  long double value = 0;
  if (IsNumeric(c.Arg(index))) ToNumber(c.Arg(index), value);
  return RoundToInt(value, number);
}

bool Midstr(TCall& c, TValue& r) {
  if (c.Count != 2 && c.Count != 3) return false;
  int32_t start = 0;
  int32_t count = INT32_MAX;
  if (!IntegerArgument(c, 1, start)) return false;
  if (c.Count == 3 && !IntegerArgument(c, 2, count)) return false;
  r = TextValue(MidText(ToText(c.Arg(0)), start, count));
  return true;
}

bool Array(TCall& c, TValue& r) {
  std::vector<TValue> items;
  items.reserve(c.Count);
  for (size_t i = 0; i < c.Count; ++i) items.push_back(std::move(c.Own(i)));
  r = ArrayValue(std::move(items));
  return r.Array->Depth <= kMaxArrayDepth && r.Array->Weight <= kMaxArrayWeight;
}

// Register m, then element k - 1 of it for each further index k.
bool Result(TCall& c, TValue& r) {
  TMathParser& engine = c.Engine;
  int32_t m = 0;
  if (!RoundToInt(c.X, m)) return false;
  if (m < 1 || m > std::min<int32_t>(kRegisterCount, engine.RegisterCount)) {
    r = ErrorValue();
    return true;
  }
  TValue value = engine.Registers[m - 1];
  for (size_t i = 1; i < c.Items.size(); ++i) {
    int32_t k = 0;
    if (!RoundToInt(c.Items[i], k) || value.Kind != TValueKind::Array) return false;
    if (k < 1 || static_cast<size_t>(k) > value.Array->Items.size()) return false;
    value = TValue(value.Array->Items[k - 1]);
  }
  r = value;
  return true;
}

using THandler = bool (*)(TCall&, TValue&);

THandler Handler(TOperatorCode op) {
  switch (op) {
    case kOpResult: return Result;
    case kOpSin: return Sin;
    case kOpCos: return Cos;
    case kOpTan: return Tan;
    case kOpCotan: return Cotan;
    case kOpArcsin: return Arcsin;
    case kOpArccos: return Arccos;
    case kOpArctan: return Arctan;
    case kOpArccot: return Arccot;
    case kOpLn: return Ln;
    case kOpLog10: return Log10;
    case kOpLog2: return Log2;
    case kOpExp: return Exp;
    case kOpLog: return Log;
    case kOpPi: return Pi;
    case kOpPoly: return Poly;
    case kOpMin: return Min;
    case kOpMax: return Max;
    case kOpMean: return Mean;
    case kOpSum: return Sum;
    case kOpRoot: return Root;
    case kOpSign: return Sign;
    case kOpAbs: return Abs;
    case kOpSqr: return Sqr;
    case kOpSqrt: return Sqrt;
    case kOpCstr: case kOpString: return Cstr;
    case kOpIsReal: return IsReal;
    case kOpIsVirtual: return IsVirtual;
    case kOpIsString: return IsString;
    case kOpTrue: return True;
    case kOpFalse: return False;
    case kOpIfThen: return IfThen;
    case kOpOptions: return Options;
    case kOpLen: return Len;
    case kOpLcase: return Lcase;
    case kOpUcase: return Ucase;
    case kOpTrim: return Trim;
    case kOpPos: return Pos;
    case kOpReplace: return Replace;
    case kOpMidstr: return Midstr;
    case kOpArray: return Array;
    default: return nullptr;
  }
}

}  // namespace

bool UsesItemList(TOperatorCode op) {
  switch (op) {
    case kOpLog: case kOpPoly: case kOpMin: case kOpMax: case kOpMean: case kOpSum:
    case kOpRoot: case kOpResult:
      return true;
    default:
      return false;
  }
}

// Names of one argument take exactly one (options also none); the others check their
// own arguments.
bool ComputeBuiltin(TCall& call, TValue& result) {
  THandler handler = Handler(call.Op);
  if (handler == nullptr) return false;
  const int32_t arity = OperatorInfo(call.Op).Arity;
  if (arity == 1 && call.Op != kOpOptions && !SingleArgument(call)) return false;
  return handler(call, result);
}

bool StoreNumber(long double number, TValue& result) {
  if (!std::isfinite(number)) return false;
  double stored = static_cast<double>(number);
  if (!std::isfinite(stored)) return false;
  result = NumberValue(stored);
  return true;
}

bool RoundToInt(long double number, int32_t& result) {
  long double rounded = std::nearbyint(number);
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return false;
  result = static_cast<int32_t>(rounded);
  return true;
}

namespace {

// x to an integral power by squaring; a negative power divides, failing for x = 0.
bool IntegerPower(long double x, int64_t exponent, long double& result) {
  bool invert = exponent < 0;
  uint64_t n = static_cast<uint64_t>(invert ? -exponent : exponent);
  long double power = 1;
  long double factor = x;
  while (n > 0) {
    if (n & 1) power *= factor;
    factor *= factor;
    n >>= 1;
  }
  if (invert) {
    if (power == 0) return false;
    power = 1 / power;
  }
  result = power;
  return std::isfinite(result);
}

}  // namespace

bool Power(long double x, long double y, long double& result) {
  if (y == 0) {
    result = 1;
    return true;
  }
  if (x == 0 && y > 0) {
    result = 0;
    return true;
  }
  if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0L) {
    return IntegerPower(x, static_cast<int64_t>(y), result);
  }
  if (x <= 0) return false;
  result = std::exp(y * std::log(x));
  return std::isfinite(result);
}
