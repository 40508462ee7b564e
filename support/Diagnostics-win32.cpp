// Diagnostics on Windows: the system message table, the debugger channel and
// GetLastError().
#include <windows.h>

#include <cstdio>

#include "support/Diagnostics-platform.h"

namespace tarvik {

void WriteSystemMessage(int code, char* buffer, std::size_t size) {
  char* message = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0x400, reinterpret_cast<char*>(&message), 0, nullptr);
  if (length != 0 && message != nullptr) {
    std::snprintf(buffer, size, "%s", message);
    LocalFree(message);
  } else if (length != 0) {
    std::snprintf(buffer, size, "NULL buffer in response from FormatMessage() [%u]",
                  static_cast<unsigned>(GetLastError()));
  } else if (GetLastError() == ERROR_MR_MID_NOT_FOUND) {
    std::snprintf(buffer, size, "FormatMessage(): no message for error code %d", code);
  } else {
    std::snprintf(buffer, size, "FormatMessage() failed: [%u], errcode %d",
                  static_cast<unsigned>(GetLastError()), code);
  }
}

void WriteDebugOutput(const char* text) { OutputDebugStringA(text); }

int LastSystemError() { return static_cast<int>(GetLastError()); }

}  // namespace tarvik
