# Where `cmake --install` puts Brindle for a desktop user. The guide's place is fixed: the editor looks
# for it at <folder of its program>/../share/brindle/guide, so the data folder is always taken relative
# to the prefix (GNUInstallDirs and BRINDLE_INSTALLED_GUIDE_DIR are set up in the top-level file).
set(BRINDLE_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/brindle)
set(BRINDLE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS brindle-cli pickwell RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET pickwell_windows)
  # Pickwell loads its windows from the folder its program is in.
  install(TARGETS pickwell_windows LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(BRINDLE_GUI)
  install(TARGETS brindle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The guide as the build folder holds it, with whatever later build steps add to it.
install(DIRECTORY "${BRINDLE_GUIDE_BUILD_DIR}/" DESTINATION ${BRINDLE_DATA_DESTINATION}/guide)

# Every simulator folder of samples/ (gauges/ and tools/ hold the sources the modules are built from).
file(GLOB brindle_sample_entries LIST_DIRECTORIES true "${BRINDLE_SAMPLES_DIR}/*")
foreach(entry IN LISTS brindle_sample_entries)
  get_filename_component(name ${entry} NAME)
  if(IS_DIRECTORY ${entry} AND NOT name MATCHES "^(gauges|tools)$")
    install(DIRECTORY ${entry} DESTINATION ${BRINDLE_DATA_DESTINATION}/samples
            PATTERN "CMakeLists.txt" EXCLUDE PATTERN "*.c" EXCLUDE PATTERN "*.h" EXCLUDE PATTERN "*.rc" EXCLUDE)
  endif()
endforeach()
if(TARGET sample_gauges)
  # Modules and backgrounds built here replace the committed copies, which may be older.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/samples/FS2000 DESTINATION ${BRINDLE_DATA_DESTINATION}/samples)
endif()

install(FILES ${BRINDLE_PACKAGING_DIR}/brindle.desktop ${BRINDLE_PACKAGING_DIR}/pickwell.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${BRINDLE_PACKAGING_DIR}/brindle.svg ${BRINDLE_PACKAGING_DIR}/pickwell.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${BRINDLE_PACKAGING_DIR}/brindle-panel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
