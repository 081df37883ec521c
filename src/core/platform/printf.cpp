#include "platform/printf.h"

#include <cstdarg>
#include <cstdio>

namespace brindle {

std::string Printf(const char* format, ...) {
    // Most texts are short: one pass into a buffer on the stack, a second only for longer ones.
    char small[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof small) return std::string(small, static_cast<std::size_t>(n));
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(out.data(), out.size(), format, args);
    va_end(args);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace brindle
