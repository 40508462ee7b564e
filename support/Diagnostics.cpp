// Diagnostics: debug lines, and error texts for system and network codes, on every platform.
#include "support/Diagnostics.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "support/Diagnostics-platform.h"
#include "support/TextOps.h"

namespace tarvik {
namespace {

constexpr std::size_t kErrorTextSize = 1024;

// Network status codes that the system message table does not know.
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

constexpr std::array<std::string_view, 9> kSnmpTexts = {
    "SNMP No Response Received", "SNMP SELECT_FDERRORS", "SNMP TRAP_ERRORS",
    "SNMP TRAP_DUPINIT",         "SNMP NOTRAPS",         "SNMP AGAIN",
    "SNMP INVALID_CTL",          "SNMP INVALID_SESSION", "SNMP INVALID_BUFFER",
};

// One buffer per thread, so concurrent callers never see each other's text.
thread_local char errorText[kErrorTextSize];

}  // namespace

void DebugPrint(const char* format, ...) {
  char buffer[3000];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  WriteDebugOutput(buffer);
}

const char* SystemErrorText(int code) {
  // Negate in 64 bits: -INT_MIN does not fit an int.
  long long positive = code < 0 ? -static_cast<long long>(code) : code;
  if (positive >= 11000 && positive <= 11022)
    return kIpStatusTexts[static_cast<std::size_t>(positive - 11000)].data();
  if (positive >= 40 && positive <= 48)
    return kSnmpTexts[static_cast<std::size_t>(positive - 40)].data();
  WriteSystemMessage(positive > 2147483647LL ? code : static_cast<int>(positive), errorText,
                     sizeof errorText);
  StripLineEnd(errorText);
  return errorText;
}

const char* LastErrorText() { return SystemErrorText(LastSystemError()); }

}  // namespace tarvik
