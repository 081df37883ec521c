// printf-style formatting into a std::string, for the texts that are fixed in printf form (messages,
// file lines, titles). The compiler checks each format against its arguments.
#pragma once

#include <string>

// Marks a printf-like function for the compiler's format checks. mingw's "printf" checks against
// Microsoft's runtime, while its C++ library formats as C99 does (%zu, %lld): that is what is checked.
#if defined(__MINGW32__)
#define BRINDLE_PRINTF_LIKE(fmt_at, args_at) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt_at, args_at)))
#elif defined(__GNUC__)
#define BRINDLE_PRINTF_LIKE(fmt_at, args_at) __attribute__((format(printf, fmt_at, args_at)))
#else
#define BRINDLE_PRINTF_LIKE(fmt_at, args_at)
#endif

namespace brindle {

BRINDLE_PRINTF_LIKE(1, 2)
std::string Printf(const char* format, ...);

}  // namespace brindle
