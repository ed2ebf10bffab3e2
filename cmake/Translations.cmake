# The translations of the texts shown outside play: every po/<language>.po is compiled with
# msgfmt into locale/<language>/LC_MESSAGES/velmoor.mo beside the program, where an
# uninstalled build finds it, and installed into the prefix's share/locale.

find_program(VELMOOR_MSGFMT msgfmt REQUIRED)
file(GLOB velmoor_po_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/po/*.po")
set(velmoor_mo_files)
foreach(po IN LISTS velmoor_po_files)
  get_filename_component(language "${po}" NAME_WE)
  set(folder "${CMAKE_BINARY_DIR}/locale/${language}/LC_MESSAGES")
  add_custom_command(
    OUTPUT "${folder}/velmoor.mo"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${folder}"
    COMMAND "${VELMOOR_MSGFMT}" --check -o "${folder}/velmoor.mo" "${po}"
    DEPENDS "${po}"
    COMMENT "Compiling the ${language} translation"
    VERBATIM)
  list(APPEND velmoor_mo_files "${folder}/velmoor.mo")
  install(FILES "${folder}/velmoor.mo" DESTINATION "${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES")
endforeach()
add_custom_target(velmoor_translations ALL DEPENDS ${velmoor_mo_files})
