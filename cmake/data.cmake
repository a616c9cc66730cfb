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

# The player's manual beside the program, set by groff from the text the manual tool writes.
if(TARGET dravok_manual)
  find_program(DRAVOK_GROFF groff REQUIRED)
  add_custom_command(
    OUTPUT ${DRAVOK_STAGE_DIR}/Dravok.pdf
    COMMAND dravok_manual ${DRAVOK_DATA_DIR} ${CMAKE_BINARY_DIR}/manual.ms
    COMMAND sh -c "\"$0\" -ms -t -Tpdf -dpaper=a4 -P-pa4 \"$1\" > \"$2\"" ${DRAVOK_GROFF} ${CMAKE_BINARY_DIR}/manual.ms
            ${DRAVOK_STAGE_DIR}/Dravok.pdf
    DEPENDS dravok_manual ${DRAVOK_DATA_DIR}/Dravok.dbs
    COMMENT "Writing the manual Dravok.pdf"
    VERBATIM)
  add_custom_target(dravok_manual_pdf ALL DEPENDS ${DRAVOK_STAGE_DIR}/Dravok.pdf)
endif()
