# Warnings are set per target so that third-party code is not affected.
function(veltrand_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wconversion -Wsign-conversion)
    endif()
endfunction()

# Windows programs and modules carry their C and C++ runtimes inside, so that
# the one file is all a user copies.
function(veltrand_static_runtime target)
    if(MINGW)
        target_link_options(${target} PRIVATE -static $<$<CONFIG:Release>:-s>)
    elseif(MSVC)
        set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
    endif()
endfunction()
