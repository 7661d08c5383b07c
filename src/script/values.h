// Script values and their conversions, the statement record TFormula, and the statement
// store TStack, which doubles as the variable store: a variable is the most recent
// statement of that name that holds a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "script/compiler.h"
#include "support/text.h"

class TMathParser;

enum class TValueKind { Empty, Number, Text, Truth, Array };

struct TValue;

// Arrays are never changed once built, so values share them instead of copying.
struct TArrayData {
  std::vector<TValue> Items;
  int32_t Depth = 1;  // 1 for an array of plain values, 2 when an element is such an array...
  size_t Weight = 0;  // bytes of text held by the array and its nested arrays
};

struct TValue {
  TValueKind Kind = TValueKind::Empty;
  bool Integer = false;  // a number made by an integer operation (len, pos, sign...)
  bool Truth = false;
  double Number = 0;
  Text Str;
  std::shared_ptr<const TArrayData> Array;
};

TValue EmptyValue();
TValue NumberValue(double number);
TValue IntegerValue(int64_t number);
TValue TextValue(Text text);
TValue TruthValue(bool truth);
TValue ArrayValue(std::vector<TValue> items);
// The value the engine gives wherever a result cannot be computed.
TValue ErrorValue();

bool IsNumeric(const TValue& value);  // a number or a truth value
bool IsEmpty(const TValue& value);

// Conversions as the script sees them; false means the operation asking for it fails.
bool ToNumber(const TValue& value, long double& number);
bool ToTruth(const TValue& value, bool& truth);
Text ToText(const TValue& value);
bool ValueToText(const TValue& value, Text& text);

// The general number format: integers as digits, other numbers with at most 15
// significant digits, fixed or scientific as their magnitude asks.
Text NumberText(double number, bool integer, char decimalSeparator);
// A text read as a number with the given decimal separator, as the user's locale writes it.
bool ReadLocaleNumber(const Text& text, char decimalSeparator, long double& number);
char LocaleDecimalSeparator();

struct TFormula {
  int32_t Index = 0;
  int32_t Kind = 0;  // 0 assignment, 1 function definition, 2 bare expression
  Text Name;
  Text Expression;
  Text Comment;
  Text DisplayText;
  Text Spare;
  Text CalcText;
  Text Code;
  Text ErrorText;
  TValue Value;
  Text Prefix;
  int32_t Flags = 0;
};

constexpr int32_t kKindAssignment = 0;
constexpr int32_t kKindFunction = 1;
constexpr int32_t kKindExpression = 2;

// One statement of the store with its code ready to run.
struct TStackData {
  TFormula Formula;
  TProgram Program;
};

struct TStack {
  std::vector<TStackData> Items;
  TMathParser* Owner = nullptr;
};

int32_t StatementCount(const TStack& stack);
bool IsStatement(const TStack& stack, int32_t index);
void SetStatement(TStack& stack, const TFormula& formula, int32_t index);
int32_t FindByName(const TStack& stack, const Text& name);
TValue ValueAt(TStack& stack, int32_t index);
TFormula GetFormula(const TStack& stack, int32_t index);
void SetFormula(TStack& stack, int32_t index, const TFormula& formula);
void SetValue(TStack& stack, int32_t index, const TValue& value);
void ClearStatements(TStack& stack);
