# KESTOVA_MINGW_THREADS picks Debian's compiler flavour. The product uses the
# win32 thread model: the -posix runtime links the POSIX thread library, which
# imports GetTickCount64 (Vista) and AddVectoredExceptionHandler (XP). The test
# programs need the -posix flavour, whose C++ library has std::mutex.
set(CMAKE_C_COMPILER ${KESTOVA_MINGW_TRIPLE}-gcc-${KESTOVA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${KESTOVA_MINGW_TRIPLE}-g++-${KESTOVA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${KESTOVA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KESTOVA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Nothing but Windows itself is needed at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
