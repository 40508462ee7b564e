// LineSink: the formatted line, shared by every sink.
#include "support/LineSink.h"

#include <cstdarg>
#include <cstdio>

namespace tarvik {

void LineSink::OutputLineF(const char* format, ...) {
  char buffer[2048];
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length < 0) length = 0;
  const std::size_t stored = static_cast<std::size_t>(length) < sizeof buffer
                                 ? static_cast<std::size_t>(length)
                                 : sizeof buffer - 1;
  OutputLine(std::string_view(buffer, stored));
}

}  // namespace tarvik
