// Handing the track to the formatting script and reading its results back.
#include "plugin/script_cycle.h"

#include "script/math_parser.h"

void LoadScriptEngine(TMathParser& engine, const Text& script) {
  engine.Clear();
  for (int32_t row = 0; row < kTagCount; ++row) engine.AddLine(TagLine(row, ""));
  engine.AddScript(script);
}

void HandTagsToScript(TMathParser& engine, const Text (&tagValues)[kTagCount]) {
  for (int32_t row = 0; row < kTagCount; ++row) engine.SetLine(TagLine(row, tagValues[row]), row);
}

TStatus ReadScriptResults(TMathParser& engine) {
  TStatus texts;
  texts.Tray = ExpandLineBreaks(VariableText(engine, "Tray"));
  texts.Status = ExpandLineBreaks(VariableText(engine, "Status"));
  texts.Status2 = ExpandLineBreaks(VariableText(engine, "Status2"));
  return texts;
}
