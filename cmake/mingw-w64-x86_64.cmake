# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads, for
# std::thread and std::mutex). Programs and tests link libgcc, libstdc++,
# winpthread and zlib statically, so nothing but Windows' own DLLs ships with
# them; tests run under Wine through the emulator below.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NABIDKA_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${NABIDKA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NABIDKA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NABIDKA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NABIDKA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(ZLIB_USE_STATIC_LIBS ON)

# Test executables and helper programs run under Wine, in the prefix and with
# the environment that scripts/wine-run sets up.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
