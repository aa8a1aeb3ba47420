# A Debian package of what `cmake --install` puts in place: `cpack -G DEB` in a Release build
# (scripts/package.sh does both).
set(ZEMBRA_PACKAGE_MAINTAINER "Zembra maintainers <maintainers@zembra.invalid>"
    CACHE STRING "The maintainer named in the Debian package")

# Debian wants the licence and a change log of every package in its doc folder; the change log's
# date honours SOURCE_DATE_EPOCH, so that a rebuild gives the same package.
set(ZEMBRA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zembra)
set(ZEMBRA_DOC_FILES copyright)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright DESTINATION ${ZEMBRA_DOC_DIR})
if(ZEMBRA_GZIP)
  string(TIMESTAMP ZEMBRA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
    COMMAND ${ZEMBRA_GZIP} -9nkf ${PROJECT_BINARY_DIR}/debian/changelog
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog
    VERBATIM)
  add_custom_target(zembra_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${ZEMBRA_DOC_DIR})
  list(APPEND ZEMBRA_DOC_FILES changelog.gz)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zembra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zembra")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "music box arranger that prints the punched paper card")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZEMBRA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary before this long description and indents it as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zembra places the notes of a song on the 33 keys of a card music box,
imports them from MIDI files, plays them back with a General MIDI
synthesizer or on a MIDI device, and prints the punched paper card true to
scale, as PDF, or as SVG and DXF drawings for cutting machines.

Besides its window it has sub-commands that report on MIDI files and write
song files, cards, cutter drawings and audio from the command line.")
# Library dependencies come from the program's shared libraries (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The built-in synthesizer plays through this sound font (/usr/share/sounds/sf2/FluidR3_GM.sf2),
# the texts want these fonts, and Qt's own dialogs read Japanese with Qt's translations; without
# them the program still runs, silent, in other faces or with Qt's dialogs in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fluid-soundfont-gm, fonts-noto-cjk, fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
