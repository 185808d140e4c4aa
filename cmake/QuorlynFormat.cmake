# `format-check`: clang-format over the tracked sources, changing nothing; fails naming every
# file that is not formatted as .clang-format says. The script skips the check with a message
# where clang-format is not installed.
add_custom_target(format-check
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/format-check.sh
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Checking the format of the tracked sources"
    VERBATIM)
