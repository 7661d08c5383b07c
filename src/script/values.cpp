// Script values, their conversions, and the statement store.
#include "script/values.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "script/evaluator.h"
#include "script/math_parser.h"
#include "script/messages.h"
#include "support/system.h"

TValue EmptyValue() {
  return TValue();
}

TValue NumberValue(double number) {
  TValue value;
  value.Kind = TValueKind::Number;
  value.Number = number;
  return value;
}

TValue IntegerValue(int64_t number) {
  TValue value = NumberValue(static_cast<double>(number));
  value.Integer = true;
  return value;
}

TValue TextValue(Text text) {
  TValue value;
  value.Kind = TValueKind::Text;
  value.Str = std::move(text);
  return value;
}

TValue TruthValue(bool truth) {
  TValue value;
  value.Kind = TValueKind::Truth;
  value.Truth = truth;
  return value;
}

TValue ArrayValue(std::vector<TValue> items) {
  auto data = std::make_shared<TArrayData>();
  for (const TValue& item : items) {
    data->Weight += item.Str.size();
    if (item.Kind != TValueKind::Array) continue;
    data->Weight += item.Array->Weight;
    data->Depth = std::max(data->Depth, item.Array->Depth + 1);
  }
  data->Items = std::move(items);
  TValue value;
  value.Kind = TValueKind::Array;
  value.Array = std::move(data);
  return value;
}

TValue ErrorValue() {
  return TextValue(kTextError);
}

bool IsNumeric(const TValue& value) {
  return value.Kind == TValueKind::Number || value.Kind == TValueKind::Truth;
}

bool IsEmpty(const TValue& value) {
  return value.Kind == TValueKind::Empty;
}

char LocaleDecimalSeparator() {
  return SysLocaleChar(kLocaleDecimal, '.');
}

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Copies a run of digits to `out`; answers how many there were.
size_t CopyDigits(const Text& text, size_t& i, Text& out) {
  size_t start = i;
  while (i < text.size() && IsDigit(text[i])) out += text[i++];
  return i - start;
}

void SkipBlanks(const Text& text, size_t& i) {
  while (i < text.size() && text[i] == ' ') ++i;
}

// Rewrites a number as the locale writes it (blanks around it allowed, a sign, digits,
// the decimal separator, an exponent) into the C form; false when it is none.
bool NormaliseNumber(const Text& text, char separator, Text& out) {
  size_t i = 0;
  SkipBlanks(text, i);
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') out += '-';
    ++i;
  }
  size_t digits = CopyDigits(text, i, out);
  if (i < text.size() && text[i] == separator) {
    out += '.';
    ++i;
    digits += CopyDigits(text, i, out);
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    out += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
    if (CopyDigits(text, i, out) == 0) return false;
  }
  SkipBlanks(text, i);
  return i == text.size();
}

bool SameAsciiText(const Text& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return i == a.size() && b[i] == '\0';
}

constexpr int kSignificantDigits = 15;
// Fixed notation is used from this decimal exponent on (magnitude 0.00001)...
constexpr int kSmallestFixedExponent = -5;

struct TDecimal {
  bool Negative = false;
  Text Digits;  // significant digits without trailing zeros
  int Exponent = 0;
};

// The number rounded to 15 significant digits. The digits are taken from the C library's
// scientific form, whatever decimal point the library's locale would print.
TDecimal ToDecimal(double number) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, number);
  TDecimal decimal;
  const char* p = buffer;
  if (*p == '-') {
    decimal.Negative = true;
    ++p;
  }
  for (; *p != '\0' && *p != 'e' && *p != 'E'; ++p) {
    if (IsDigit(*p)) decimal.Digits += *p;
  }
  if (*p != '\0') decimal.Exponent = std::atoi(p + 1);
  while (decimal.Digits.size() > 1 && decimal.Digits.back() == '0') decimal.Digits.pop_back();
  return decimal;
}

Text FixedText(const TDecimal& d, char separator) {
  Text digits = d.Digits;
  if (d.Exponent < 0) return "0" + Text(1, separator) + Text(-d.Exponent - 1, '0') + digits;
  size_t whole = static_cast<size_t>(d.Exponent) + 1;
  if (digits.size() <= whole) return digits + Text(whole - digits.size(), '0');
  return digits.substr(0, whole) + separator + digits.substr(whole);
}

