// Formatting of the engine's diagnostics.
#include "script/messages.h"

Text FormatMessage(const char* pattern, std::initializer_list<Text> arguments) {
  Text result;
  auto next = arguments.begin();
  for (const char* p = pattern; *p != '\0'; ++p) {
    bool placeholder = p[0] == '%' && (p[1] == 's' || p[1] == 'd');
    if (placeholder && next != arguments.end()) {
      result += *next++;
      ++p;
    } else {
      result += *p;
    }
  }
  return result;
}

Text IntText(int64_t number) {
  return std::to_string(number);
}
