# Installation where Debian puts games: the executable in games/, the data
# in share/games/tuublark/ (the game looks there from its own folder), the
# desktop entry, icons, AppStream metainfo, man page and copyright notes.
# scripts/package-deb.sh turns it into a .deb with CPack.

# The project has no web home of its own yet: the metainfo's ID and its
# screenshot addresses derive from this domain (by default a reserved name
# that cannot resolve). Set it when the screenshots are published.
set(TUUBLARK_WEB_DOMAIN tuublark.invalid CACHE STRING "Domain the project is published under")
string(REPLACE "." ";" domain_parts ${TUUBLARK_WEB_DOMAIN})
list(REVERSE domain_parts)
list(JOIN domain_parts "." TUUBLARK_APP_ID)
set(TUUBLARK_APP_ID ${TUUBLARK_APP_ID}.Tuublark)
set(TUUBLARK_SCREENSHOT_URL https://${TUUBLARK_WEB_DOMAIN}/screenshots)

set(TUUBLARK_DATA_DIR share/games/tuublark)
set(TUUBLARK_MAN_DATA /usr/${TUUBLARK_DATA_DIR})
set(packaging ${CMAKE_SOURCE_DIR}/packaging/linux)
set(staged ${CMAKE_BINARY_DIR}/packaging)
configure_file(${packaging}/tuublark.desktop.in ${staged}/${TUUBLARK_APP_ID}.desktop @ONLY)
configure_file(${packaging}/tuublark.metainfo.xml.in ${staged}/${TUUBLARK_APP_ID}.metainfo.xml @ONLY)
configure_file(${packaging}/tuublark.6.in ${staged}/tuublark.6 @ONLY)

# Debian wants man pages and changelogs compressed without a time stamp.
find_program(GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${staged}/tuublark.6.gz ${staged}/changelog.gz
  COMMAND ${GZIP} -9nc ${staged}/tuublark.6 > ${staged}/tuublark.6.gz
  COMMAND ${GZIP} -9nc ${packaging}/changelog > ${staged}/changelog.gz
  DEPENDS ${staged}/tuublark.6 ${packaging}/changelog
  VERBATIM)
add_custom_target(tuublark_packaging ALL DEPENDS ${staged}/tuublark.6.gz ${staged}/changelog.gz)

# The game's notes followed by those of the font it carries as graphics/rez.ttf.
get_filename_component(font_name ${TUUBLARK_FONT_SOURCE} NAME)
file(READ ${packaging}/copyright game_copyright)
file(READ ${TUUBLARK_FONT_COPYRIGHT} font_copyright)
string(REGEX REPLACE "^Format:[^\n]*\n" "" font_copyright "${font_copyright}")
file(WRITE ${staged}/copyright "${game_copyright}\nFiles: ${TUUBLARK_DATA_DIR}/graphics/rez.ttf\nComment: ${font_name}, unchanged, from Debian's fonts-dejavu-core.\n${font_copyright}")

install(TARGETS tuublark RUNTIME DESTINATION games)
# Every folder the asset generator fills (see game/assets.cpp).
install(DIRECTORY ${CMAKE_BINARY_DIR}/Audio ${CMAKE_BINARY_DIR}/backgrounds ${CMAKE_BINARY_DIR}/graphics
        DESTINATION ${TUUBLARK_DATA_DIR})
foreach(size 48 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/tuublark-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tuublark.png)
endforeach()
install(FILES ${staged}/${TUUBLARK_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${staged}/${TUUBLARK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${staged}/tuublark.6.gz DESTINATION share/man/man6)
install(FILES ${staged}/copyright ${staged}/changelog.gz DESTINATION share/doc/tuublark)

# The .deb: runtime libraries only, data included.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tuublark)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "TUUBLARK developers <tuublark@${TUUBLARK_WEB_DOMAIN}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block puzzle swept in time with the music")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${packaging}/description)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies from the libraries the executable really links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
