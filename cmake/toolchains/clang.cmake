# The host's clang, unversioned where the distribution provides that name, else the newest
# versioned one installed (Debian's clang-NN packages install only clang++-NN).
set(quarnel_clang_versions 20 19 18 17 16 15 14)
set(quarnel_clangxx_names clang++)
set(quarnel_clang_names clang)
foreach(version IN LISTS quarnel_clang_versions)
    list(APPEND quarnel_clangxx_names clang++-${version})
    list(APPEND quarnel_clang_names clang-${version})
endforeach()
find_program(CMAKE_CXX_COMPILER NAMES ${quarnel_clangxx_names} REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${quarnel_clang_names})
