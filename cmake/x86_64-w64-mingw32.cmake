# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads),
# run under wine. Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DORVANTA_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${DORVANTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DORVANTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DORVANTA_MINGW_TRIPLE}-windres)

# The programs carry their runtime, so they run from any folder without
# the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# zlib (under libcurl) likewise: FindZLIB would take the import library of
# zlib1.dll, which the programs would then need beside them.
set(ZLIB_USE_STATIC_LIBS ON)

# Tests and build steps that run a built program run it under wine.
find_program(DORVANTA_WINE NAMES wine wine64)
if(DORVANTA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${DORVANTA_WINE})
endif()

# Libraries and headers come from the compiler's own tree and from the
# prefixes given in CMAKE_PREFIX_PATH/CMAKE_FIND_ROOT_PATH (the build-local
# GoogleTest and libcurl); the host's never mix in. Programs are the host's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${DORVANTA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The build-local prefix of GoogleTest, libcurl and the header-only libraries.
if(DORVANTA_DEPS_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH ${DORVANTA_DEPS_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DORVANTA_DEPS_PREFIX)
