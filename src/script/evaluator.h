// The evaluator: runs a statement's postfix code on a stack of values, resolving names
// through the statement store and applying operators and built-ins through one dispatcher
// that turns every failure into a diagnostic and the value 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "script/compiler.h"
#include "script/values.h"

class TMathParser;

// Values and call marks one evaluation may hold waiting at once: enough for any
// expression a user writes, and a bound on what a hostile line can make the engine hold.
constexpr size_t kMaxStackValues = 100;
constexpr size_t kMaxPendingMarks = 100;
// Nested lookups of function definitions (a definition that refers to itself, directly
// or through others, stops here instead of exhausting the machine stack).
constexpr int32_t kMaxDefinitionDepth = 16;
// Tokens of function definitions evaluated in one run: far more than definitions that help
// format a status need, while definitions that each read another several times would
// otherwise multiply into billions of evaluations.
constexpr int32_t kMaxDefinitionTokens = 20000;

TValue Evaluate(TMathParser& engine, const TProgram& program, bool& errorFlag);
TValue EvaluateDefinition(TMathParser& engine, int32_t index);
TValue GetValue(TMathParser& engine, const Text& name);
TValue ApplyOperator(TMathParser& engine, TOperatorCode op, TValue* arguments,
                     size_t count);
