# The program's Qt libraries: one static library per folder and layer, each with its own folder on
# its public include path only, so that a folder can include the headers of the layers below it
# and nothing of the layers above.
#
# quorlyn_qt_library(name [GUI] SOURCES a.cpp ... [PUBLIC lib ...] [PRIVATE lib ...])
function(quorlyn_qt_library name)
    cmake_parse_arguments(L "GUI" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
    quorlyn_qt_target(${name})
    if(QUORLYN_PCH)
        if(L_GUI)
            target_precompile_headers(${name} REUSE_FROM quorlyn_pch_gui)
        else()
            target_precompile_headers(${name} REUSE_FROM quorlyn_pch_core)
        endif()
    endif()
    quorlyn_warnings(${name})
endfunction()

# What every target built against Qt gets: moc and the checked string conversions. moc waits for
# nothing of the libraries below: no header of theirs is generated.
function(quorlyn_qt_target name)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOGEN_ORIGIN_DEPENDS OFF)
    target_compile_definitions(${name} PRIVATE
        QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY)
endfunction()

# The Qt headers the libraries precompile, those of the core and those of the widgets.
set(QUORLYN_PCH_CORE <QByteArray> <QDir> <QFile> <QFileInfo> <QList> <QObject> <QString> <QStringList>
    <algorithm> <cstdint> <functional> <memory> <optional> <vector>)
set(QUORLYN_PCH_GUI <QAction> <QComboBox> <QDialog> <QLabel> <QLayout> <QPushButton> <QWidget>)

# Two precompiled headers, the core's and the widgets', made once each and used by every library of
# their kind, so that no layer waits for a header of its own.
if(QUORLYN_PCH)
    add_library(quorlyn_pch_core STATIC ${CMAKE_CURRENT_LIST_DIR}/QuorlynPch.cpp)
    target_link_libraries(quorlyn_pch_core PRIVATE Qt6::Core)
    target_precompile_headers(quorlyn_pch_core PRIVATE ${QUORLYN_PCH_CORE})
    quorlyn_qt_target(quorlyn_pch_core)
    add_library(quorlyn_pch_gui STATIC ${CMAKE_CURRENT_LIST_DIR}/QuorlynPch.cpp)
    target_link_libraries(quorlyn_pch_gui PRIVATE Qt6::Widgets Qt6::PrintSupport)
    target_precompile_headers(quorlyn_pch_gui PRIVATE ${QUORLYN_PCH_CORE} ${QUORLYN_PCH_GUI})
    quorlyn_qt_target(quorlyn_pch_gui)
endif()
