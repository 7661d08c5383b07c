// Values, conversions and the statement store.
#include <gtest/gtest.h>

#include <cmath>

#include "script_helpers.h"

namespace {

TEST(NumberText, GeneralFormatWithFifteenDigits) {
  struct Case {
    double number;
    bool integer;
    const char* text;
  } cases[] = {
      {3, false, "3"},
      {-3, true, "-3"},
      {0.5, false, "0.5"},
      {-0.25, false, "-0.25"},
      {1.0 / 3, false, "0.333333333333333"},
      {2 * 3.14159265358979323846, false, "6.28318530717959"},
      {123456789012345.0, false, "123456789012345"},
      {1e15, false, "1E15"},
      {1e20, false, "1E20"},
      {1.5e20, false, "1.5E20"},
      {0.00001, false, "0.00001"},
      {0.000001, false, "1E-6"},
      {-2.5e-7, false, "-2.5E-7"},
      {0.1 + 0.2, false, "0.3"},
      {2147483647, true, "2147483647"},
      {0, false, "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberText(c.number, c.integer, '.'), c.text) << c.number;
  }
  EXPECT_EQ(NumberText(0.5, false, ','), "0,5");
  EXPECT_EQ(NumberText(1.5e20, false, ','), "1,5E20");
}

TEST(Conversions, ToTextUsesTheLocaleSeparatorAndValueToTextAFullStop) {
  EXPECT_EQ(ToText(IntegerValue(3)), "3");
  EXPECT_EQ(ToText(NumberValue(0.5)), Localised("0.5"));
  EXPECT_EQ(ToText(TruthValue(true)), "True");
  EXPECT_EQ(ToText(TruthValue(false)), "False");
  EXPECT_EQ(ToText(EmptyValue()), "");
  EXPECT_EQ(ToText(TextValue("x,y")), "x,y");
  Text text;
  ASSERT_TRUE(ValueToText(NumberValue(0.5), text));
  EXPECT_EQ(text, "0.5");
  ASSERT_TRUE(ValueToText(TextValue("x,y"), text));
  EXPECT_EQ(text, "x,y");
  ASSERT_TRUE(ValueToText(ArrayValue({TextValue("a"), IntegerValue(1), NumberValue(2.5)}), text));
  EXPECT_EQ(text, "[a; 1; 2.5]");
  ASSERT_TRUE(ValueToText(ArrayValue({TextValue("x,y")}), text));
  EXPECT_EQ(text, "[x.y]");
  EXPECT_FALSE(ValueToText(ArrayValue({}), text));
  EXPECT_FALSE(ValueToText(ArrayValue({ArrayValue({IntegerValue(1)})}), text));
}

TEST(Conversions, ArrayPlainTextIsItsBracketedList) {
  EXPECT_EQ(ToText(ArrayValue({TextValue("a"), ArrayValue({IntegerValue(1)})})), "[a; [1]]");
  EXPECT_EQ(ToText(ArrayValue({})), "[]");
}

#ifndef _WIN32
TEST(Conversions, CommaLocale) {
  TDecimalSeparator comma(',');
  EXPECT_EQ(ToText(NumberValue(0.5)), "0,5");
  Text text;
  ASSERT_TRUE(ValueToText(NumberValue(12.5), text));
  EXPECT_EQ(text, "12.5");
  long double number = 0;
  ASSERT_TRUE(ToNumber(TextValue("0,5"), number));
  EXPECT_EQ(number, 0.5L);
  EXPECT_FALSE(ToNumber(TextValue("0.5"), number));
}
#endif

TEST(Conversions, ToNumber) {
  struct Case {
    TValue value;
    bool ok;
    long double number;
  } cases[] = {
      {EmptyValue(), true, 0},
      {TruthValue(true), true, -1},
      {TruthValue(false), true, 0},
      {IntegerValue(7), true, 7},
      {TextValue("5"), true, 5},
      {TextValue(" -12 "), true, -12},
      {TextValue(Localised("2.5")), true, 2.5},
      {TextValue("1E3"), true, 1000},
      {TextValue("abc"), false, 0},
      {TextValue(""), false, 0},
      {TextValue("5x"), false, 0},
      {ArrayValue({IntegerValue(1)}), false, 0},
  };
  for (const Case& c : cases) {
    long double number = 0;
    EXPECT_EQ(ToNumber(c.value, number), c.ok) << ToText(c.value);
    if (c.ok) {
      EXPECT_EQ(number, c.number) << ToText(c.value);
    }
  }
}

TEST(Conversions, ToTruth) {
  struct Case {
    TValue value;
    bool ok;
    bool truth;
  } cases[] = {
      {EmptyValue(), true, false},       {IntegerValue(0), true, false},
      {NumberValue(0.5), true, true},    {TextValue("TRUE"), true, true},
      {TextValue("false"), true, false}, {TextValue("0"), true, false},
      {TextValue("-1"), true, true},     {TextValue("yes"), false, false},
      {ArrayValue({}), false, false},
  };
  for (const Case& c : cases) {
    bool truth = !c.truth;
    EXPECT_EQ(ToTruth(c.value, truth), c.ok) << ToText(c.value);
    if (c.ok) {
      EXPECT_EQ(truth, c.truth) << ToText(c.value);
    }
  }
}

TEST(Store, FindByNameGivesTheLastStatementWithAValue) {
  TCollectingEngine test;
  test.Engine.AddScript("t=1\r\nt=2\r\nStatus =3\r\nStatus=4");
  EXPECT_EQ(FindByName(test.Engine.Statements, "t"), -1);
  test.Engine.Run();
  EXPECT_EQ(FindByName(test.Engine.Statements, "t"), 1);
  EXPECT_EQ(ToText(ValueAt(test.Engine.Statements, 1)), "2");
  EXPECT_EQ(FindByName(test.Engine.Statements, "status"), -1);
  EXPECT_EQ(FindByName(test.Engine.Statements, "Status"), 3);
  EXPECT_EQ(FindByName(test.Engine.Statements, "Status "), 2);
  EXPECT_TRUE(IsEmpty(ValueAt(test.Engine.Statements, 99)));
  EXPECT_TRUE(IsEmpty(ValueAt(test.Engine.Statements, -1)));
}

TEST(Store, ValueAtReevaluatesFunctionDefinitionsAndDropsBareExpressions) {
  TCollectingEngine test;
  test.Engine.AddScript("a=1\r\nf()=a+10\r\n5+5");
  test.Engine.Run();
  TStack& store = test.Engine.Statements;
  EXPECT_EQ(ToText(ValueAt(store, 1)), "11");
  SetValue(store, 0, IntegerValue(5));
  EXPECT_EQ(ToText(ValueAt(store, 1)), "15");
  EXPECT_TRUE(IsEmpty(ValueAt(store, 2)));
}

TEST(Store, SetStatementDerivesFormsAndCodeAndReportsSyntaxErrors) {
  TCollectingEngine test;
  TFormula formula;
  ASSERT_TRUE(Compile("x=(1", formula));
  SetStatement(test.Engine.Statements, formula, -1);
  TFormula stored = GetFormula(test.Engine.Statements, 0);
  EXPECT_EQ(stored.Code, "Error");
  EXPECT_EQ(stored.CalcText, "(1");
  ASSERT_EQ(test.Diagnostics.size(), 1u);
  EXPECT_EQ(test.Diagnostics[0], " в строке (1 обнаружена ошибка синтаксиса");
  ASSERT_TRUE(Compile("y=2,5*3°", formula));
  SetStatement(test.Engine.Statements, formula, 0);
  stored = GetFormula(test.Engine.Statements, 0);
  EXPECT_EQ(stored.Name, "y");
  EXPECT_EQ(stored.CalcText, "2.5*3*pi/180");
  EXPECT_EQ(ReadableCode(stored.Code), "2.5 3 * { pi * 180 /");
  EXPECT_EQ(test.Diagnostics.size(), 1u);
}

TEST(Store, SetFormulaKeepsCodeAndDecodesReplacedCode) {
  TCollectingEngine test;
  test.Engine.AddScript("x=1+2");
  TFormula formula = GetFormula(test.Engine.Statements, 0);
  formula.Code = Text("7\0", 2);
  SetFormula(test.Engine.Statements, 0, formula);
  test.Engine.Run();
  EXPECT_EQ(VariableText(test.Engine, "x"), "7");
  EXPECT_EQ(GetFormula(test.Engine.Statements, 0).CalcText, "1+2");
}

}  // namespace
