# Our own targets get strict warnings; third-party code is left alone. QUARNEL_WERROR makes them
# errors (the presets and CI).
# Float results must be identical on every host: no contraction into fused multiply-adds,
# and on 32-bit x86 no x87 excess precision.
function(quarnel_strict target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /fp:precise)
        if(QUARNEL_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic
                                                  -ffp-contract=off)
        if(QUARNEL_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
        # Emscripten calls its target x86 but takes no x86 code-generation flags; WebAssembly
        # floats are IEEE single and double already.
        if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$" AND NOT EMSCRIPTEN)
            target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
        endif()
    endif()
endfunction()
