# Writes the effects' set files, bank files and effect-sound list described by
# SOURCE (tools/effects/effects.txt) as UTF-8 text under OUT, laid out as
# game/ is; the caller converts them into the game's copy.
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${SOURCE} lines ENCODING UTF-8)
set(current "")
set(sound_folder "")
set(sounds "")
set(files "")

function(_fail message)
  message(FATAL_ERROR "${SOURCE}: ${message}")
endfunction()

# The percent curve from 100 to `to` over `frames` frames.
function(_curve out frames to)
  set(${out} "{value 100; delay ${frames};} {value ${to};}" PARENT_SCOPE)
endfunction()

foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  separate_arguments(words UNIX_COMMAND "${line}")
  list(POP_FRONT words command)
  if(command STREQUAL "set" OR command STREQUAL "bank")
    list(GET words 0 name)
    if(command STREQUAL "bank")
      set(name "bank/${name}")
    endif()
    set(current "${OUT}/src/picture/animation/${name}.txt")
    list(APPEND files ${current})
    file(WRITE ${current} "// Written by tools/effects from effects.txt: edit that file.\nmaterials{ name glow; blendMode 0; depthWrite 0; }\n")
  elseif(command STREQUAL "model")
    list(LENGTH words count)
    if(NOT count EQUAL 7 OR current STREQUAL "")
      _fail("a model needs a file before it and 7 values: ${line}")
    endif()
    list(GET words 0 name)
    list(GET words 1 frames)
    list(GET words 2 shape)
    list(GET words 3 size)
    list(GET words 4 colour)
    list(GET words 5 grow)
    list(GET words 6 spin)
    _curve(scale ${frames} ${grow})
    _curve(fade ${frames} 0)
    file(APPEND ${current}
      "animation{ name ${name}Motion; time ${frames}; "
      "scale{ x{ ${scale} } y{ ${scale} } z{ ${scale} } } "
      "rotate{ x{ value 0; } y{ value 0; } z{ {value 0; delay ${frames};} {value ${spin};} } } "
      "transparency{ ${fade} } }\n"
      "batch{ name ${name}Shape; type ${shape}; size ${size}; color ${colour}; materials{ name glow; } }\n"
      "model{ name ${name}; time ${frames}; batch{ name ${name}Shape; } animation{ name ${name}Motion; } }\n")
  elseif(command STREQUAL "overlay")
    list(LENGTH words count)
    if(NOT count EQUAL 3 OR current STREQUAL "")
      _fail("an overlay needs a file before it and 3 values: ${line}")
    endif()
    list(GET words 0 name)
    list(GET words 1 frames)
    list(GET words 2 lift)
    string(REPLACE "," ";" lift "${lift}")
    set(channels "")
    set(axes x y z)
    foreach(axis value IN ZIP_LISTS axes lift)
      string(APPEND channels "${axis}{ {value ${value}; delay ${frames};} {value 0;} } ")
    endforeach()
    file(APPEND ${current} "animation{ name ${name}; time ${frames}; emission{ ${channels}} }\n")
  elseif(command STREQUAL "folder")
    list(GET words 0 sound_folder)
  elseif(command STREQUAL "sound")
    list(POP_FRONT words effect)
    set(entries "")
    foreach(entry IN LISTS words)
      if(NOT entry MATCHES "^([^=]+)=([^=]+)$")
        _fail("a sound entry is key=wave: ${entry}")
      endif()
      string(APPEND entries " ${CMAKE_MATCH_1} ${CMAKE_MATCH_2};")
    endforeach()
    string(APPEND sounds "${effect}{${entries} }\n")
  elseif(command STREQUAL "wave")
    # Made by sox at configure time's reading of the same file.
  else()
    _fail("unknown line: ${line}")
  endif()
endforeach()

if(sound_folder STREQUAL "")
  _fail("no folder for the effect sounds")
endif()
file(WRITE ${OUT}/src/sound/list.txt
  "// Written by tools/effects from effects.txt: edit that file.\n"
  "// \"folder\" names the waves' folder; each node is an effect's name with its\n"
  "// sounds (a key, then the wave without \".wav\"); a nested node is a folder.\n"
  "folder ${sound_folder};\n${sounds}")
