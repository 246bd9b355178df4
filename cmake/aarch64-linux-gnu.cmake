# Cross build for aarch64 Linux with Debian's cross toolchain, tests run
# under qemu's user-mode emulator (Debian: crossbuild-essential-arm64 and
# qemu-user). The emulator is named here, not found through binfmt_misc,
# which not every machine has mounted.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(EB_COM_QEMU_AARCH64 qemu-aarch64 REQUIRED)
# -L: where the emulated dynamic loader and libraries are, for the tests
# that are not linked statically.
set(CMAKE_CROSSCOMPILING_EMULATOR ${EB_COM_QEMU_AARCH64} -L /usr/aarch64-linux-gnu)
