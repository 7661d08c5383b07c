// The record a general-purpose plug-in hands the player, as the player sees it: seven 32-bit
// fields in a fixed order. The player writes its window and the module instance into it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace standin {

struct GeneralPurposePlugin {
  std::int32_t version;
  const char* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

// The one record version general-purpose plug-ins carry.
constexpr std::int32_t kPluginRecordVersion = 0x10;

using GetPluginRecord = GeneralPurposePlugin* (*)();
constexpr const char* kPluginExportName = "winampGetGeneralPurposePlugin";

static_assert(sizeof(void*) == 4, "the plug-in record is a 32-bit layout");
static_assert(sizeof(GeneralPurposePlugin) == 28, "seven 32-bit fields");
static_assert(offsetof(GeneralPurposePlugin, version) == 0, "version first");
static_assert(offsetof(GeneralPurposePlugin, description) == 4, "description second");
static_assert(offsetof(GeneralPurposePlugin, init) == 8, "init third");
static_assert(offsetof(GeneralPurposePlugin, config) == 12, "config fourth");
static_assert(offsetof(GeneralPurposePlugin, quit) == 16, "quit fifth");
static_assert(offsetof(GeneralPurposePlugin, hwndParent) == 20, "main window sixth");
static_assert(offsetof(GeneralPurposePlugin, hDllInstance) == 24, "module instance last");

}  // namespace standin
