// The line compiler: splits a script line into comment, marker, name and expression,
// rewrites the expression outside its text literals, and turns it into postfix code.
// It also owns the one table of operator and built-in names that the evaluator shares.
#pragma once

#include <cstdint>
#include <vector>

#include "support/text.h"

struct TFormula;

// Codes of the operator table, in the table's order.
enum TOperatorCode : int16_t {
  kOpNone = -1,
  kOpPlus, kOpMinus, kOpTimes, kOpDivide, kOpPower, kOpResult,
  kOpSin, kOpCos, kOpTan, kOpCotan, kOpArcsin, kOpArccos, kOpArctan, kOpArccot,
  kOpLn, kOpLog10, kOpLog2, kOpExp, kOpLog, kOpPi,
  kOpPoly, kOpMin, kOpMax, kOpMean, kOpSum, kOpRoot,
  kOpSign, kOpAbs, kOpSqr, kOpSqrt,
  kOpCstr, kOpString, kOpIsReal, kOpIsVirtual, kOpIsString, kOpTrue, kOpFalse,
  kOpIfThen, kOpOptions, kOpLen, kOpLcase, kOpUcase, kOpTrim, kOpPos,
  kOpReplace, kOpMidstr, kOpEqual, kOpGreater, kOpLess, kOpAnd, kOpOr,
  kOpNot, kOpIn, kOpArray,
  kOperatorCount
};

constexpr int32_t kAnyArity = -1;

struct TOperatorInfo {
  const char* Name;
  int32_t Arity;
  int32_t Precedence;
};

const TOperatorInfo& OperatorInfo(TOperatorCode code);
// The code of a name of the table (compared exactly), or kOpNone.
TOperatorCode FindOperator(const Text& name);

enum class TTokenClass { Name, Identifier, Number, Literal, Mark, Other };

TTokenClass TokenKind(const Text& token);

// What the statement store last answered for an identifier token: the last statement of
// that name, valid while the store's name index is of the same generation.
struct TNameHint {
  int64_t Generation = -1;
  int32_t Last = -1;
};

// One token of compiled code, decoded once so that running it needs no parsing.
struct TCodeToken {
  TTokenClass Class = TTokenClass::Other;
  TOperatorCode Op = kOpNone;
  // A mark that opens the argument list of a call; the marks of grouping brackets and of
  // bracketed binary names are not.
  bool CallMark = true;
  // A call written with brackets of its own; without them (not b, sin x) it takes the
  // one value on top.
  bool Bracketed = true;
  bool NumberValid = false;
  double Number = 0;
  Text Str;  // identifier name, literal text with its quotes undone, or the number as written
  mutable TNameHint Hint;
};

struct TProgram {
  Text Code;
  std::vector<TCodeToken> Tokens;
};

// More operators and brackets waiting at once than this make the expression uncompilable:
// no sensible status line comes near it, and it bounds the compiler's memory.
constexpr size_t kMaxPendingOperators = 100;

constexpr char kQuote = '"';

void FindQuoted(const Text& text, char quote, int32_t start, int32_t& first, int32_t& last);
void SplitQuoted(const Text& text, char quote, int32_t start, TRLSResult& result);
int32_t PosOutsideQuotes(const Text& text, const Text& delimiter, char quote, int32_t start);
void SplitOutsideQuotes(const Text& text, const Text& delimiter, char quote, int32_t start,
                        TRLSResult& result);

bool Compile(const Text& line, TFormula& formula);
Text CalcForm(const Text& expression);
Text DisplayForm(const Text& expression);
Text ToPostfix(const Text& calcText);
// The code of a calculation form together with its decoded tokens; the compiler knows
// which marks belong to calls, so these tokens carry it.
TProgram CompileProgram(const Text& calcText);
// Tokens of code that did not come from CompileProgram: every mark counts as a call's.
TProgram DecodeCode(const Text& code);
// A text literal as written, quotes included, turned into the text it stands for.
Text LiteralText(const Text& literal);
