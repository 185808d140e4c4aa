# What `cmake --install` lays out and the Debian package built from it (scripts/package.sh).
# The layout and the relative paths come from QuorlynInstallDirs.cmake.

# The build tree keeps its own RUNPATH (the program beside its libraries); the installed program
# reaches the private folder from its own, and the libraries need none.
set_target_properties(Quorlyn32 PROPERTIES INSTALL_RPATH "\$ORIGIN/${QUORLYN_PRIVATE_LIB_FROM_BIN}")
set_target_properties(vintrel pelmora PROPERTIES INSTALL_RPATH "")
install(TARGETS Quorlyn32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS vintrel pelmora LIBRARY DESTINATION ${QUORLYN_INSTALL_PRIVATE_LIBDIR} NAMELINK_SKIP)

# One release date gives the metainfo's and the changelog's.
set(QUORLYN_RELEASE_EPOCH 1796947200) # 2026-12-11
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${QUORLYN_RELEASE_EPOCH})
string(TIMESTAMP QUORLYN_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP QUORLYN_RELEASE_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")

set(dist ${CMAKE_SOURCE_DIR}/dist)
set(dist_out ${CMAKE_BINARY_DIR}/dist)
configure_file(${dist}/${QUORLYN_APP_ID}.metainfo.xml.in ${dist_out}/${QUORLYN_APP_ID}.metainfo.xml @ONLY)
configure_file(${dist}/changelog.in ${dist_out}/changelog @ONLY)

# The manual page and the changelog are compressed as Debian keeps them: the most, without a name
# or time stamp.
set(compressed ${dist_out}/Quorlyn32.1.gz ${dist_out}/changelog.gz)
add_custom_command(OUTPUT ${compressed}
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${dist}/Quorlyn32.1 ${dist_out}/Quorlyn32.1.gz
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${dist_out}/changelog ${dist_out}/changelog.gz
    DEPENDS ${dist}/Quorlyn32.1 ${dist_out}/changelog
    VERBATIM)

# The icon at the fixed sizes of the hicolor theme, drawn from the one scalable picture.
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icon_files)
find_program(QUORLYN_RSVG_CONVERT rsvg-convert)
if(QUORLYN_RSVG_CONVERT)
    foreach(size IN LISTS icon_sizes)
        set(png ${dist_out}/icons/${size}x${size}/${QUORLYN_APP_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${QUORLYN_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${dist}/${QUORLYN_APP_ID}.svg
            DEPENDS ${dist}/${QUORLYN_APP_ID}.svg
            VERBATIM)
        list(APPEND icon_files ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
else()
    message(STATUS "rsvg-convert not found: only the scalable icon is installed")
endif()
add_custom_target(quorlyn_desktop_files ALL DEPENDS ${compressed} ${icon_files})

install(FILES ${dist}/${QUORLYN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${dist}/${QUORLYN_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages)
install(FILES ${dist_out}/${QUORLYN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${dist}/${QUORLYN_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${dist_out}/Quorlyn32.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${dist}/copyright ${dist_out}/changelog.gz DESTINATION ${QUORLYN_INSTALL_DOCDIR})
# The folders where the program looks for its data and its companions, there for the system's
# administrator to fill.
install(DIRECTORY DESTINATION ${QUORLYN_INSTALL_DATADIR})
install(DIRECTORY DESTINATION ${QUORLYN_INSTALL_PRIVATE_LIBDIR}/Tools)

# The Debian package: dependencies from the binaries (dpkg-shlibdeps), stripped binaries. Packing
# (and the install target) builds only what is installed, not the tests: scripts/package.sh builds
# the program and the desktop files first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorlyn32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zentrix)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build printer resource images from projects")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quorlyn32 collects printer resources (fonts, macros, forms and program data)
into projects and builds them into the slot images of a page printer's memory
card or disk, or into EPROM and PC Card image files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zentrix <quorlyn32@zentrix.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
