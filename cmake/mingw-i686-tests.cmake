# The product's test programs: 32-bit Windows, with the POSIX thread runtime
# that GoogleTest needs (the programs users run come from mingw-i686.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KESTOVA_MINGW_TRIPLE i686-w64-mingw32)
set(KESTOVA_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
