// The module's own file path: only the Windows build has modules.
#include "support/file.h"

Text ModuleFilePath(HINSTANCE module) {
  // Longer paths are not supported; the player's folders are far shorter.
  char buffer[MAX_PATH + 1] = {0};
  DWORD length = GetModuleFileNameA(module, buffer, MAX_PATH + 1);
  return Text(buffer, length > MAX_PATH + 1 ? MAX_PATH + 1 : length);
}
