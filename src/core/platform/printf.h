// printf-style formatting into a std::string, for the texts that are fixed in printf form (messages,
// file lines, titles). The compiler checks each format against its arguments.
#pragma once

#include <string>

namespace brindle {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
Printf(const char* format, ...);

}  // namespace brindle
