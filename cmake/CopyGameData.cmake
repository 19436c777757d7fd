# Copies SOURCE to DEST. Text files (.txt, .nml, .ini) are converted from UTF-8
# to Shift-JIS (code page 932); tile-map grids (.grid) are left to tools/tilemap
# and picture grids (.pic) to tools/pictures;
# everything else is copied as it is.
file(MAKE_DIRECTORY ${DEST})
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(rel ${files})
  if(rel MATCHES "(^|/)(README[^/]*|\\.gitkeep|[^/]*\\.(grid|pic))$")
    continue()
  endif()
  set(src ${SOURCE}/${rel})
  set(dst ${DEST}/${rel})
  if(EXISTS ${dst} AND NOT ${src} IS_NEWER_THAN ${dst})
    continue()
  endif()
  get_filename_component(dir ${dst} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  if(rel MATCHES "\\.(txt|nml|ini)$")
    execute_process(COMMAND iconv -f UTF-8 -t CP932 ${src}
      OUTPUT_FILE ${dst} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${src}: not convertible from UTF-8 to Shift-JIS")
    endif()
  else()
    configure_file(${src} ${dst} COPYONLY)
  endif()
endforeach()
