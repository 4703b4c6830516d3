# 32-bit x86 through Debian's cross compiler. Its programs run natively on an x86-64 kernel;
# linked statically they need nothing of 32-bit x86 installed.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
