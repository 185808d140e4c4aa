# Writes the C++ table of the symbol sets' ranges from rows.tsv, so that the data lives in that
# file only. Run at build time:
#   cmake -DINPUT=<rows.tsv> -DOUTPUT=<TrueTypeSymbolSetData.cpp> -P GenerateSymbolSetData.cmake
# A line that is not a well-formed range stops the build with its line number: a wrong range would
# put the wrong characters into every font converted for that set.
cmake_minimum_required(VERSION 3.20)

if(NOT INPUT OR NOT OUTPUT)
    message(FATAL_ERROR "GenerateSymbolSetData: INPUT and OUTPUT are required")
endif()

file(STRINGS "${INPUT}" lines)
list(LENGTH lines lineCount)
if(lineCount LESS 2)
    message(FATAL_ERROR "${INPUT}: no ranges")
endif()

function(fail lineNumber text)
    message(FATAL_ERROR "${INPUT}:${lineNumber}: ${text}")
endfunction()

list(POP_FRONT lines header)
string(REGEX REPLACE "\r$" "" header "${header}")
if(NOT header STREQUAL "row\tkind\tfirst\tlast")
    fail(1 "the first line must be the header \"row<TAB>kind<TAB>first<TAB>last\"")
endif()

set(lineNumber 1)
set(row -1)
set(rangeCount 0)
set(lastCode -1)
set(body "")
set(rowStarts "")
foreach(line IN LISTS lines)
    math(EXPR lineNumber "${lineNumber} + 1")
    # Tolerates a file saved with CR LF line ends; anything else off the pattern is refused.
    string(REGEX REPLACE "\r$" "" line "${line}")
    if(NOT line MATCHES "^([0-9]+)\t([01])\t([0-9]+)\t([0-9]+)$")
        fail(${lineNumber} "not \"row kind first last\" with kind 0 or 1: \"${line}\"")
    endif()
    set(lineRow ${CMAKE_MATCH_1})
    set(kind ${CMAKE_MATCH_2})
    set(first ${CMAKE_MATCH_3})
    set(last ${CMAKE_MATCH_4})
    foreach(number IN ITEMS ${lineRow} ${first} ${last})
        string(LENGTH "${number}" digits)
        if(digits GREATER 5 OR number GREATER 65535)
            fail(${lineNumber} "${number} does not fit 16 bits")
        endif()
    endforeach()
    if(NOT lineRow EQUAL row)
        math(EXPR nextRow "${row} + 1")
        if(NOT lineRow EQUAL nextRow)
            fail(${lineNumber} "row ${lineRow} follows row ${row}; rows run from 0 without a gap")
        endif()
        set(row ${lineRow})
        set(lastCode -1)
        list(APPEND rowStarts ${rangeCount})
        string(APPEND body "    // row ${row}\n")
    endif()
    if(kind EQUAL 0 AND first GREATER last)
        fail(${lineNumber} "range ${first} to ${last} runs backwards")
    endif()
    # Codes rise through a row, so that no printer code gets two glyph records.
    if(NOT first GREATER lastCode)
        fail(${lineNumber} "code ${first} is not above the row's previous code ${lastCode}")
    endif()
    if(kind EQUAL 0)
        set(lastCode ${last})
    else()
        set(lastCode ${first})
    endif()
    string(APPEND body "    {${kind}, ${first}, ${last}},\n")
    math(EXPR rangeCount "${rangeCount} + 1")
endforeach()
list(APPEND rowStarts ${rangeCount})
list(JOIN rowStarts ", " rowStartText)

set(text "// Generated from engine/data/rows.tsv by engine/data/GenerateSymbolSetData.cmake at build time.
// Change the data, not this file.
#include \"TrueTypeSymbolSets.h\"

#include <iterator>

namespace vintrel {
namespace {

constexpr SymbolRange kRanges[] = {
${body}};

// Where each row begins in kRanges, and the end of the last row.
constexpr std::size_t kRowStarts[] = {${rowStartText}};
static_assert(std::size(kRowStarts) == kSymbolSetCount + 1, \"rows.tsv must hold every symbol set\");

} // namespace

std::span<const SymbolRange> symbolSetRanges(std::size_t index)
{
    return std::span<const SymbolRange>(kRanges).subspan(kRowStarts[index],
                                                         kRowStarts[index + 1] - kRowStarts[index]);
}

} // namespace vintrel
")
file(WRITE "${OUTPUT}" "${text}")
