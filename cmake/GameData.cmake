# The game runs in the build tree's copy of game/: text data is authored as UTF-8
# and converted to Shift-JIS here; what the player made there is never touched.
set(MARROWDEEP_GAME_DIR ${CMAKE_BINARY_DIR}/game)
add_custom_target(game_data ALL
  COMMAND ${CMAKE_COMMAND}
    -DSOURCE=${CMAKE_SOURCE_DIR}/game -DDEST=${MARROWDEEP_GAME_DIR}
    -P ${CMAKE_SOURCE_DIR}/cmake/CopyGameData.cmake
  COMMENT "Refreshing the game's data in ${MARROWDEEP_GAME_DIR}"
  VERBATIM)
# Tile maps are drawn from their text grids into the same copy (tools/tilemap),
# music and sounds synthesised there (tools/sounds), pictures drawn there
# from their descriptions (tools/pictures), the effects' pictures and sounds
# written from their short lines (tools/effects).
add_dependencies(game_data tile_maps game_sounds game_pictures effect_data)
