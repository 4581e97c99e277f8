# Cross-builds the Windows program on Debian with MinGW-w64
# (g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -G Ninja -DSB_TESTS=OFF \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SB_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model: the whole C++ standard library, threads included;
# its one runtime library is linked in statically like the rest.
find_program(CMAKE_CXX_COMPILER NAMES ${SB_MINGW_PREFIX}-g++-posix ${SB_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${SB_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SB_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
