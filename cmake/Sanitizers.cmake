if(QUARNEL_SANITIZE)
    set(QUARNEL_SANITIZE_FLAGS -fsanitize=address,undefined,float-cast-overflow
                               -fno-omit-frame-pointer
                               -fno-sanitize-recover=undefined,float-cast-overflow)
    add_compile_options(${QUARNEL_SANITIZE_FLAGS})
    add_link_options(${QUARNEL_SANITIZE_FLAGS})
endif()
