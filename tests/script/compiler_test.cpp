// The line compiler: line splitting, the calculation and display forms, postfix code.
#include <gtest/gtest.h>

#include "script_helpers.h"

namespace {

TEST(Compile, SplitsCommentMarkerNameAndExpression) {
  struct Case {
    const char* line;
    int32_t kind;
    const char* name;
    const char* expression;
    const char* comment;
    const char* prefix;
    int32_t flags;
  } cases[] = {
      {"x=1 // one", 0, "x", "1 ", " one", "", 2},
      {"Tray=\"a//b=c\"", 0, "Tray", "\"a//b=c\"", "", "", 2},
      {">? a=1", 0, "a", "1", "", ">? ", 288},
      {">>!*\"x=1", 0, "x", "1", "", ">>!*\"", 30},
      {">>>>>>>y=2", 0, ">y", "2", "", ">>>>>>", 10},
      {"f()=1+2", 1, "f", "1+2", "", "", 2},
      {"a=b", 0, "a", "b", "", "", 2},
      {"1+2", 0, "", "1+2", "", "", 2},
      {"Status =x", 0, "Status ", "x", "", "", 2},
      {"   ", 0, "", "   ", "", "", 2},
      {"x==1", 0, "x", "=1", "", "", 2},
  };
  for (const Case& c : cases) {
    TFormula formula;
    ASSERT_TRUE(Compile(c.line, formula)) << c.line;
    EXPECT_EQ(formula.Kind, c.kind) << c.line;
    EXPECT_EQ(formula.Name, c.name) << c.line;
    EXPECT_EQ(formula.Expression, c.expression) << c.line;
    EXPECT_EQ(formula.Comment, c.comment) << c.line;
    EXPECT_EQ(formula.Prefix, c.prefix) << c.line;
    EXPECT_EQ(formula.Flags, c.flags) << c.line;
  }
}

TEST(Compile, LinesWithoutAStatement) {
  TFormula formula;
  EXPECT_FALSE(Compile("", formula));
  EXPECT_FALSE(Compile("// comment", formula));
  EXPECT_FALSE(Compile("//x=1", formula));
  EXPECT_EQ(formula.Comment, "x=1");
}

TEST(Quotes, FindAndSplit) {
  struct Case {
    const char* text;
    int32_t start;
    int32_t first;
    int32_t last;
  } cases[] = {
      {"ab", 1, 0, 0},          {"a\"b\"c", 1, 2, 4},      {"\"a\"\"b\"x", 1, 1, 6},
      {"x\"open", 1, 2, 6},     {"\"a\" \"b\"", 2, 3, 5},  {"\"\"\"\"", 1, 1, 4},
      {"\"a\" \"b\"", 4, 5, 7},
  };
  for (const Case& c : cases) {
    int32_t first = -1;
    int32_t last = -1;
    FindQuoted(c.text, '"', c.start, first, last);
    EXPECT_EQ(first, c.first) << c.text;
    EXPECT_EQ(last, c.last) << c.text;
  }
  TRLSResult split;
  SplitQuoted("ab\"c\"\"d\"ef", '"', 1, split);
  EXPECT_EQ(split.LeftPart, "ab");
  EXPECT_EQ(split.Delimiter, "\"c\"\"d\"");
  EXPECT_EQ(split.DelimiterLength, 6);
  EXPECT_EQ(split.RightPart, "ef");
  SplitQuoted("plain", '"', 1, split);
  EXPECT_EQ(split.Position, 0);
  EXPECT_EQ(split.LeftPart, "plain");
}

TEST(Quotes, DelimiterOutsideQuotes) {
  EXPECT_EQ(PosOutsideQuotes("a\"//\"//b", "//", '"', 1), 6);
  EXPECT_EQ(PosOutsideQuotes("\"//", "//", '"', 1), 0);
  EXPECT_EQ(PosOutsideQuotes("x=1", "//", '"', 1), 0);
  EXPECT_EQ(PosOutsideQuotes("a=\"b=c\"", "=", '"', 1), 2);
  TRLSResult split;
  SplitOutsideQuotes("\"=\"x=y", "=", '"', 1, split);
  EXPECT_EQ(split.Position, 5);
  EXPECT_EQ(split.LeftPart, "\"=\"x");
  EXPECT_EQ(split.RightPart, "y");
}

TEST(CalcForm, RewritesOutsideTextLiterals) {
  struct Case {
    const char* expression;
    const char* calc;
  } cases[] = {
      {"30°", "30*pi/180"},
      {"2*-3", "2*0-3"},
      {"2/-3", "2/0-3"},
      {"2**3", "2*3"},
      {"2*+3", "2*3"},
      {"2*.5", "2*5"},
      {"2/+3", "2/3"},
      {"#1,5", "1.5"},
      {"a\tb", "ab"},
      {"Vect(1;2;3)", "1;2;3"},
      {"vECT(Vect(1);2)", "1;2"},
      {"Vect + Vect(2)", "Vect + 2"},
      {"Vect", "Vect"},
      {"Vect(1", ""},
      {"Vect((1)", "(1"},
      {"x+\"a,b*-c°\"+1,5", "x+\"a,b*-c°\"+1.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(CalcForm(c.expression), c.calc) << c.expression;
}

TEST(DisplayForm, WrapsLiteralsAndDropsEmptyBrackets) {
  EXPECT_EQ(DisplayForm("pi()*2,5+\"a,b\""), "pi*2.5+String(\"a,b\")");
  EXPECT_EQ(DisplayForm("1/-x°"), "1/0-x*pi/180");
}

TEST(ToPostfix, OrdersTokensByPrecedence) {
  struct Case {
    const char* expression;
    const char* code;
  } cases[] = {
      {"lcase(trim(replace(TAGDir1; CharFilter; \"\")))",
       "{ { { TAGDir1 CharFilter \"\" replace trim lcase"},
      {"2*-3", "2 0 * 3 -"},
      {"-5", "0 5 -"},
      {"1+2*3", "1 2 3 * +"},
      {"2^3^2", "2 3 ^ 2 ^"},
      {"max(5;-1)", "{ 5 0 1 - max"},
      {"max(5; -1)", "{ 5 1 - max"},
      {"(a+b)*c", "{ a b + c *"},
      {"(a]", "{ a"},
      {"%TAGPath", "TAGPath"},
      {"pi", "{ pi"},
      {"sinx", "sinx"},
      {"x in array(1;2)", "x in { 1 2 array"},
      {"1.2.3", "1.2.3"},
      {"\"a\"\"b\"", "\"a\"\"b\""},
      {"Album+Artist=\"\"", "Album Artist + \"\" ="},
      {"   ", ""},
      {"(a+b", "Error"},
      {"a+b)", "Error"},
  };
  for (const Case& c : cases) EXPECT_EQ(CodeOf(c.expression), c.code) << c.expression;
}

TEST(ToPostfix, MarksOfCallsAreToldFromGroupingMarks) {
  TProgram program = CompileProgram("max(a; (b); pos(c; d); sin(e); pi)");
  std::vector<bool> marks;
  for (const TCodeToken& token : program.Tokens) {
    if (token.Class == TTokenClass::Mark) marks.push_back(token.CallMark);
  }
  EXPECT_EQ(marks, (std::vector<bool>{true, false, false, true, true}));
  program = CompileProgram("not b");
  ASSERT_EQ(program.Tokens.size(), 2u);
  EXPECT_FALSE(program.Tokens[1].Bracketed);
}

TEST(ToPostfix, MoreThanAHundredWaitingOperatorsIsASyntaxError) {
  Text brackets(kMaxPendingOperators, '(');
  EXPECT_EQ(CodeOf(brackets + "1" + Text(kMaxPendingOperators, ')')).substr(0, 1), "{");
  Text deeper(kMaxPendingOperators + 1, '(');
  EXPECT_EQ(CodeOf(deeper + "1" + Text(kMaxPendingOperators + 1, ')')), "Error");
}

TEST(TokenKind, Classes) {
  EXPECT_EQ(TokenKind("sin"), TTokenClass::Name);
  EXPECT_EQ(TokenKind("+"), TTokenClass::Name);
  EXPECT_EQ(TokenKind("Sin"), TTokenClass::Identifier);
  EXPECT_EQ(TokenKind("_a1"), TTokenClass::Identifier);
  EXPECT_EQ(TokenKind("Артист"), TTokenClass::Identifier);
  EXPECT_EQ(TokenKind("1x"), TTokenClass::Number);
  EXPECT_EQ(TokenKind("."), TTokenClass::Number);
  EXPECT_EQ(TokenKind("\"a\""), TTokenClass::Literal);
  EXPECT_EQ(TokenKind("{"), TTokenClass::Mark);
  EXPECT_EQ(TokenKind("Status "), TTokenClass::Other);
  EXPECT_EQ(TokenKind(""), TTokenClass::Other);
}

}  // namespace
