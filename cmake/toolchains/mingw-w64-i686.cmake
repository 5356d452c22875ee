# Cross build for 32-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-i686-posix).
# The -posix compilers are the ones with std::thread; -static links libgcc, libstdc++ and
# winpthread in, so the programs need no MinGW DLLs beside them (under Wine either).
set(CMAKE_SYSTEM_NAME Windows)
# i686 makes quarnel_strict add -msse2 -mfpmath=sse: x87 excess precision would change the
# pictures.
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QUARNEL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