Text ScientificText(const TDecimal& d, char separator) {
  Text text = d.Digits.substr(0, 1);
  if (d.Digits.size() > 1) text += separator + d.Digits.substr(1);
  return text + "E" + std::to_string(d.Exponent);
}

Text PlainText(const TValue& value, char separator);

Text ArrayText(const TArrayData& array, char separator) {
  Text text = "[";
  for (size_t i = 0; i < array.Items.size(); ++i) {
    if (i > 0) text += "; ";
    text += PlainText(array.Items[i], separator);
  }
  return text + "]";
}

Text PlainText(const TValue& value, char separator) {
  switch (value.Kind) {
    case TValueKind::Empty: return Text();
    case TValueKind::Number: return NumberText(value.Number, value.Integer, separator);
    case TValueKind::Truth: return value.Truth ? "True" : "False";
    case TValueKind::Text: return value.Str;
    case TValueKind::Array: return ArrayText(*value.Array, separator);
  }
  return Text();
}

}  // namespace

Text NumberText(double number, bool integer, char decimalSeparator) {
  if (number == 0) return "0";
  if (integer && std::fabs(number) < 1e18) return std::to_string(static_cast<int64_t>(number));
  TDecimal decimal = ToDecimal(number);
  bool fixed = decimal.Exponent < kSignificantDigits && decimal.Exponent >= kSmallestFixedExponent;
  Text text = fixed ? FixedText(decimal, decimalSeparator) : ScientificText(decimal, decimalSeparator);
  return decimal.Negative ? "-" + text : text;
}

bool ReadLocaleNumber(const Text& text, char decimalSeparator, long double& number) {
  Text normal;
  if (!NormaliseNumber(text, decimalSeparator, normal)) return false;
  double parsed = 0;
  const char* end = normal.data() + normal.size();
  auto outcome = std::from_chars(normal.data(), end, parsed);
  if (outcome.ec != std::errc() || outcome.ptr != end) return false;
  number = parsed;
  return true;
}

bool ToNumber(const TValue& value, long double& number) {
  switch (value.Kind) {
    case TValueKind::Empty: number = 0; return true;
    case TValueKind::Number: number = value.Number; return true;
    case TValueKind::Truth: number = value.Truth ? -1 : 0; return true;
    case TValueKind::Text: return ReadLocaleNumber(value.Str, LocaleDecimalSeparator(), number);
    case TValueKind::Array: return false;
  }
  return false;
}

bool ToTruth(const TValue& value, bool& truth) {
  long double number = 0;
  switch (value.Kind) {
    case TValueKind::Empty: truth = false; return true;
    case TValueKind::Number: truth = value.Number != 0; return true;
    case TValueKind::Truth: truth = value.Truth; return true;
    case TValueKind::Array: return false;
    case TValueKind::Text: break;
  }
  if (SameAsciiText(value.Str, "True") || SameAsciiText(value.Str, "False")) {
    truth = SameAsciiText(value.Str, "True");
    return true;
  }
  if (!ReadLocaleNumber(value.Str, LocaleDecimalSeparator(), number)) return false;
  truth = number != 0;
  return true;
}

Text ToText(const TValue& value) {
  if (value.Kind == TValueKind::Text) return value.Str;
  return PlainText(value, LocaleDecimalSeparator());
}

Text TakeText(TValue& value) {
  if (value.Kind == TValueKind::Text) return std::move(value.Str);
  return ToText(value);
}

bool ValueToText(const TValue& value, Text& text) {
  if (value.Kind == TValueKind::Text) {
    text = value.Str;
    return true;
  }
  if (value.Kind == TValueKind::Array) {
    if (value.Array->Items.empty() || value.Array->Depth > 1) return false;
  }
  text = ReplaceText(PlainText(value, '.'), ",", ".", kReplaceAll | kReplaceIgnoreCase);
  return true;
}

// The statement store.

int32_t StatementCount(const TStack& stack) {
  return static_cast<int32_t>(stack.Items.size());
}

