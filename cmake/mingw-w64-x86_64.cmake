# Cross-building for 64-bit Windows with Debian's mingw-w64. The posix flavour of the compiler is the
# one whose C++ library has std::thread and friends. BRINDLE_WINDOWS_PREFIX is the folder where the
# Windows builds of the third-party libraries live (scripts/windows-build.sh makes it); nothing of
# the Linux system is searched, so a Linux library can never end up in a Windows program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRINDLE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRINDLE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRINDLE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRINDLE_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${BRINDLE_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${BRINDLE_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

if(NOT BRINDLE_WINDOWS_PREFIX AND DEFINED ENV{BRINDLE_WINDOWS_PREFIX})
  set(BRINDLE_WINDOWS_PREFIX $ENV{BRINDLE_WINDOWS_PREFIX})
endif()
# try_compile projects get the toolchain file again, without the cache: hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRINDLE_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${BRINDLE_MINGW_TRIPLE} ${BRINDLE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs must start on a Windows without a mingw installation: no libgcc, libstdc++ or
# winpthread DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
