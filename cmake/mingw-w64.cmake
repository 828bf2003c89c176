# Cross-builds the Windows programs with Debian's mingw-w64 (POSIX threads,
# for std::thread and thread_local), linked statically so that they need
# only the system's DLLs. Tests run under Wine through scripts/wine-run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TW_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TW_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TW_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TW_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TW_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# The programs handed out carry no symbols: half their size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
