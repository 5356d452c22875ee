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
