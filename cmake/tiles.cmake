# The tile set Data/Dravok.dti and .dts: built by tilebuild from the game database (its counts
# and template order), the content's image choices and its icon files, after the database step;
# build/tileset_preview.png shows the sheet for people to look at.
if(TARGET tilebuild AND EXISTS ${CMAKE_SOURCE_DIR}/content)
  file(GLOB tile_content CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/content/items/*.json
    ${CMAKE_SOURCE_DIR}/content/talents/*.json
    ${CMAKE_SOURCE_DIR}/content/creatures/*.json
    ${CMAKE_SOURCE_DIR}/content/art/icons/*.svg)
  add_custom_command(
    OUTPUT ${DRAVOK_DATA_DIR}/Dravok.dti ${DRAVOK_DATA_DIR}/Dravok.dts ${CMAKE_BINARY_DIR}/tileset_preview.png
    COMMAND tilebuild --database ${DRAVOK_DATA_DIR}/Dravok.dbs --content ${CMAKE_SOURCE_DIR}/content
            --out ${DRAVOK_DATA_DIR} --preview ${CMAKE_BINARY_DIR}/tileset_preview.png
    DEPENDS tilebuild ${DRAVOK_DATA_DIR}/Dravok.dbs ${tile_content}
    COMMENT "Building the tile set"
    VERBATIM)
  add_custom_target(dravok_tiles ALL DEPENDS ${DRAVOK_DATA_DIR}/Dravok.dti ${DRAVOK_DATA_DIR}/Dravok.dts)
endif()
