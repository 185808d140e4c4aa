# Warnings for the project's own targets (not for generated moc sources of Qt, which are ours too but clean).
function(quorlyn_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wshadow -Wformat=2
        $<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast>)
    if(QUORLYN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
