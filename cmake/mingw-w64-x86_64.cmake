# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the posix-threads
# variant, whose libstdc++ has std::thread), against the libraries that
# scripts/build-windows-deps installs into VORLANE_WINDOWS_PREFIX:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DVORLANE_WINDOWS_PREFIX=$(scripts/build-windows-deps) ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

if(NOT VORLANE_WINDOWS_PREFIX)
  message(FATAL_ERROR "Set VORLANE_WINDOWS_PREFIX to the folder scripts/build-windows-deps prints")
endif()
# CMake's test projects read this file again; they need the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORLANE_WINDOWS_PREFIX)

# Headers and libraries come from the prefix and the mingw sysroot, never
# from the build machine; programs run during the build do.
set(CMAKE_FIND_ROOT_PATH ${VORLANE_WINDOWS_PREFIX} /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the prefix; --static brings in what the static
# libraries there need in turn (libpng and zlib under libgd, FreeType under FTGL).
set(ENV{PKG_CONFIG_LIBDIR} ${VORLANE_WINDOWS_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)
set(GLEW_USE_STATIC_LIBS ON)

# No C or C++ runtime DLLs to ship: libgcc, libstdc++ and winpthread are
# linked in. Static winpthread goes after libstdc++ at the end of the link
# line, where it resolves libstdc++'s thread calls before the compiler's own
# -lpthread could pick the DLL; the rest is CMake's usual Windows list.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(windows_libraries "-lkernel32 -luser32 -lgdi32 -lwinspool -lshell32 -lole32 -loleaut32 -luuid -lcomdlg32 -ladvapi32")
set(CMAKE_C_STANDARD_LIBRARIES "${windows_libraries} -Wl,-Bstatic -lwinpthread -Wl,-Bdynamic" CACHE STRING "")
set(CMAKE_CXX_STANDARD_LIBRARIES "${windows_libraries} -Wl,-Bstatic -lstdc++ -lwinpthread -Wl,-Bdynamic"
    CACHE STRING "")

# Release binaries are stripped as they are linked (strip itself would stamp
# them with the time), and carry no link time: the same sources give the
# same bytes.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--no-insert-timestamp")
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,--no-insert-timestamp")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
