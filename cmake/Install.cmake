# Installing the game and packaging it for Debian.
#
# The program goes to bin/ (the top-level file installs it), the data files to share/velmoor
# (the art and sound builders install the files they write, the art builder also the icons in
# the hicolor theme), and this file adds the rest a desktop reads: the launcher entry, the
# AppStream metainfo for software centres and the man page. The data folder
# the program searches is compiled in from CMAKE_INSTALL_PREFIX, so configure with the prefix
# the game will live under (make install PREFIX=..., make package uses /usr).

set(VELMOOR_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")
set(VELMOOR_PACKAGING_OUTPUT "${CMAKE_BINARY_DIR}/packaging")

# Debian wants man pages compressed, with no time stamp inside so the package is reproducible.
add_custom_command(
  OUTPUT "${VELMOOR_PACKAGING_OUTPUT}/velmoor.6.gz"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${VELMOOR_PACKAGING_OUTPUT}"
  COMMAND sh -c "gzip -9n -c '${VELMOOR_PACKAGING_DIR}/velmoor.6' > '${VELMOOR_PACKAGING_OUTPUT}/velmoor.6.gz'"
  DEPENDS "${VELMOOR_PACKAGING_DIR}/velmoor.6"
  COMMENT "Compressing the man page"
  VERBATIM)
add_custom_target(velmoor_desktop_files ALL DEPENDS "${VELMOOR_PACKAGING_OUTPUT}/velmoor.6.gz")

# The metainfo file is named after the component id it carries.
set(VELMOOR_APPSTREAM_ID "invalid.velmoor.Velmoor")
install(FILES "${VELMOOR_PACKAGING_DIR}/velmoor.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${VELMOOR_PACKAGING_DIR}/velmoor.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo" RENAME "${VELMOOR_APPSTREAM_ID}.metainfo.xml")
install(FILES "${VELMOOR_PACKAGING_OUTPUT}/velmoor.6.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")

# What make install puts under a prefix is what a desktop and a software centre read: install
# into a scratch prefix and check it with their own validators.
function(velmoor_add_install_test)
  if(VELMOOR_TESTS)
    add_test(NAME Desktop.InstalledFilesPassTheDesktopValidators
             COMMAND "${PROJECT_SOURCE_DIR}/scripts/check-desktop-install" "${CMAKE_BINARY_DIR}"
                     "${CMAKE_BINARY_DIR}/test-output/install")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL velmoor_add_install_test)

# ---------------------------------------------------------------------------------------------
# Debian package (cpack -G DEB, or the build's `package` target). The package installs where
# the program was configured to look, so build it from a tree configured with
# -DCMAKE_INSTALL_PREFIX=/usr.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "velmoor")
set(CPACK_PACKAGE_VENDOR "The Velmoor developers")
set(CPACK_PACKAGE_CONTACT "The Velmoor developers <velmoor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person mage action in a random stone ruin")
set(CPACK_PACKAGE_DESCRIPTION
  "You are a mage in a stone ruin that is built anew, at random, for every stage. Run, jump\n\
and cast magic; find the key, which raises the exit as a column of light, and step into it\n\
before TIME or LIFE runs out. Plays with the keyboard or a game controller.")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps names the libraries the program links (SDL2, libepoxy, FreeType, fontconfig,
# FluidSynth and the C++ runtime) with their minimum versions; the rest is what it loads at run
# time: OpenGL and its drivers (llvmpipe without a GPU), a General MIDI SoundFont for the music,
# the Courier-metric font and the Japanese gothic of the dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libgl1, libgl1-mesa-dri, timgm6mb-soundfont | fluid-soundfont-gm, fonts-urw-base35, fonts-ipafont-gothic")
set(CPACK_STRIP_FILES ON)
include(CPack)
