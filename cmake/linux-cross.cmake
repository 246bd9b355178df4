# Cross build for another Linux machine with Debian's cross toolchain
# (crossbuild-essential-<arch>), the tests run under qemu's user-mode
# emulator (qemu-user). The emulator is named here, not found through
# binfmt_misc, which not every machine has mounted. The machine's own
# toolchain file sets EB_COM_CROSS_PROCESSOR and includes this one.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${EB_COM_CROSS_PROCESSOR})
set(CMAKE_C_COMPILER ${EB_COM_CROSS_PROCESSOR}-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER ${EB_COM_CROSS_PROCESSOR}-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${EB_COM_CROSS_PROCESSOR}-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(EB_COM_QEMU qemu-${EB_COM_CROSS_PROCESSOR} REQUIRED)
# -L: where the emulated dynamic loader and libraries are, for the tests
# that are not linked statically.
set(CMAKE_CROSSCOMPILING_EMULATOR ${EB_COM_QEMU} -L /usr/${EB_COM_CROSS_PROCESSOR}-linux-gnu)
