# The Windows executable: a window program (no console) with its icon and version resource. The
# zip and the installer are packed by scripts/windows/package.sh from the build.
enable_language(RC)
set(QUORLENT_ICO ${PROJECT_SOURCE_DIR}/data/windows/quorlent.ico)
configure_file(data/windows/quorlent.rc.in ${PROJECT_BINARY_DIR}/quorlent.rc @ONLY)
target_sources(quorlent PRIVATE ${PROJECT_BINARY_DIR}/quorlent.rc)
set_target_properties(quorlent PROPERTIES WIN32_EXECUTABLE ON)
