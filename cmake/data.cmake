# Builds Data/ from content/: the game database (the tile set joins it when its builder exists).
file(GLOB_RECURSE dravok_content_files CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/content/*.json ${CMAKE_SOURCE_DIR}/content/*.txt)
add_custom_command(
  OUTPUT ${DRAVOK_DATA_DIR}/Dravok.dbs
  COMMAND dravok_dbbuild ${CMAKE_SOURCE_DIR}/content ${DRAVOK_DATA_DIR}/Dravok.dbs
  DEPENDS dravok_dbbuild ${dravok_content_files}
  COMMENT "Building the game database Data/Dravok.dbs from content/"
  VERBATIM)
add_custom_target(dravok_database ALL DEPENDS ${DRAVOK_DATA_DIR}/Dravok.dbs)
