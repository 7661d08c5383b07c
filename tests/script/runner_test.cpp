// The runner: feeding lines, running, diagnostics and their texts.
#include <gtest/gtest.h>

#include "script_helpers.h"

namespace {

TEST(Runner, AddScriptNumbersStatementsNotLines) {
  TCollectingEngine test;
  test.Engine.AddScript("a=1\r\n\r\n// note\r\nb=2\rc=3\nd=4\r\n");
  const TStack& store = test.Engine.Statements;
  ASSERT_EQ(StatementCount(store), 4);
  const char* names[] = {"a", "b", "c", "d"};
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(store.Items[i].Formula.Index, i);
    EXPECT_EQ(store.Items[i].Formula.Name, names[i]);
  }
  EXPECT_EQ(test.Engine.Current, 3);
  test.Engine.AddScript(Text("e=5\r\nf=6\0g=7", 12));
  EXPECT_EQ(StatementCount(store), 6);
}

TEST(Runner, ExitEndsTheRunAndLaterStatementsKeepNoValue) {
  TCollectingEngine test;
  test.Engine.AddScript("a=1\r\nexit\r\nb=2");
  EXPECT_TRUE(test.Engine.Run());
  EXPECT_EQ(VariableText(test.Engine, "a"), "1");
  EXPECT_EQ(FindByName(test.Engine.Statements, "b"), -1);
  EXPECT_EQ(VariableText(test.Engine, "b"), "");
  EXPECT_EQ(test.Engine.Current, -1);
  EXPECT_TRUE(test.Diagnostics.empty());
}

TEST(Runner, SetLineReplacesAStatementAndAnEmptyTextIsAValue) {
  TCollectingEngine test;
  test.Engine.AddScript("TAGArtist=\"old\"\r\nStatus=TAGArtist+\"!\"");
  EXPECT_TRUE(test.Engine.SetLine("TAGArtist=\"\"", 0));
  EXPECT_EQ(test.Engine.Current, 0);
  test.Engine.Run();
  EXPECT_EQ(FindByName(test.Engine.Statements, "TAGArtist"), 0);
  EXPECT_EQ(VariableText(test.Engine, "Status"), "!");
  EXPECT_TRUE(test.Engine.SetLine("TAGArtist=\"new\"", 0));
  test.Engine.Run();
  EXPECT_EQ(VariableText(test.Engine, "Status"), "new!");
  EXPECT_FALSE(test.Engine.SetLine("// nothing", 0));
  EXPECT_EQ(StatementCount(test.Engine.Statements), 2);
  EXPECT_TRUE(test.Diagnostics.empty());
}

TEST(Runner, SetLineOfAMissingStatementStoresNothing) {
  TCollectingEngine test;
  test.Engine.AddLine("a=1");
  EXPECT_FALSE(test.Engine.SetLine("b=2", 1));
  EXPECT_FALSE(test.Engine.SetLine("b=2", -1));
  EXPECT_EQ(StatementCount(test.Engine.Statements), 1);
  ASSERT_EQ(test.Diagnostics.size(), 2u);
  EXPECT_EQ(test.Diagnostics[0], " строки # 1 нет: заменять нечего");
  test.Engine.Run();
  EXPECT_EQ(VariableText(test.Engine, "a"), "1");
}

TEST(Runner, NamesThatAreNotIdentifiersAreReportedAndStored) {
  const char* lines[] = {"sin=1", "1x=2", "Status =2", "in=3", "a b=4"};
  for (const char* line : lines) {
    TCollectingEngine test;
    EXPECT_TRUE(test.Engine.AddLine(line)) << line;
    TFormula formula;
    Compile(line, formula);
    ASSERT_EQ(test.Diagnostics.size(), 1u) << line;
    EXPECT_EQ(test.Diagnostics[0], " строку '" + formula.Name +
                                       "' нельзя использовать как имя функции или переменной ");
    EXPECT_EQ(StatementCount(test.Engine.Statements), 1);
  }
  TCollectingEngine good;
  good.Engine.AddScript("_x=1\r\nАртист=2\r\nsinx=3");
  EXPECT_TRUE(good.Diagnostics.empty());
}

