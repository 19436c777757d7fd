# The game's own code: every layer above the framework, one library.
set(MARROWDEEP_GAME_DIRS file core presentation resource script data battle effect map field menu root)
set(_game_globs)
foreach(dir ${MARROWDEEP_GAME_DIRS})
  list(APPEND _game_globs ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
endforeach()
file(GLOB_RECURSE MARROWDEEP_GAME_SOURCES CONFIGURE_DEPENDS ${_game_globs})

add_library(Game STATIC ${MARROWDEEP_GAME_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_include_directories(Game PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(Game PUBLIC Engine)
marrowdeep_warnings(Game)
