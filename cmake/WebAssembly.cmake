# The WebAssembly build: every program in it (the page, quarnel-render and the tests for Node)
# uses the instructions every current browser has beyond the first WebAssembly: 128-bit
# vectors, memory.copy and memory.fill for memcpy and memset (the tile copies and clears), and
# float-to-integer conversions that saturate rather than trap, which spares the range tests
# round each one. Vector lanes round as the scalar instructions do, so the frames stay the
# native ones; the tests compare the quick sines' two builds bit for bit.
# Set to less to measure what each instruction set brings.
set(QUARNEL_WASM_FEATURES "-msimd128;-mbulk-memory;-mnontrapping-fptoint" CACHE STRING
    "WebAssembly features beyond the first version, for every program of the web build")
if(EMSCRIPTEN)
    add_compile_options(${QUARNEL_WASM_FEATURES})
    add_link_options(${QUARNEL_WASM_FEATURES})
endif()

# The objects are LLVM bitcode and the linker optimises the program as one module, so calls
# across files can be inlined and what nothing calls goes: under Node a frame of quarnel-render
# takes some 15 % less, and the page's module is 8 KB smaller. Float operations keep their
# order (no fast-math, no contraction), so the frames keep their bits; the web stage compares
# them with the native program's.
option(QUARNEL_WASM_LTO "WebAssembly optimised at link time as one module" ON)
if(EMSCRIPTEN AND QUARNEL_WASM_LTO)
    add_compile_options(-flto)
    add_link_options(-flto)
endif()

# A second build with threads (scripts/build-web.sh makes it in build/emscripten-threads): its
# memory is shared, which a browser allows only on a cross-origin isolated page, and the page
# loads it there; elsewhere it loads the build without.
option(QUARNEL_WASM_THREADS "WebAssembly with threads and shared memory" OFF)
if(EMSCRIPTEN AND QUARNEL_WASM_THREADS)
    add_compile_options(-pthread)
    add_link_options(-pthread)
endif()
