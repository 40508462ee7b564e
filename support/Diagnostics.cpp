#include "support/Diagnostics.h"

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "support/TextOps.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvik {
namespace {

constexpr std::size_t kErrorTextSize = 1024;

// Network status codes that the system message table does not know.
constexpr std::array<std::string_view, 23> kIpStatusTexts = {
    "IP_STATUS_BASE (11000)",           "WSAHOST_NOT_FOUND (11001)",
    "WSATRY_AGAIN (11002)",             "IP_DEST_HOST_UNREACHABLE (11003)",
    "IP_DEST_PROT_UNREACHABLE (11004)", "IP_DEST_PORT_UNREACHABLE (11005)",
    "IP_NO_RESOURCES (11006)",          "IP_BAD_OPTION (11007)",
    "IP_HW_ERROR (11008)",              "IP_PACKET_TOO_BIG (11009)",
    "IP_REQ_TIMED_OUT (11010)",         "IP_BAD_REQ (11011)",
    "IP_BAD_ROUTE (11012)",             "IP_TTL_EXPIRED_TRANSIT (11013)",
    "IP_TTL_EXPIRED_REASSEM (11014)",   "IP_PARAM_PROBLEM (11015)",
    "IP_SOURCE_QUENCH (11016)",         "IP_OPTION_TOO_BIG (11017)",
    "IP_BAD_DESTINATION (11018)",       "IP_ADDR_DELETED (11019)",
    "IP_SPEC_MTU_CHANGE (11020)",       "IP_MTU_CHANGE (11021)",
    "IP_UNLOAD (11022)",
};

constexpr std::array<std::string_view, 9> kSnmpTexts = {
    "SNMP No Response Received", "SNMP SELECT_FDERRORS", "SNMP TRAP_ERRORS",
    "SNMP TRAP_DUPINIT",         "SNMP NOTRAPS",         "SNMP AGAIN",
    "SNMP INVALID_CTL",          "SNMP INVALID_SESSION", "SNMP INVALID_BUFFER",
};

// One buffer per thread, so concurrent callers never see each other's text.
thread_local char errorText[kErrorTextSize];

void AskSystem(int code) {
#ifdef _WIN32
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0x400, reinterpret_cast<char*>(&buffer), 0, nullptr);
  if (length != 0 && buffer != nullptr) {
    std::snprintf(errorText, sizeof errorText, "%s", buffer);
    LocalFree(buffer);
  } else if (length != 0) {
    std::snprintf(errorText, sizeof errorText,
                  "NULL buffer in response from FormatMessage() [%u]",
                  static_cast<unsigned>(GetLastError()));
  } else if (GetLastError() == ERROR_MR_MID_NOT_FOUND) {
    std::snprintf(errorText, sizeof errorText, "FormatMessage(): no message for error code %d",
                  code);
  } else {
    std::snprintf(errorText, sizeof errorText, "FormatMessage() failed: [%u], errcode %d",
                  static_cast<unsigned>(GetLastError()), code);
  }
#else
  // The GNU strerror_r may return a static text instead of filling ours.
  const char* text = strerror_r(code, errorText, sizeof errorText);
  if (text != errorText) std::snprintf(errorText, sizeof errorText, "%s", text);
#endif
}

}  // namespace

void DebugPrint(const char* format, ...) {
  char buffer[3000];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
#ifdef _WIN32
  OutputDebugStringA(buffer);
#else
  std::fputs(buffer, stderr);
#endif
}

const char* SystemErrorText(int code) {
  // Negate in 64 bits: -INT_MIN does not fit an int.
  long long positive = code < 0 ? -static_cast<long long>(code) : code;
  if (positive >= 11000 && positive <= 11022) return kIpStatusTexts[static_cast<std::size_t>(positive - 11000)].data();
  if (positive >= 40 && positive <= 48) return kSnmpTexts[static_cast<std::size_t>(positive - 40)].data();
  AskSystem(positive > 2147483647LL ? code : static_cast<int>(positive));
  StripLineEnd(errorText);
  return errorText;
}

const char* LastErrorText() {
#ifdef _WIN32
  return SystemErrorText(static_cast<int>(GetLastError()));
#else
  return SystemErrorText(errno);
#endif
}

}  // namespace tarvik
