# 64-bit twin of the product: runs the Windows-side tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTOVA_MINGW_TRIPLE x86_64-w64-mingw32)
set(KESTOVA_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
