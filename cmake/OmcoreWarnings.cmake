# Warning and sanitizer flags shared by the library, its tools, tests and benchmarks.
if(OMCORE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

function(omcore_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(OMCORE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
