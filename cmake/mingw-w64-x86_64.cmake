# Cross-compiles for 64-bit Windows with Debian's mingw-w64 and runs the results under wine.
# The posix thread model is the one whose C++ library has std::mutex and std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARNEK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARNEK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNEK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNEK_MINGW_PREFIX}-windres)

# Libraries and headers only from the target's own tree. Packages are also looked up in
# CMAKE_PREFIX_PATH as given, for the GoogleTest built for this target; the build's options
# keep every package that exists only for the host (SQLite, Qt, Google Benchmark) out.
set(CMAKE_FIND_ROOT_PATH /usr/${TARNEK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# This target's GCC 12 warns of overlapping copies inside the standard library's string
# concatenation at -O2 (a known false positive of that release); silenced so that a real
# warning in our code stands out.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# Static programs find no DLLs at run time, so wine needs no path set up for the runtime.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
