# 64-bit Windows through Debian's MinGW-w64 cross compiler, in its POSIX-threads variant (the one
# whose libstdc++ has std::thread). Its programs run here under Wine.
#
# With VELMORA_QT_WINDOWS naming a Qt built for Windows (scripts/build-qt-windows prints its
# folder), the whole program builds; without it, only what needs no Qt. Qt's tools (moc, rcc, uic)
# are this machine's own, of exactly the same version.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)

# try_compile projects see only what is passed on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_QT_WINDOWS)
if(NOT VELMORA_QT_WINDOWS AND DEFINED ENV{VELMORA_QT_WINDOWS})
    set(VELMORA_QT_WINDOWS "$ENV{VELMORA_QT_WINDOWS}")
endif()
if(VELMORA_QT_WINDOWS)
    list(APPEND CMAKE_FIND_ROOT_PATH "${VELMORA_QT_WINDOWS}")
    list(APPEND CMAKE_PREFIX_PATH "${VELMORA_QT_WINDOWS}")
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