TEST(Runner, SyntaxErrorIsReportedOnceAndReadsAsErrorAtEveryRun) {
  TCollectingEngine test;
  test.Engine.AddLine("x=(1");
  ASSERT_EQ(test.Diagnostics.size(), 1u);
  EXPECT_EQ(test.Diagnostics[0], " в строке (1 обнаружена ошибка синтаксиса");
  for (int run = 1; run <= 2; ++run) {
    EXPECT_TRUE(test.Engine.Run());
    EXPECT_EQ(VariableText(test.Engine, "x"), "Error");
    ASSERT_EQ(test.Diagnostics.size(), 1u + run);
    EXPECT_EQ(test.Diagnostics.back(), " не найдено значение Error");
  }
}

TEST(Runner, MalformedStatementSetsItsErrorTextAndTellsTheHookNothing) {
  TCollectingEngine test;
  test.Engine.AddScript("a=1\r\nx=1 2");
  EXPECT_FALSE(test.Engine.Run());
  EXPECT_EQ(VariableText(test.Engine, "x"), "Error");
  EXPECT_EQ(GetFormula(test.Engine.Statements, 1).ErrorText, " ошибка в строке # 2 : 1 2");
  EXPECT_EQ(GetFormula(test.Engine.Statements, 0).ErrorText, "");
  EXPECT_TRUE(test.Diagnostics.empty());
}

TEST(Runner, MissingVariableGoesToTheHook) {
  TCollectingEngine test;
  test.Engine.AddLine("x=y");
  EXPECT_TRUE(test.Engine.Run());
  ASSERT_EQ(test.Diagnostics.size(), 1u);
  EXPECT_EQ(test.Diagnostics[0], " не найдено значение y");
  EXPECT_EQ(ToText(test.Engine.GetValue("nothing")), "Error");
  EXPECT_EQ(test.Diagnostics.back(), " не найдено значение nothing");
}

TEST(Runner, OperatorFailureNamesTheOperatorAndTheStatement) {
  TOutcome outcome = RunExpression("\"a\"+1");
  EXPECT_EQ(outcome.Value, "0");
  ASSERT_EQ(outcome.Diagnostics.size(), 1u);
  EXPECT_EQ(outcome.Diagnostics[0],
            "(оператор):  '+'  - неверные параметры (или недопустимое количество)\r\n"
            "(в строке): \"a\"+1");
  EXPECT_TRUE(outcome.RunResult);
}

TEST(Runner, ClearEmptiesTheStoreButKeepsTheOptionNumber) {
  TCollectingEngine test;
  EXPECT_EQ(test.Engine.Current, -1);
  EXPECT_EQ(test.Engine.Options, 0);
  test.Engine.AddScript("x=options(4)");
  test.Engine.Run();
  EXPECT_EQ(test.Engine.Options, 4);
  test.Engine.Clear();
  EXPECT_EQ(StatementCount(test.Engine.Statements), 0);
  EXPECT_EQ(test.Engine.RegisterCount, 0);
  EXPECT_TRUE(test.Engine.Run());
  EXPECT_EQ(test.Engine.Options, 4);
  test.Engine.AddLine("y=options()");
  test.Engine.Run();
  EXPECT_EQ(VariableText(test.Engine, "y"), "4");
  EXPECT_TRUE(test.Diagnostics.empty());
}

TEST(Runner, EveryRunStartsFromEmptyValues) {
  TCollectingEngine test;
  test.Engine.AddScript("x=y\r\ny=1");
  test.Engine.Run();
  test.Engine.Run();
  EXPECT_EQ(VariableText(test.Engine, "x"), "Error");
  EXPECT_EQ(test.Diagnostics.size(), 2u);
}

TEST(Runner, WithoutAHookDiagnosticsAreDroppedAndTheAnswerIgnored) {
  TMathParser engine;
  EXPECT_FALSE(engine.AddError("x"));
  engine.AddScript("x=(1\r\ny=z");
  EXPECT_TRUE(engine.Run());
  engine.DiagnosticHook = [](TMathParser&, const Text&) { return false; };
  EXPECT_FALSE(engine.AddError("x"));
  EXPECT_TRUE(engine.Run());
  EXPECT_EQ(VariableText(engine, "y"), "Error");
}

TEST(Runner, TwoPiKeepsItsDoubleValue) {
  TCollectingEngine test;
  test.Engine.AddLine("x=2*pi");
  test.Engine.Run();
  const TValue value = ValueAt(test.Engine.Statements, 0);
  EXPECT_EQ(value.Number, 6.283185307179586);
}

}  // namespace
