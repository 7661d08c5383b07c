// The script language's library of built-in functions, computed by the dispatcher after
// it has pre-read the numeric arguments.
#pragma once

#include <cstddef>
#include <vector>

#include "script/compiler.h"
#include "script/values.h"

class TMathParser;

// One call as the dispatcher hands it over: the arguments (the call's own, which it may
// take apart: they are dropped after it), the first two read as numbers
// when they are numbers or truth values (0 otherwise), and for the numeric functions of
// any arity the item list.
struct TCall {
  TMathParser& Engine;
  TOperatorCode Op;
  TValue* Args;
  size_t Count;
  long double X = 0;
  long double Y = 0;
  std::vector<long double> Items;
  // Argument i as it reads, whether it stands on the stack or is a statement's value.
  const TValue& Arg(size_t i) const { return Args[i].Ref ? *Args[i].Ref : Args[i]; }
  // Argument i as the call's own value, to take apart or keep.
  TValue& Own(size_t i) {
    if (Args[i].Ref) Args[i] = TValue(*Args[i].Ref);
    return Args[i];
  }
};

// Texts longer than this are refused: a status line is a few hundred characters and a
// tag value at most 1,024, while a script doubling a text in a few lines would otherwise
// exhaust memory.
constexpr size_t kMaxTextLength = 64 * 1024;
// Arrays nest at most this deep and hold at most this many bytes of text in all, so that
// converting or freeing one stays cheap whatever a script builds.
constexpr int32_t kMaxArrayDepth = 32;
constexpr size_t kMaxArrayWeight = 16 * kMaxTextLength;

bool UsesItemList(TOperatorCode op);
bool ComputeBuiltin(TCall& call, TValue& result);

// Shared with the operators: the 80-bit result stored as a 64-bit number, failing when it
// is not finite in either form (division by zero, invalid operation, overflow).
bool StoreNumber(long double number, TValue& result);
bool Power(long double x, long double y, long double& result);
bool RoundToInt(long double number, int32_t& result);
