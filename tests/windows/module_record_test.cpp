// The shipped module as the host sees it: one export, the record it returns, imports from
// system libraries only, and the entries called in the host's order.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "plugin/wa_ipc.h"
#include "support/handles_win.h"
#include "support/text.h"
#include "test_paths.h"

namespace {

std::string ModulePath() {
  return SystemPath(MODULE_DLL);
}

template <typename T>
const T* At(HMODULE module, DWORD rva) {
  return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(module) + rva);
}

const IMAGE_DATA_DIRECTORY& Directory(HMODULE module, int which) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt = At<IMAGE_NT_HEADERS32>(module, static_cast<DWORD>(dos->e_lfanew));
  return nt->OptionalHeader.DataDirectory[which];
}

std::vector<std::string> ExportedNames(HMODULE module) {
  std::vector<std::string> names;
  const IMAGE_DATA_DIRECTORY& dir = Directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
  if (dir.VirtualAddress == 0) return names;
  const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(module, dir.VirtualAddress);
  const auto* nameRvas = At<DWORD>(module, exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) names.push_back(At<char>(module, nameRvas[i]));
  EXPECT_EQ(exports->NumberOfFunctions, exports->NumberOfNames);
  return names;
}

std::set<std::string> ImportedLibraries(HMODULE module) {
  std::set<std::string> names;
  const IMAGE_DATA_DIRECTORY& dir = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
  for (const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress); entry->Name; ++entry) {
    names.insert(LowerText(At<char>(module, entry->Name)));
  }
  return names;
}

using GetRecord = winampGeneralPurposePlugin* (*)();

GetRecord RecordGetter(HMODULE module) {
  FARPROC found = GetProcAddress(module, "winampGetGeneralPurposePlugin");
  GetRecord get = nullptr;
  static_assert(sizeof get == sizeof found, "one code pointer");
  memcpy(&get, &found, sizeof get);
  return get;
}

TEST(ModuleRecord, ExportsOnlyTheRecordGetter) {
  ModuleHandle module(LoadLibraryA(ModulePath().c_str()));
  ASSERT_NE(module.get(), nullptr) << ModulePath();
  EXPECT_EQ(ExportedNames(module.get()), std::vector<std::string>{"winampGetGeneralPurposePlugin"});
}

TEST(ModuleRecord, ImportsSystemLibrariesOnly) {
  ModuleHandle module(LoadLibraryA(ModulePath().c_str()));
  ASSERT_NE(module.get(), nullptr);
  const std::set<std::string> system = {"kernel32.dll", "user32.dll", "shell32.dll", "gdi32.dll",
                                        "msvcrt.dll",   "comctl32.dll", "advapi32.dll"};
  std::set<std::string> imports = ImportedLibraries(module.get());
  EXPECT_TRUE(imports.count("kernel32.dll"));
  for (const std::string& name : imports) EXPECT_TRUE(system.count(name)) << name;
}

TEST(ModuleRecord, OneRecordWithTheHostsLayout) {
  ModuleHandle module(LoadLibraryA(ModulePath().c_str()));
  ASSERT_NE(module.get(), nullptr);
  GetRecord get = RecordGetter(module.get());
  ASSERT_NE(get, nullptr);
  winampGeneralPurposePlugin* record = get();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(get(), record);
  EXPECT_EQ(record->version, 16);
  EXPECT_STREQ(record->description, "ICQ client status");
  EXPECT_NE(record->init, nullptr);
  EXPECT_NE(record->config, nullptr);
  EXPECT_NE(record->quit, nullptr);
  EXPECT_EQ(record->hwndParent, nullptr);
  EXPECT_EQ(record->hDllInstance, nullptr);
}

TEST(ModuleRecord, InitAndQuitInTheHostsOrder) {
  ModuleHandle module(LoadLibraryA(ModulePath().c_str()));
  ASSERT_NE(module.get(), nullptr);
  GetRecord get = RecordGetter(module.get());
  ASSERT_NE(get, nullptr);
  winampGeneralPurposePlugin* record = get();
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  record->hwndParent = host;
  record->hDllInstance = module.get();
  EXPECT_EQ(record->init(), 0);
  record->quit();
  EXPECT_EQ(record->init(), 0);
  record->quit();
  DestroyWindow(host);
}

}  // namespace
