# Install rules and the Debian package: the executable, its menu entry, icon, AppStream
# metadata, man page and the files Debian expects in the package's doc folder.
include(GNUInstallDirs)

set(VANTOR_APP_ID org.vantor.Vantor)
set(VANTOR_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VANTOR_ICON_DIR ${PROJECT_SOURCE_DIR}/resources/icon)
set(VANTOR_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vantor)

install(TARGETS vantor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VANTOR_PACKAGING_DIR}/${VANTOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${VANTOR_PACKAGING_DIR}/${VANTOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${VANTOR_ICON_DIR}/vantor.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
        RENAME ${VANTOR_APP_ID}.svg)
foreach(size 16 32 48 64 128 256)
    install(FILES ${VANTOR_ICON_DIR}/vantor-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${VANTOR_APP_ID}.png)
endforeach()

# Debian wants the man page and the changelog compressed with gzip -9n.
set(VANTOR_GZIPPED ${CMAKE_CURRENT_BINARY_DIR}/packaging)
add_custom_command(
    OUTPUT ${VANTOR_GZIPPED}/vantor.1.gz ${VANTOR_GZIPPED}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTOR_GZIPPED}
    COMMAND gzip -9n -c ${VANTOR_PACKAGING_DIR}/vantor.1 > ${VANTOR_GZIPPED}/vantor.1.gz
    COMMAND gzip -9n -c ${VANTOR_PACKAGING_DIR}/changelog > ${VANTOR_GZIPPED}/changelog.gz
    DEPENDS ${VANTOR_PACKAGING_DIR}/vantor.1 ${VANTOR_PACKAGING_DIR}/changelog
    VERBATIM)
add_custom_target(vantor_packaging_files ALL
    DEPENDS ${VANTOR_GZIPPED}/vantor.1.gz ${VANTOR_GZIPPED}/changelog.gz)
install(FILES ${VANTOR_GZIPPED}/vantor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VANTOR_GZIPPED}/changelog.gz ${VANTOR_PACKAGING_DIR}/copyright
        DESTINATION ${VANTOR_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantor developers")
set(CPACK_PACKAGE_CONTACT "Vantor developers <info@vantor.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vantor.example")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "plot and record numbers a microcontroller sends over a serial port")
# CPack puts the summary first; an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantor reads text lines from a serial port or a USB virtual serial port,
takes up to eight numbers (channels) from each line and shows them live: a
fast display of up to 100,000 samples with pan and zoom, a slow display that
draws a trend of up to eight channels with two meters, a terminal page and
eight port lamps.

Record writes every sample with its time to a CSV file for as long as a run
lasts. Displays can be saved, loaded, exported as CSV or bitmap and copied
to the clipboard. The demo ports DEMO (two channels) and DEMO 8 (eight
channels) let it be tried without a device. The window speaks German and
English.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialog texts in the user's language; the libraries come from shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
