// Script values and their conversions, the statement record TFormula, and the statement
// store TStack, which doubles as the variable store: a variable is the most recent
// statement of that name that holds a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
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
  // Only on the evaluator's stack: the value is the stored value of a statement, read in
  // place instead of copied (the other fields are unused). See TCall::Arg and Own.
  const TValue* Ref = nullptr;
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
// ToText of a value that is about to be dropped: its text is moved out, not copied.
Text TakeText(TValue& value);
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

// One statement of the store with its code ready to run, and the line it was compiled
// from when that compilation reported nothing (the update cycle stores the same 21 lines
// tick after tick, and such a line needs no compiling again).
struct TStackData {
  TFormula Formula;
  TProgram Program;
  Text CleanLine;
  bool HasCleanLine = false;
};

// Statements by name, so that a lookup visits only the statements of that name: the
// last statement of each name, and for each statement the one of its name before it.
struct TNameIndex {
  bool Valid = false;
  int64_t Generation = -1;  // unique to each rebuild in any store
  std::unordered_map<Text, int32_t> Last;
  std::vector<int32_t> Previous;
};

struct TStack {
  std::vector<TStackData> Items;
  TMathParser* Owner = nullptr;
  mutable TNameIndex Names;
};

int32_t StatementCount(const TStack& stack);
bool IsStatement(const TStack& stack, int32_t index);
void SetStatement(TStack& stack, const TFormula& formula, int32_t index);
int32_t FindByName(const TStack& stack, const Text& name);
// FindByName that keeps the name's place in the index with the token asking.
int32_t FindByName(const TStack& stack, const Text& name, TNameHint& hint);
TValue ValueAt(TStack& stack, int32_t index);
TFormula GetFormula(const TStack& stack, int32_t index);
void SetFormula(TStack& stack, int32_t index, const TFormula& formula);
void SetValue(TStack& stack, int32_t index, const TValue& value);
void ClearStatements(TStack& stack);
