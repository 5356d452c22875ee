if(QUARNEL_SANITIZE)
    set(QUARNEL_SANITIZE_FLAGS -fsanitize=address,undefined,float-cast-overflow
                               -fno-omit-frame-pointer
                               -fno-sanitize-recover=undefined,float-cast-overflow)
    add_compile_options(${QUARNEL_SANITIZE_FLAGS})
    add_link_options(${QUARNEL_SANITIZE_FLAGS})
endif()

# ThreadSanitizer, for the tests of the threads that grow the scene; it cannot share a build
# with AddressSanitizer.
option(QUARNEL_TSAN "Build with ThreadSanitizer" OFF)
if(QUARNEL_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -O1)
    add_link_options(-fsanitize=thread)
endif()

# Everything instrumented for libFuzzer's coverage; the fuzz targets alone link its driver.
# Beyond undefined behaviour, a value that an implicit conversion changes (a truncation or a
# change of sign) is a finding too: the code converts on purpose with casts, and a trial of the
# frame loop on small screens found none that drowns the real ones.
if(QUARNEL_FUZZ)
    set(QUARNEL_FUZZ_FLAGS -fsanitize=address,undefined,float-cast-overflow,pointer-overflow
                           -fsanitize=implicit-conversion -fno-sanitize-recover=all
                           -fno-omit-frame-pointer)
    add_compile_options(${QUARNEL_FUZZ_FLAGS} -fsanitize=fuzzer-no-link)
    add_link_options(${QUARNEL_FUZZ_FLAGS})
endif()
