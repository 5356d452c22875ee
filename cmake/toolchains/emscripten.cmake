# Emscripten wherever it is installed: an emsdk ($EMSDK), EMSCRIPTEN_ROOT, or the emcc on the
# PATH (Debian's /usr/bin/emcc leads to /usr/share/emscripten). Emscripten's own toolchain file
# lies in that folder under cmake/Modules/Platform.
set(quarnel_emscripten_roots)
if(DEFINED ENV{EMSCRIPTEN_ROOT})
    list(APPEND quarnel_emscripten_roots "$ENV{EMSCRIPTEN_ROOT}")
endif()
if(DEFINED ENV{EMSDK})
    list(APPEND quarnel_emscripten_roots "$ENV{EMSDK}/upstream/emscripten")
endif()
find_program(QUARNEL_EMCC emcc)
if(QUARNEL_EMCC)
    file(REAL_PATH "${QUARNEL_EMCC}" quarnel_emcc_real)
    get_filename_component(quarnel_emcc_dir "${quarnel_emcc_real}" DIRECTORY)
    list(APPEND quarnel_emscripten_roots "${quarnel_emcc_dir}")
endif()
foreach(root IN LISTS quarnel_emscripten_roots)
    if(EXISTS "${root}/cmake/Modules/Platform/Emscripten.cmake")
        include("${root}/cmake/Modules/Platform/Emscripten.cmake")
        return()
    endif()
endforeach()
message(FATAL_ERROR "Emscripten not found: set EMSDK or EMSCRIPTEN_ROOT, or put emcc on the PATH "
                    "(Debian: apt-get install emscripten)")
