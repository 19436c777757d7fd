# Warnings for the project's own targets (not for third-party headers).
function(marrowdeep_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
    -Wno-multichar)
  # A unity build includes each source into a batch file, so GCC takes the
  # types a source keeps in its anonymous namespace for a header's: the
  # warning speaks of the batch, not of the code.
  if(MARROWDEEP_UNITY)
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
endfunction()
