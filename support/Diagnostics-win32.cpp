// Diagnostics on Windows: the system message table, the debugger channel and
// GetLastError().
#include <windows.h>

#include <array>
#include <cstdio>
#include <string_view>

#include "support/Diagnostics-platform.h"

namespace tarvik {
namespace {

// Network status codes (IP helper and Winsock) that the system message
// table does not know.
constexpr std::array<std::string_view, 23> kIpStatusTexts = {
    "IP_STATUS_BASE (11000)",
    "WSAHOST_NOT_FOUND (11001)",
    "WSATRY_AGAIN (11002)",
    "IP_DEST_HOST_UNREACHABLE (11003)",
    "IP_DEST_PROT_UNREACHABLE (11004)",
    "IP_DEST_PORT_UNREACHABLE (11005)",
    "IP_NO_RESOURCES (11006)",
    "IP_BAD_OPTION (11007)",
    "IP_HW_ERROR (11008)",
    "IP_PACKET_TOO_BIG (11009)",
    "IP_REQ_TIMED_OUT (11010)",
    "IP_BAD_REQ (11011)",
    "IP_BAD_ROUTE (11012)",
    "IP_TTL_EXPIRED_TRANSIT (11013)",
    "IP_TTL_EXPIRED_REASSEM (11014)",
    "IP_PARAM_PROBLEM (11015)",
    "IP_SOURCE_QUENCH (11016)",
    "IP_OPTION_TOO_BIG (11017)",
    "IP_BAD_DESTINATION (11018)",
    "IP_ADDR_DELETED (11019)",
    "IP_SPEC_MTU_CHANGE (11020)",
    "IP_MTU_CHANGE (11021)",
    "IP_UNLOAD (11022)",
};

// The Windows SNMP management API's error codes, which share their numbers
// with system codes 40 to 48.
constexpr std::array<std::string_view, 9> kSnmpTexts = {
    "SNMP No Response Received", "SNMP SELECT_FDERRORS", "SNMP TRAP_ERRORS",
    "SNMP TRAP_DUPINIT",         "SNMP NOTRAPS",         "SNMP AGAIN",
    "SNMP INVALID_CTL",          "SNMP INVALID_SESSION", "SNMP INVALID_BUFFER",
};

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

}  // namespace

const char* PlatformErrorText(int code, char* buffer, std::size_t size) {
  if (code >= 11000 && code <= 11022)
    return kIpStatusTexts[static_cast<std::size_t>(code - 11000)].data();
  if (code >= 40 && code <= 48) return kSnmpTexts[static_cast<std::size_t>(code - 40)].data();
  WriteSystemMessage(code, buffer, size);
  return buffer;
}

void WriteDebugOutput(const char* text) { OutputDebugStringA(text); }

int LastSystemError() { return static_cast<int>(GetLastError()); }

}  // namespace tarvik
