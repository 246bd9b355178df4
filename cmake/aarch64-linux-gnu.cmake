# aarch64 Linux (Debian: crossbuild-essential-arm64, qemu-user).
set(EB_COM_CROSS_PROCESSOR aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
