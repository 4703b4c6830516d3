# 32-bit x86 through Debian's cross compiler. Its programs run on an x86-64 kernel as they are,
# linked statically or with the cross libraries under /usr/i686-linux-gnu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
