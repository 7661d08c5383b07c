// The line compiler: one script line to a TFormula, its expression to postfix code.
#include "script/compiler.h"

#include <charconv>

#include "script/values.h"
#include "support/system.h"

namespace {

constexpr TOperatorInfo kOperators[kOperatorCount] = {
    {"+", 2, 1},        {"-", 2, 1},         {"*", 2, 2},       {"/", 2, 2},
    {"^", 2, 3},        {"result", -1, 3},   {"sin", 1, 3},     {"cos", 1, 3},
    {"tan", 1, 3},      {"cotan", 1, 3},     {"arcsin", 1, 3},  {"arccos", 1, 3},
    {"arctan", 1, 3},   {"arccot", 1, 3},    {"ln", 1, 3},      {"log10", 1, 3},
    {"log2", 1, 3},     {"exp", 1, 3},       {"log", -1, 3},    {"pi", 0, 3},
    {"poly", -1, 3},    {"min", -1, 3},      {"max", -1, 3},    {"mean", -1, 3},
    {"sum", -1, 3},     {"root", -1, 3},     {"sign", 1, 3},    {"abs", 1, 3},
    {"sqr", 1, 3},      {"sqrt", 1, 3},      {"cstr", 1, 3},    {"string", 1, 3},
    {"isreal", 1, 3},   {"isvirtual", 1, 3}, {"isstring", 1, 3}, {"true", 0, 3},
    {"false", 0, 3},    {"ifthen", -1, 3},   {"options", 1, 3}, {"len", 1, 3},
    {"lcase", 1, 3},    {"ucase", 1, 3},     {"trim", 1, 3},    {"pos", 2, 3},
    {"replace", -1, 3}, {"midstr", -1, 3},   {"=", 2, 1},       {">", 2, 1},
    {"<", 2, 1},        {"&", 2, 1},         {"|", 2, 1},       {"not", 1, 3},
    {"in", 2, 3},       {"array", -1, 3},
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsNameStart(char c) {
  return c == '_' || SysIsAlpha(c);
}

bool IsNamePart(char c) {
  return c == '_' || SysIsAlphaNumeric(c);
}

bool IsOperatorChar(char c) {
  switch (c) {
    case '+': case '-': case '*': case '/': case '^':
    case '=': case '>': case '<': case '&': case '|':
      return true;
    default:
      return false;
  }
}

bool IsOpening(char c) {
  return c == '(' || c == '[' || c == '{';
}

bool IsClosing(char c) {
  return c == ')' || c == ']' || c == '}';
}

bool IsIdentifier(const Text& token) {
  if (token.empty() || !IsNameStart(token[0])) return false;
  for (size_t i = 1; i < token.size(); ++i) {
    if (!IsNamePart(token[i])) return false;
  }
  return true;
}

// Index just past the closing quote of the section whose opening quote is at `open`, or
// the text's end when the section is not closed.
size_t QuotedEnd(const Text& text, size_t open, char quote) {
  size_t i = open + 1;
  while (i < text.size()) {
    if (text[i] != quote) {
      ++i;
    } else if (i + 1 < text.size() && text[i + 1] == quote) {
      i += 2;
    } else {
      return i + 1;
    }
  }
  return text.size();
}

// Digits and at most one full stop, at least one digit; such a token is read with the
// full stop as its decimal point whatever the locale.
bool ReadNumberToken(const Text& token, double& number) {
  int digits = 0;
  int stops = 0;
  for (char c : token) {
    if (IsDigit(c)) ++digits;
    else if (c == '.') ++stops;
    else return false;
  }
  if (digits == 0 || stops > 1) return false;
  const char* end = token.data() + token.size();
  auto outcome = std::from_chars(token.data(), end, number, std::chars_format::fixed);
  return outcome.ec == std::errc() && outcome.ptr == end;
}

TCodeToken DecodeToken(const Text& token) {
  TCodeToken decoded;
  decoded.Str = token;
  decoded.Class = TokenKind(token);
  if (!token.empty() && token[0] == '.') decoded.Class = TTokenClass::Number;
  if (decoded.Class == TTokenClass::Name) decoded.Op = FindOperator(token);
  if (decoded.Class == TTokenClass::Number) {
    decoded.NumberValid = ReadNumberToken(token, decoded.Number);
  }
  if (decoded.Class == TTokenClass::Literal) decoded.Str = LiteralText(token);
  return decoded;
}

// The words of the degree sign and of the "Vect" wrapper, as typed.
const Text kDegreeSign = "°";
const Text kDegreeExpansion = "*pi/180";
constexpr int kRewriteFlags = kReplaceAll | kReplaceIgnoreCase;

// The rewriting patterns hold no letters (but "()" and "Vect", which has its own search),
// so ignoring case finds the same places as the plain search; most expressions hold none
// of them, and those are passed over without a copy.
Text ReplaceAll(const Text& text, const Text& pattern, const Text& replacement) {
  if (text.find(pattern) == Text::npos) return text;
  return ReplaceText(text, pattern, replacement, kRewriteFlags);
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Start of the last "vect" (any case) that begins before `limit`, or npos.
size_t LastVect(const Text& text, size_t limit) {
  static const char kWord[] = "vect";
  for (size_t i = limit; i-- > 0;) {
    if (i + 4 > text.size()) continue;
    bool match = true;
    for (size_t k = 0; k < 4 && match; ++k) match = AsciiLower(text[i + k]) == kWord[k];
    if (match) return i;
  }
  return Text::npos;
}

// Index in `rest` (which begins with "(") of the bracket that closes it, or its last
// character when none does.
size_t VectClosing(const Text& rest) {
  int depth = 1;
  size_t i = 1;
  while (i < rest.size()) {
    char c = rest[i];
    if (c == kQuote) {
      i = QuotedEnd(rest, i, kQuote);
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return i;
    ++i;
  }
  return rest.size() - 1;
}

// Vect(...) stands for its contents. An occurrence not followed by "(" is passed over and
// the search goes on before it, so every step either shortens the text or moves left.
Text UnwrapVect(Text text) {
  size_t limit = text.size();
  for (;;) {
    size_t at = LastVect(text, limit);
    if (at == Text::npos) return text;
    size_t open = at + 4;
    if (open >= text.size() || text[open] != '(') {
      limit = at;
      continue;
    }
    Text rest = text.substr(open);
    size_t close = VectClosing(rest);
    Text inner = close > 1 ? rest.substr(1, close - 1) : Text();
    text = text.substr(0, at) + inner + rest.substr(close + 1);
    limit = text.size();
  }
}

Text CalcRewrite(const Text& piece) {
  if (piece.empty()) return piece;
  Text text = ReplaceAll(piece, "\t", "");
  text = ReplaceAll(text, kDegreeSign, kDegreeExpansion);
  text = UnwrapVect(text);
  text = ReplaceAll(text, "**", "*");
  text = ReplaceAll(text, "*+", "*");
  text = ReplaceAll(text, "*.", "*");
  text = ReplaceAll(text, "/+", "/");
  text = ReplaceAll(text, "/-", "/0-");
  text = ReplaceAll(text, "*-", "*0-");
  text = ReplaceAll(text, "#", "");
  return ReplaceAll(text, ",", ".");
}

Text DisplayRewrite(const Text& piece) {
  if (piece.empty()) return piece;
  Text text = ReplaceAll(piece, "\t", "");
  text = ReplaceAll(text, kDegreeSign, kDegreeExpansion);
  text = ReplaceAll(text, "/-", "/0-");
  text = ReplaceAll(text, "*-", "*0-");
  text = ReplaceAll(text, "\"", "");
  text = ReplaceAll(text, ",", ".");
  return ReplaceAll(text, "()", "");
}

// Applies `rewrite` to the parts of the expression outside its text literals.
template <typename Rewrite>
Text RewriteOutsideQuotes(const Text& expression, Rewrite rewrite, bool display) {
  Text result;
  Text rest = expression;
  while (!rest.empty()) {
    TRLSResult split;
    SplitQuoted(rest, kQuote, 1, split);
    if (split.Position == 0) {
      result += rewrite(rest);
      break;
    }
    result += rewrite(split.LeftPart);
    result += display ? "String(" + split.Delimiter + ")" : split.Delimiter;
    rest = split.RightPart;
  }
  return result;
}

// An entry of the compiler's operator stack: a bracket or a name waiting for its operands.
struct TPending {
  Text Str;
  TOperatorCode Op = kOpNone;
  int32_t Precedence = 0;
  bool Bracketed = false;
};

struct TPostfixState {
  explicit TPostfixState(const Text& calc) : Calc(calc) {}
  const Text& Calc;
  size_t Pos = 0;
  bool OperandExpected = true;
  bool AfterCallName = false;  // the last token placed was a name that takes brackets
  bool Failed = false;
  std::vector<TPending> Stack;
  TProgram Program;
};

void Emit(TPostfixState& state, TCodeToken token, const Text& written) {
  state.Program.Code += written;
  state.Program.Code += '\0';
  state.Program.Tokens.push_back(std::move(token));
}

void EmitMark(TPostfixState& state, bool callMark) {
  TCodeToken mark;
  mark.Class = TTokenClass::Mark;
  mark.CallMark = callMark;
  mark.Str = "{";
  Emit(state, mark, "{");
}

void EmitName(TPostfixState& state, const TPending& pending) {
  TCodeToken token;
  token.Class = TTokenClass::Name;
  token.Op = pending.Op;
  token.Bracketed = pending.Bracketed;
  token.Str = pending.Str;
  Emit(state, token, pending.Str);
}

void Push(TPostfixState& state, TPending pending) {
  if (state.Stack.size() >= kMaxPendingOperators) {
    state.Failed = true;
    return;
  }
  state.Stack.push_back(std::move(pending));
}

void PopToCode(TPostfixState& state) {
  EmitName(state, state.Stack.back());
  state.Stack.pop_back();
}

bool TopIsBracket(const TPostfixState& state) {
  return !state.Stack.empty() && state.Stack.back().Op == kOpNone;
}

Text ReadRun(const Text& calc, size_t& pos, bool (*part)(char)) {
  size_t start = pos;
  while (pos < calc.size() && part(calc[pos])) ++pos;
  return calc.substr(start, pos - start);
}

bool IsNumberPart(char c) {
  return IsDigit(c) || c == '.';
}

// Reads the next token; an operator character where an operand belongs reads as the
// number 0 and stays unread, so that -5 compiles as 0 - 5.
Text ReadToken(TPostfixState& state) {
  const Text& calc = state.Calc;
  char c = calc[state.Pos];
  if (c == kQuote) {
    size_t start = state.Pos;
    state.Pos = QuotedEnd(calc, start, kQuote);
    return calc.substr(start, state.Pos - start);
  }
  if (IsNumberPart(c)) return ReadRun(calc, state.Pos, IsNumberPart);
  if (IsNameStart(c)) return ReadRun(calc, state.Pos, IsNamePart);
  if (IsOperatorChar(c) && state.OperandExpected) return "0";
  ++state.Pos;
  return Text(1, c);
}

void PlaceOperand(TPostfixState& state, const Text& token) {
  Emit(state, DecodeToken(token), token);
  state.AfterCallName = false;
}

void PlaceOpening(TPostfixState& state, const Text& token) {
  bool callMark = state.AfterCallName && !state.Stack.empty();
  if (callMark) state.Stack.back().Bracketed = true;
  EmitMark(state, callMark);
  Push(state, TPending{token, kOpNone, 0, false});
  state.OperandExpected = true;
  state.AfterCallName = false;
}

void PlaceClosing(TPostfixState& state) {
  while (!state.Stack.empty() && !TopIsBracket(state)) PopToCode(state);
  if (state.Stack.empty()) {
    state.Failed = true;
    return;
  }
  state.Stack.pop_back();
  state.AfterCallName = false;
}

void PlaceSeparator(TPostfixState& state) {
  while (!state.Stack.empty() && !TopIsBracket(state)) PopToCode(state);
  state.OperandExpected = true;
  state.AfterCallName = false;
}

void PlaceName(TPostfixState& state, const Text& token, TOperatorCode op) {
  const TOperatorInfo& info = OperatorInfo(op);
  if (info.Arity == 0) {
    EmitMark(state, true);
    EmitName(state, TPending{token, op, info.Precedence, true});
    state.AfterCallName = false;
    return;
  }
  while (!state.Stack.empty() && !TopIsBracket(state) &&
         state.Stack.back().Precedence >= info.Precedence) {
    PopToCode(state);
  }
  Push(state, TPending{token, op, info.Precedence, false});
  state.OperandExpected = true;
  state.AfterCallName = info.Arity == kAnyArity || info.Arity == 1;
}

void PlaceToken(TPostfixState& state, const Text& token) {
  state.OperandExpected = false;
  char c = token[0];
  TOperatorCode op = FindOperator(token);
  if (op != kOpNone) PlaceName(state, token, op);
  else if (c == kQuote || IsNumberPart(c) || IsNameStart(c)) PlaceOperand(state, token);
  else if (IsOpening(c)) PlaceOpening(state, token);
  else if (IsClosing(c)) PlaceClosing(state);
  else if (c == ';') PlaceSeparator(state);
}

TProgram FailedProgram() {
  TProgram program;
  program.Code = ToText(ErrorValue());
  program.Tokens.push_back(DecodeToken(program.Code));
  return program;
}

}  // namespace

const TOperatorInfo& OperatorInfo(TOperatorCode code) {
  return kOperators[code];
}

TOperatorCode FindOperator(const Text& name) {
  if (name.empty()) return kOpNone;
  for (int i = 0; i < kOperatorCount; ++i) {
    const char* candidate = kOperators[i].Name;
    if (candidate[0] == name[0] && name == candidate) return static_cast<TOperatorCode>(i);
  }
  return kOpNone;
}

TTokenClass TokenKind(const Text& token) {
  if (token.empty()) return TTokenClass::Other;
  if (FindOperator(token) != kOpNone) return TTokenClass::Name;
  if (IsIdentifier(token)) return TTokenClass::Identifier;
  if (IsDigit(token[0]) || token == ".") return TTokenClass::Number;
  if (token[0] == kQuote) return TTokenClass::Literal;
  if (token == "{") return TTokenClass::Mark;
  return TTokenClass::Other;
}

void FindQuoted(const Text& text, char quote, int32_t start, int32_t& first, int32_t& last) {
  first = 0;
  last = 0;
  size_t from = start < 1 ? 0 : static_cast<size_t>(start - 1);
  size_t open = text.find(quote, from);
  if (open == Text::npos) return;
  first = static_cast<int32_t>(open + 1);
  last = static_cast<int32_t>(QuotedEnd(text, open, quote));
}

void SplitQuoted(const Text& text, char quote, int32_t start, TRLSResult& result) {
  result = TRLSResult();
  result.SearchText = text;
  int32_t first = 0;
  int32_t last = 0;
  FindQuoted(text, quote, start, first, last);
  result.Position = first;
  if (first == 0) {
    result.LeftPart = text;
    return;
  }
  result.LeftPart = text.substr(0, first - 1);
  result.Delimiter = text.substr(first - 1, last - first + 1);
  result.DelimiterLength = static_cast<int32_t>(result.Delimiter.size());
  result.RightPart = text.substr(last);
}

int32_t PosOutsideQuotes(const Text& text, const Text& delimiter, char quote, int32_t start) {
  const Text quoteText(1, quote);
  int32_t p = PosFrom(delimiter, text, start);
  int32_t k = PosFrom(quoteText, text, start);
  while (p > 0 && k > 0 && k < p) {
    int32_t after = static_cast<int32_t>(QuotedEnd(text, k - 1, quote)) + 1;
    p = PosFrom(delimiter, text, after);
    k = PosFrom(quoteText, text, after);
  }
  return p;
}

void SplitOutsideQuotes(const Text& text, const Text& delimiter, char quote, int32_t start,
                        TRLSResult& result) {
  result = TRLSResult();
  result.SearchText = text;
  result.Position = PosOutsideQuotes(text, delimiter, quote, start);
  result.Delimiter = delimiter;
  result.DelimiterLength = static_cast<int32_t>(delimiter.size());
  if (result.Position == 0) return;
  result.LeftPart = text.substr(0, result.Position - 1);
  result.RightPart = text.substr(result.Position - 1 + delimiter.size());
}

namespace {

// Flag bits of the marker characters of a line that begins with ">".
int32_t MarkerFlag(char c) {
  switch (c) {
    case '>': return 2;
    case ' ': return 256;
    case '?': return 32;
    case '!': return 16;
    case '*': return 8;
    case '"': return 4;
    default: return 0;
  }
}

constexpr size_t kMarkerLength = 6;  // the ">" and at most five marker characters

Text TakeMarker(const Text& line, TFormula& formula) {
  formula.Flags = 0;
  size_t used = 1;
  while (used < kMarkerLength && used < line.size() && MarkerFlag(line[used]) != 0) {
    formula.Flags += MarkerFlag(line[used]);
    ++used;
  }
  formula.Prefix = line.substr(0, used);
  return line.substr(used);
}

}  // namespace

bool Compile(const Text& line, TFormula& formula) {
  formula = TFormula();
  formula.Flags = 2;
  TRLSResult split;
  SplitOutsideQuotes(line, "//", kQuote, 1, split);
  Text rest = line;
  if (split.Position > 0) {
    rest = split.LeftPart;
    formula.Comment = split.RightPart;
  }
  if (rest.empty()) return false;
  if (rest[0] == '>') rest = TakeMarker(rest, formula);
  SplitOutsideQuotes(rest, "=", kQuote, 1, split);
  if (split.Position > 0) {
    formula.Name = split.LeftPart;
    formula.Expression = split.RightPart;
  } else {
    formula.Expression = rest;
  }
  const size_t n = formula.Name.size();
  if (n >= 2 && formula.Name.compare(n - 2, 2, "()") == 0) {
    formula.Name.resize(n - 2);
    formula.Kind = kKindFunction;
  }
  return true;
}

Text CalcForm(const Text& expression) {
  return RewriteOutsideQuotes(expression, CalcRewrite, false);
}

Text DisplayForm(const Text& expression) {
  return RewriteOutsideQuotes(expression, DisplayRewrite, true);
}

TProgram CompileProgram(const Text& calcText) {
  TPostfixState state(calcText);
  while (state.Pos < calcText.size() && !state.Failed) PlaceToken(state, ReadToken(state));
  while (!state.Failed && !state.Stack.empty()) {
    if (TopIsBracket(state)) state.Failed = true;
    else PopToCode(state);
  }
  return state.Failed ? FailedProgram() : std::move(state.Program);
}

Text ToPostfix(const Text& calcText) {
  return CompileProgram(calcText).Code;
}

TProgram DecodeCode(const Text& code) {
  TProgram program;
  program.Code = code;
  size_t start = 0;
  while (start < code.size()) {
    size_t end = code.find('\0', start);
    if (end == Text::npos) end = code.size();
    program.Tokens.push_back(DecodeToken(code.substr(start, end - start)));
    start = end + 1;
  }
  return program;
}

Text LiteralText(const Text& literal) {
  Text text;
  size_t i = 1;
  while (i < literal.size()) {
    if (literal[i] != kQuote) {
      text += literal[i++];
    } else if (i + 1 < literal.size() && literal[i + 1] == kQuote) {
      text += kQuote;
      i += 2;
    } else {
      break;
    }
  }
  return text;
}
