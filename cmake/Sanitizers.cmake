if(QUARNEL_SANITIZE)
    set(QUARNEL_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                               -fno-sanitize-recover=undefined)
    add_compile_options(${QUARNEL_SANITIZE_FLAGS})
    add_link_options(${QUARNEL_SANITIZE_FLAGS})
endif()
