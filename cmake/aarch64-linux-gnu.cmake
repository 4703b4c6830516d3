# 64-bit ARM through Debian's cross compiler; its programs run under qemu-user, which finds the
# ARM loader and libraries under /usr/aarch64-linux-gnu, or in the multiarch folders once arm64
# packages are installed.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
