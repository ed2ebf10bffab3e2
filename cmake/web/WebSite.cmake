# The web build's last steps: the data files the page preloads, the program as JavaScript and
# WebAssembly, and the page around it, all in ${CMAKE_BINARY_DIR}/site, a folder any static web
# server can serve.
#
# The art, the sounds, the music and the translations come from a desktop build, whose native
# tools made them (make web builds it first and passes it in as VELMOOR_HOST_BUILD).

set(VELMOOR_HOST_BUILD "" CACHE PATH "A desktop build folder whose asset builders made the data files")
if(NOT EXISTS "${VELMOOR_HOST_BUILD}/parts.dds")
  message(FATAL_ERROR "VELMOOR_HOST_BUILD must name a desktop build with its data files (make web does this)")
endif()
find_program(VELMOOR_FONT_SUBSETTER pyftsubset REQUIRED)

set(VELMOOR_SITE "${CMAKE_BINARY_DIR}/site")
set(velmoor_data "${CMAKE_BINARY_DIR}/data")
set(velmoor_url_fonts /usr/share/fonts/opentype/urw-base35)
set(velmoor_japanese_font /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf)

# The pictures compiled into the program come from the desktop build's art folder.
target_include_directories(velmoor_graphics PRIVATE "${VELMOOR_HOST_BUILD}/art")

# What the game reads at run time, as the desktop finds it beside its program. The music is the
# desktop synthesizer's loop, rendered ahead (the browser has no synthesizer).
set(velmoor_host_files parts.dds bomb.wav kemu.wav HitD@22.wav get.wav WindD@11.wav run.mid run.ogg)
set(velmoor_data_files)
foreach(file IN LISTS velmoor_host_files)
  add_custom_command(OUTPUT "${velmoor_data}/${file}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${VELMOOR_HOST_BUILD}/${file}" "${velmoor_data}/${file}"
    DEPENDS "${VELMOOR_HOST_BUILD}/${file}" VERBATIM)
  list(APPEND velmoor_data_files "${velmoor_data}/${file}")
endforeach()

file(GLOB velmoor_po_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/po/*.po")
foreach(po IN LISTS velmoor_po_files)
  get_filename_component(language "${po}" NAME_WE)
  set(catalogue "locale/${language}/LC_MESSAGES/velmoor.mo")
  add_custom_command(OUTPUT "${velmoor_data}/${catalogue}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${VELMOOR_HOST_BUILD}/${catalogue}" "${velmoor_data}/${catalogue}"
    DEPENDS "${VELMOOR_HOST_BUILD}/${catalogue}" VERBATIM)
  list(APPEND velmoor_data_files "${velmoor_data}/${catalogue}")
endforeach()

# The game's Courier stand-in whole; the Japanese gothic cut down to the letters the
# translations use (the whole face is six megabytes).
foreach(face IN ITEMS NimbusMonoPS-Regular.otf NimbusMonoPS-Bold.otf)
  add_custom_command(OUTPUT "${velmoor_data}/fonts/${face}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${velmoor_url_fonts}/${face}" "${velmoor_data}/fonts/${face}"
    DEPENDS "${velmoor_url_fonts}/${face}" VERBATIM)
  list(APPEND velmoor_data_files "${velmoor_data}/fonts/${face}")
endforeach()
set(velmoor_font_letters "${CMAKE_BINARY_DIR}/japanese-letters.txt")
set(velmoor_ascii "")
foreach(code RANGE 32 126)
  string(ASCII ${code} letter)
  string(APPEND velmoor_ascii "${letter}")
endforeach()
file(WRITE "${CMAKE_BINARY_DIR}/ascii-letters.txt" "${velmoor_ascii}\n")
add_custom_command(OUTPUT "${velmoor_data}/fonts/IPAPGothic.ttf"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${velmoor_data}/fonts"
  COMMAND "${CMAKE_COMMAND}" -E cat "${CMAKE_BINARY_DIR}/ascii-letters.txt" ${velmoor_po_files} > "${velmoor_font_letters}"
  COMMAND "${VELMOOR_FONT_SUBSETTER}" "${velmoor_japanese_font}" "--text-file=${velmoor_font_letters}"
          "--output-file=${velmoor_data}/fonts/IPAPGothic.ttf" --no-hinting --desubroutinize
  DEPENDS "${velmoor_japanese_font}" ${velmoor_po_files}
  COMMENT "Cutting the Japanese gothic down to the translations' letters"
  VERBATIM)
list(APPEND velmoor_data_files "${velmoor_data}/fonts/IPAPGothic.ttf")
add_custom_target(velmoor_web_data DEPENDS ${velmoor_data_files})

add_executable(velmoor src/shell/main.cpp)
target_link_libraries(velmoor PRIVATE velmoor_all)
add_dependencies(velmoor velmoor_web_data)
set_target_properties(velmoor PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY "${VELMOOR_SITE}")
target_link_options(velmoor PRIVATE
  -sMODULARIZE=1 -sEXPORT_NAME=createVelmoor -sENVIRONMENT=web --profiling-funcs
  -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sFORCE_FILESYSTEM=1 -lidbfs.js
  "-sEXPORTED_RUNTIME_METHODS=['FS','ENV','addRunDependency','removeRunDependency']"
  "-sEXPORTED_FUNCTIONS=['_main','_velmoor_focus_lost']"
  "--js-library=${CMAKE_CURRENT_LIST_DIR}/SdlNeeds.js" "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=['velmoor_sdl_needs']"
  "--preload-file=${velmoor_data}@/")
set_property(TARGET velmoor APPEND PROPERTY LINK_DEPENDS ${velmoor_data_files} "${CMAKE_CURRENT_LIST_DIR}/SdlNeeds.js")

# The page around the program.
file(GLOB velmoor_page_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/web/*")
set(velmoor_site_files)
foreach(source IN LISTS velmoor_page_files)
  get_filename_component(name "${source}" NAME)
  if(name STREQUAL "FONTS.txt")
    set(name "fonts/LICENSES.txt")
  endif()
  add_custom_command(OUTPUT "${VELMOOR_SITE}/${name}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${source}" "${VELMOOR_SITE}/${name}"
    DEPENDS "${source}" VERBATIM)
  list(APPEND velmoor_site_files "${VELMOOR_SITE}/${name}")
endforeach()
add_custom_target(velmoor_page ALL DEPENDS ${velmoor_site_files})
