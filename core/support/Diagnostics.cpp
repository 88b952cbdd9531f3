#include "support/Diagnostics.h"

#include <cstdarg>

namespace {

std::FILE *g_stream = nullptr; // null means standard output

} // namespace

namespace Diagnostics {

void setStream(std::FILE *stream)
{
    g_stream = stream;
}

std::FILE *stream()
{
    return g_stream != nullptr ? g_stream : stdout;
}

void print(const char *format, ...)
{
    std::FILE *out = stream();
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(out, format, arguments);
    va_end(arguments);
    std::fflush(out);
}

} // namespace Diagnostics
