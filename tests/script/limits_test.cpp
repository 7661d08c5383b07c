// What no script may do to the engine: overflow its stacks, recurse without end, loop in
// the compiler, or grow texts and arrays without bound. Each limit ends in a diagnostic and
// a fallback value, and the run goes on.
#include <gtest/gtest.h>

#include "script/builtins.h"
#include "script/evaluator.h"
#include "script/messages.h"
#include "script_helpers.h"

namespace {

Text NumberList(size_t count) {
  Text list;
  for (size_t i = 1; i <= count; ++i) list += (i > 1 ? ";" : "") + std::to_string(i);
  return list;
}

TEST(Limits, AHundredValuesFitAndOneMoreStopsTheStatement) {
  TOutcome fits = RunExpression("len(array(" + NumberList(kMaxStackValues) + "))");
  EXPECT_TRUE(fits.Diagnostics.empty());
  EXPECT_NE(fits.Value, "Error");
  const Text expression = "array(" + NumberList(kMaxStackValues + 1) + ")";
  TOutcome over = RunScriptText("x=" + expression + "\r\ny=1", "x");
  EXPECT_EQ(over.Value, "Error");
  EXPECT_FALSE(over.RunResult);
  ASSERT_EQ(over.Diagnostics.size(), 1u);
  EXPECT_EQ(over.Diagnostics[0], FormatMessage(kTextStackFull, {expression, "100"}));
}

TEST(Limits, MarksBeyondAHundredStopTheStatement) {
  TCollectingEngine test;
  test.Engine.AddLine("x=1");
  TFormula formula = GetFormula(test.Engine.Statements, 0);
  formula.Code.clear();
  for (size_t i = 0; i <= kMaxPendingMarks; ++i) formula.Code += Text("{\0", 2);
  SetFormula(test.Engine.Statements, 0, formula);
  EXPECT_FALSE(test.Engine.Run());
  EXPECT_EQ(VariableText(test.Engine, "x"), "Error");
  ASSERT_EQ(test.Diagnostics.size(), 1u);
  EXPECT_EQ(test.Diagnostics[0], FormatMessage(kTextStackFull, {"1", "100"}));
}

TEST(Limits, DefinitionsReferringToEachOtherStopAtABoundedDepth) {
  TOutcome outcome = RunScriptText("p()=1\r\nq()=p\r\np()=q\r\nx=p", "x");
  EXPECT_EQ(outcome.Value, "Error");
  ASSERT_FALSE(outcome.Diagnostics.empty());
  const Text deep = FormatMessage(kTextTooDeep, {"p", std::to_string(kMaxDefinitionDepth)});
  const Text deepQ = FormatMessage(kTextTooDeep, {"q", std::to_string(kMaxDefinitionDepth)});
  EXPECT_TRUE(outcome.Diagnostics.back() == deep || outcome.Diagnostics.back() == deepQ);
  TOutcome direct = RunScriptText("f()=0\r\nf()=f\r\nx=f", "x");
  EXPECT_EQ(direct.Value, "Error");
  EXPECT_EQ(direct.Diagnostics.back(),
            FormatMessage(kTextTooDeep, {"f", std::to_string(kMaxDefinitionDepth)}));
}

// Every definition reads the one before twice: 2^14 lookups of 4 tokens for the last one.
TEST(Limits, DefinitionLookupsPerRunAreBudgeted) {
  Text script = "f0()=1";
  for (int i = 1; i <= 14; ++i) {
    script += "\r\nf" + std::to_string(i) + "()=f" + std::to_string(i - 1) + "+f" +
              std::to_string(i - 1);
  }
  script += "\r\nx=f14";
  TOutcome outcome = RunScriptText(script, "x");
  const Text budget = FormatMessage(kTextTooManyCalls, {"", std::to_string(kMaxDefinitionTokens)});
  const Text ending = budget.substr(budget.find("функции"));
  int reported = 0;
  for (const Text& message : outcome.Diagnostics) {
    reported += message.find(ending) != Text::npos ? 1 : 0;
  }
  EXPECT_EQ(reported, 1);
  EXPECT_EQ(RunScriptText("f()=1\r\ng()=f+f\r\nx=g", "x").Value, "2");
}

TEST(Limits, TextsStopGrowingAtTheLimit) {
  Text script = "s=\"" + Text(1024, 'a') + "\"";
  for (int i = 0; i < 6; ++i) script += "\r\ns=s+s";
  script += "\r\nlength=len(s)\r\nbig=replace(s; \"a\"; \"aa\")";
  TOutcome outcome = RunScriptText(script, "length");
  EXPECT_EQ(outcome.Value, std::to_string(kMaxTextLength));
  ASSERT_EQ(outcome.Diagnostics.size(), 1u);
  EXPECT_EQ(outcome.Diagnostics[0], OperatorFailure("replace", "replace(s; \"a\"; \"aa\")"));
  TOutcome last = RunScriptText(script + "\r\ns=s+s", "s");
  EXPECT_EQ(last.Value, "0");
}

TEST(Limits, ArraysNestOnlySoDeep) {
  Text script = "a=1";
  for (int32_t i = 0; i < kMaxArrayDepth; ++i) script += "\r\na=array(a)";
  TOutcome deepest = RunScriptText(script, "a");
  EXPECT_EQ(deepest.Value.substr(0, 2), "[[");
  EXPECT_TRUE(deepest.Diagnostics.empty());
  TOutcome over = RunScriptText(script + "\r\na=array(a)", "a");
  EXPECT_EQ(over.Value, "0");
  EXPECT_EQ(over.Diagnostics.size(), 1u);
}

TEST(Limits, VectWithoutBracketsIsPassedOver) {
  EXPECT_EQ(CalcForm("Vect;Vect;Vect(1)"), "Vect;Vect;1");
  EXPECT_EQ(CalcForm("VeVect(ct(2))"), "2");
  EXPECT_EQ(CalcForm(Text(5000, 'v') + "ect"), Text(5000, 'v') + "ect");
}

TEST(Limits, InvalidNumberTokensGiveErrorAndTheRunGoesOn) {
  const std::vector<Text> tokens = {".", "1.2.3", "..", Text(400, '9')};
  for (const Text& token : tokens) {
    TOutcome outcome = RunScriptText("x=" + token + "\r\ny=2", "y");
    EXPECT_EQ(outcome.Value, "2") << token;
    ASSERT_EQ(outcome.Diagnostics.size(), 1u) << token;
    EXPECT_EQ(outcome.Diagnostics[0], FormatMessage(kTextBadNumber, {token, token}));
    EXPECT_EQ(RunExpression(token).Value, "Error") << token;
  }
}

TEST(Limits, AThrowingHookDoesNotStopTheRun) {
  TMathParser engine;
  engine.DiagnosticHook = [](TMathParser&, const Text&) -> bool { throw 1; };
  engine.AddScript("x=(1\r\ny=1/0\r\nz=3");
  EXPECT_TRUE(engine.Run());
  EXPECT_EQ(VariableText(engine, "y"), "0");
  EXPECT_EQ(VariableText(engine, "z"), "3");
}

}  // namespace