bool IsStatement(const TStack& stack, int32_t index) {
  return index >= 0 && index < StatementCount(stack);
}

namespace {

int64_t gNameGeneration = 0;

void RebuildNames(const TStack& stack) {
  TNameIndex& names = stack.Names;
  names.Generation = ++gNameGeneration;
  names.Last.clear();
  names.Previous.assign(stack.Items.size(), -1);
  for (int32_t i = 0; i < StatementCount(stack); ++i) {
    auto [entry, added] = names.Last.try_emplace(stack.Items[i].Formula.Name, i);
    if (!added) {
      names.Previous[i] = entry->second;
      entry->second = i;
    }
  }
  names.Valid = true;
}

// A statement takes a name (index < 0: it is appended): the index is rebuilt at the next
// lookup unless the name stays what it was.
void NoteName(TStack& stack, int32_t index, const Text& name) {
  if (index >= 0 && stack.Items[index].Formula.Name == name) return;
  stack.Names.Valid = false;
}

}  // namespace

void SetStatement(TStack& stack, const TFormula& formula, int32_t index) {
  if (index >= StatementCount(stack)) return;
  NoteName(stack, index, formula.Name);
  TStackData data;
  data.Formula = formula;
  TFormula& stored = data.Formula;
  stored.DisplayText = DisplayForm(stored.Expression);
  stored.CalcText = CalcForm(stored.Expression);
  data.Program = CompileProgram(stored.CalcText);
  stored.Code = data.Program.Code;
  stored.Index = index < 0 ? StatementCount(stack) : index;
  const bool failed = stored.Code == kTextError;
  const Text expression = stored.Expression;
  if (index < 0) stack.Items.push_back(std::move(data));
  else stack.Items[index] = std::move(data);
  if (failed && stack.Owner) stack.Owner->AddError(FormatMessage(kTextSyntaxError, {expression}));
}

int32_t FindByName(const TStack& stack, const Text& name) {
  TNameHint hint;
  return FindByName(stack, name, hint);
}

int32_t FindByName(const TStack& stack, const Text& name, TNameHint& hint) {
  if (!stack.Names.Valid) RebuildNames(stack);
  if (hint.Generation != stack.Names.Generation) {
    auto entry = stack.Names.Last.find(name);
    hint.Last = entry == stack.Names.Last.end() ? -1 : entry->second;
    hint.Generation = stack.Names.Generation;
  }
  for (int32_t i = hint.Last; i >= 0; i = stack.Names.Previous[i]) {
    if (!IsEmpty(stack.Items[i].Formula.Value)) return i;
  }
  return -1;
}

TValue ValueAt(TStack& stack, int32_t index) {
  if (!IsStatement(stack, index)) return EmptyValue();
  const TFormula& formula = stack.Items[index].Formula;
  if (formula.Kind == kKindAssignment) return formula.Value;
  if (formula.Kind == kKindFunction && !formula.Name.empty() && stack.Owner) {
    return EvaluateDefinition(*stack.Owner, index);
  }
  return EmptyValue();
}

TFormula GetFormula(const TStack& stack, int32_t index) {
  return IsStatement(stack, index) ? stack.Items[index].Formula : TFormula();
}

// Keeps the decoded code in step with the Code text: the compiler's own tokens when the
// code is what the calculation form compiles to, otherwise the code read as it stands.
void SetFormula(TStack& stack, int32_t index, const TFormula& formula) {
  if (!IsStatement(stack, index)) return;
  NoteName(stack, index, formula.Name);
  TStackData& data = stack.Items[index];
  data.Formula = formula;
  data.HasCleanLine = false;
  if (data.Program.Code == formula.Code) return;
  data.Program = CompileProgram(formula.CalcText);
  if (data.Program.Code != formula.Code) data.Program = DecodeCode(formula.Code);
}

void SetValue(TStack& stack, int32_t index, const TValue& value) {
  if (IsStatement(stack, index)) stack.Items[index].Formula.Value = value;
}

void ClearStatements(TStack& stack) {
  stack.Items.clear();
  stack.Names.Valid = false;
}
