# What `cmake --install` puts where, and the Debian package made from it by CPack
# (`cmake --build build --target package`).

# The release the metainfo announces; set together with the project version.
set(QUORLENT_RELEASE_DATE 2026-12-08)

install(TARGETS quorlent RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${QUORLENT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/${QUORLENT_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${QUORLENT_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${QUORLENT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The sample history, copied into a new program folder on its first start.
install(DIRECTORY samples/历史号码 DESTINATION ${CMAKE_INSTALL_DATADIR}/quorlent)
install(FILES data/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorlent)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorlent)
set(CPACK_PACKAGE_VENDOR "The Quorlent developers")
set(CPACK_PACKAGE_CONTACT "The Quorlent developers <quorlent@quorlent.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw history analysis for a five-digit lottery")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Quorlent keeps the draw history of a five-digit lottery with 120 draws a day in\n"
  "a local SQLite database and shows what followed draws like a given one:\n"
  "follow-pattern and combination searches by number, big/small, odd/even or\n"
  "segment, the ranking of the outcomes, and export of any grid to a spreadsheet\n"
  "file. The interface is in Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # quorlent_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quorlent.example/)
# The run-time libraries are found by dpkg-shlibdeps in the executable itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not computable: a Chinese font (without one every character is a box) and Qt's
# Chinese dialog buttons. apt installs recommended packages unless told otherwise.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
