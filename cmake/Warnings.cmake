# Our own targets get strict warnings; third-party code is left alone.
# Float results must be identical on every host: no contraction into fused multiply-adds,
# and on 32-bit x86 no x87 excess precision.
function(quarnel_strict target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /fp:precise)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -ffp-contract=off)
        if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
            target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
        endif()
    endif()
endfunction()
