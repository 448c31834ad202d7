# Cross build for 64-bit Windows with Debian's mingw-w64 (the -posix compilers, whose libstdc++ has
# std::thread and std::mutex). Everything is linked statically: the .exe needs no DLL besides the
# system's own. Tests run under Wine through scripts/wine-run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QL2_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QL2_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QL2_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QL2_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QL2_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Target programs (tests, test discovery) run under Wine, in a prefix of the build tree's own.
get_filename_component(QL2_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QL2_WINE_RUN} --prefix ${CMAKE_BINARY_DIR}/wineprefix)
