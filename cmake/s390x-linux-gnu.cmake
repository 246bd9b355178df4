# s390x Linux, big-endian (Debian: crossbuild-essential-s390x, qemu-user).
set(EB_COM_CROSS_PROCESSOR s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
