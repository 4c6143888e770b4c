# The same image computed without a floor must be identical byte for byte; a floor above the
# thumbs' must change it (so the comparison sees counts that the floor could hide).
execute_process(COMMAND ${TOOL} dotplot dotplot_seqs.fas dotplot_seqs.fas --type identity
                        --window 3 --thumbs 2,2 --floor 0 -o ${WORK_DIR}/full.png
                WORKING_DIRECTORY ${DATA_DIR})
execute_process(COMMAND ${TOOL} dotplot dotplot_seqs.fas dotplot_seqs.fas --type identity
                        --window 3 --thumbs 2,2 --floor 2 -o ${WORK_DIR}/higher.png
                WORKING_DIRECTORY ${DATA_DIR})
file(READ ${WORK_DIR}/out.png floored HEX)
file(READ ${WORK_DIR}/full.png full HEX)
file(READ ${WORK_DIR}/higher.png higher HEX)
if(NOT floored STREQUAL full)
  string(APPEND failures "the image differs from the one computed without a floor\n")
endif()
if(higher STREQUAL full)
  string(APPEND failures "a floor above the thumbs' changed nothing\n")
endif()
