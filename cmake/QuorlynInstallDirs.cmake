# The installed layout (GNUInstallDirs): the program in bin/, its two libraries and the companion
# programs' Tools/ folder in a private folder under the multiarch library folder, read-only data
# (Quorlyn32.ini, catalogues, help files) in share/quorlyn32/. The program finds them through paths
# relative to its own folder, so no installed file names the prefix or the build machine.

include(GNUInstallDirs)

# The private libraries go under the multiarch folder whatever the prefix (GNUInstallDirs gives it
# for /usr only), so that a package and an install by hand lay out alike.
set(QUORLYN_INSTALL_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/quorlyn32)
if(CMAKE_LIBRARY_ARCHITECTURE AND CMAKE_INSTALL_LIBDIR STREQUAL "lib")
    set(QUORLYN_INSTALL_PRIVATE_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/quorlyn32)
endif()
set(QUORLYN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/quorlyn32)
set(QUORLYN_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorlyn32)
# Seen from bin/: the program's RUNPATH and its search for its own files.
file(RELATIVE_PATH QUORLYN_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_PREFIX}/${QUORLYN_INSTALL_DATADIR})
file(RELATIVE_PATH QUORLYN_PRIVATE_LIB_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_PREFIX}/${QUORLYN_INSTALL_PRIVATE_LIBDIR})

# The application id that names the desktop entry, the icon, the MIME package and the metainfo.
set(QUORLYN_APP_ID com.zentrix.Quorlyn32)
