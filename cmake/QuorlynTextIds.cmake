# Writes one id header per area from the list of texts: cmake -DLIST=<StringList.def> -DOUT=<folder>
# -P QuorlynTextIds.cmake. Each header holds the names of its area's ids, nothing of the texts, so
# a changed text leaves every header as it is. A header is rewritten only when its content changes:
# the units that include it stay untouched (Ninja's restat, Make's timestamps).
cmake_minimum_required(VERSION 3.25)

set(areas Base Raster Platform Project Printing BuildSession Tools Dialogs App)

file(READ "${LIST}" list_text)
# Only the part up to the name is matched: a text may hold any character, a CMake list separator too.
string(REGEX MATCHALL "\nQRL_STRING\\([^,\n]*,[^,\n]*,[^,\n]*," lines "${list_text}")
foreach(area IN LISTS areas)
    set(body_${area} "")
endforeach()
foreach(line IN LISTS lines)
    if(NOT line MATCHES "^\nQRL_STRING\\(([0-9]+), ([A-Za-z]+), (k[A-Za-z0-9_]+),$")
        string(STRIP "${line}" line)
        message(FATAL_ERROR "${LIST}: a line not of the form QRL_STRING(id, area, name, text): ${line}")
    endif()
    set(area ${CMAKE_MATCH_2})
    if(NOT area IN_LIST areas)
        message(FATAL_ERROR "${LIST}: ${CMAKE_MATCH_3} has the unknown area ${area} (known: ${areas})")
    endif()
    string(APPEND body_${area} "inline constexpr int ${CMAKE_MATCH_3} = ${CMAKE_MATCH_1};\n")
endforeach()

function(write_if_changed path content)
    if(EXISTS "${path}")
        file(READ "${path}" old)
        if(old STREQUAL content)
            return()
        endif()
    endif()
    file(WRITE "${path}" "${content}")
endfunction()

set(notice "// Made by the build from base/StringList.def; edit the list, not this file.")
set(all "#pragma once\n\n${notice}\n// Every area's string ids, for the tests.\n")
foreach(area IN LISTS areas)
    write_if_changed("${OUT}/${area}TextIds.h"
        "#pragma once\n\n${notice}\nnamespace qrl::ids {\n\n${body_${area}}\n} // namespace qrl::ids\n")
    string(APPEND all "#include \"${area}TextIds.h\"\n")
endforeach()
write_if_changed("${OUT}/TextIds.h" "${all}")
