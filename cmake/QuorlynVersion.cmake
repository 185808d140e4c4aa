# Every deliverable carries a version record in its own file (section .qrl_version), read back by
# the program's version reader. The record is generated once from the project version.
set(QUORLYN_VERSION_SOURCE ${CMAKE_BINARY_DIR}/generated/qrl_version_record.c)
configure_file(${CMAKE_SOURCE_DIR}/base/version_record.c.in ${QUORLYN_VERSION_SOURCE} @ONLY)

function(quorlyn_version_record target)
    target_sources(${target} PRIVATE ${QUORLYN_VERSION_SOURCE})
endfunction()
