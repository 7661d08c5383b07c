// A test run of a script as the configuration dialog's Test button makes it: a fresh
// engine with a collecting hook, the 21 TAG statements, the script, one run, and the
// message text with the diagnostics and the three results.
#pragma once

#include <cstdint>
#include <vector>

#include "plugin/track_info.h"
#include "support/text.h"


// Diagnostics are collected until the log reaches this many characters.
constexpr size_t kTestLogLimit = 1500;

void CollectTestMessage(Text& testLog, const Text& message);

struct TTestReport {
  Text Message;
  int32_t DiagnosticCount = 0;
};

// tagValues holds one value per row of the track table (missing rows count as empty).
TTestReport BuildTestReport(const std::vector<Text>& tagValues, const Text& script);

// The default script, the bytes of the module's "SCRIPT" resource.
Text DefaultScript();
