# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread
# model, so std::thread and std::mutex work). IK_WINDOWS_PREFIX is the folder
# the dependencies were installed to (tools/windows/deps.sh); the tests run
# under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(IK_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${IK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${IK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${IK_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${IK_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${IK_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT IK_WINDOWS_PREFIX AND DEFINED ENV{IK_WINDOWS_PREFIX})
  set(IK_WINDOWS_PREFIX $ENV{IK_WINDOWS_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES IK_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${IK_MINGW_TRIPLE} ${IK_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the prefix's .pc files only, never the build machine's,
# and names what the static libraries need in turn (libpng needs zlib).
set(PKG_CONFIG_ARGN --static CACHE STRING "")
if(IK_WINDOWS_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} ${IK_WINDOWS_PREFIX}/lib/pkgconfig:${IK_WINDOWS_PREFIX}/share/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()

# The runtime of the compiler is linked in, so the programs need no DLL of it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${CMAKE_SHARED_LINKER_FLAGS_INIT}")

find_program(IK_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(IK_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${IK_WINE64})
endif()
