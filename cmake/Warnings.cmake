# Our own targets get strict warnings; third-party code is left alone.
# Float results must be identical on every host: no contraction into fused multiply-adds,
# and on 32-bit x86 no x87 excess precision.
function(quarnel_strict target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /fp:precise)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic -Werror
                                                  -ffp-contract=off)
        # Emscripten calls its target x86 but takes no x86 code-generation flags; WebAssembly
        # floats are IEEE single and double already.
        if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$" AND NOT EMSCRIPTEN)
            target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
        endif()
    endif()
endfunction()
