// The settings the drivers read, reset to the defaults for each test, and slots filled from
// running stand-in clients the way discovery fills them.
#pragma once

#include <gtest/gtest.h>

#include "client_process.h"
#include "messenger/client_win.h"
#include "messenger/driver_rules.h"
#include "messenger/qip_driver_win.h"
#include "messenger/rnq_driver_win.h"
#include "messenger/status_control.h"
#include "settings/settings_model.h"
#include "support/file.h"
#include "support/window_win.h"

inline void ResetDriverSettings() {
  BuildDefaultSettings("");
  CopySettings(DefaultSettings, CurrentSettings);
  CurrentSettings.Playing = true;
  KnownClients[0] = TClient();
  KnownClients[0].ProcessName = "QIP";
  KnownClients[0].MainWindow.ClassName = "TMainForm";
  KnownClients[0].StatusForm.ClassName = "TCusForm";
  KnownClients[0].FindControls = FindQipControls;
  KnownClients[0].WriteStatus = WriteQipStatus;
  KnownClients[1] = TClient();
  KnownClients[1].ProcessName = "RnQ";
  KnownClients[1].MainWindow.ClassName = "TRnQmain";
  KnownClients[1].StatusForm.ClassName = "TxStatusForm";
  KnownClients[1].FindControls = FindRnqControls;
  KnownClients[1].WriteStatus = WriteRnqStatus;
}

inline void Set(SettingId id, bool on) {
  CurrentSettings.Values[id] = FlagText(on);
}

inline TStatus Request(const char* status, const char* status2) {
  TStatus request;
  request.Status = status;
  request.Status2 = status2;
  return request;
}

inline size_t CountLines(const Lines& lines, const std::string& prefix) {
  size_t count = 0;
  for (const std::string& line : lines) count += StartsWith(line, prefix);
  return count;
}
