# Warnings for the project's own targets (not for third-party headers).
function(marrowdeep_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
    -Wno-multichar)
endfunction()
