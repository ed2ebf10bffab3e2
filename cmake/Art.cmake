# The asset build for pictures: the art builder (a host tool) draws the sprite sheet, the six
# surface bitmaps, the window icon and the desktop's icons from the sources in assets/art. The sheet goes beside the
# executable; the bitmaps and the icon are compiled into velmoor_graphics through a generated
# table. The drawings in assets/art/*.cpp are compiled into the builder itself, so editing one
# rebuilds the tool and then the pictures.

file(GLOB velmoor_artkit_sources CONFIGURE_DEPENDS
  "${PROJECT_SOURCE_DIR}/tools/artbuild/*.cpp"
  "${PROJECT_SOURCE_DIR}/assets/art/*.cpp")
list(FILTER velmoor_artkit_sources EXCLUDE REGEX "/tools/artbuild/main\\.cpp$")
add_library(velmoor_artkit STATIC ${velmoor_artkit_sources})
target_include_directories(velmoor_artkit PUBLIC "${PROJECT_SOURCE_DIR}/tools/artbuild")
target_include_directories(velmoor_artkit SYSTEM PRIVATE "${STB_INCLUDE_DIR}")

add_executable(velmoor_artbuild "${PROJECT_SOURCE_DIR}/tools/artbuild/main.cpp")
target_link_libraries(velmoor_artbuild PRIVATE velmoor_artkit)
set_target_properties(velmoor_artbuild PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tools")

set(VELMOOR_ART_OUTPUT "${CMAKE_BINARY_DIR}/art")
file(GLOB velmoor_art_text_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/assets/art/*.txt")
set(velmoor_art_outputs
  "${CMAKE_BINARY_DIR}/parts.dds"
  "${VELMOOR_ART_OUTPUT}/velmoor_embedded_resources.inc"
  "${VELMOOR_ART_OUTPUT}/contact_sheet.png")
foreach(number RANGE 5)
  list(APPEND velmoor_art_outputs "${VELMOOR_ART_OUTPUT}/IMAGE_FIELD${number}.bmp")
endforeach()
list(APPEND velmoor_art_outputs "${VELMOOR_ART_OUTPUT}/GAMEICON.bmp")
# The desktop's icons, one drawing per size, in the icon theme's layout.
set(VELMOOR_ICON_SIZES 16 24 32 48 64 128 256)
foreach(size IN LISTS VELMOOR_ICON_SIZES)
  list(APPEND velmoor_art_outputs "${VELMOOR_ART_OUTPUT}/icons/${size}x${size}/apps/velmoor.png")
endforeach()

add_custom_command(
  OUTPUT ${velmoor_art_outputs}
  COMMAND velmoor_artbuild --source "${PROJECT_SOURCE_DIR}/assets/art" --out "${VELMOOR_ART_OUTPUT}"
          --sheet "${CMAKE_BINARY_DIR}/parts.dds" --icons "${VELMOOR_ART_OUTPUT}/icons"
  DEPENDS velmoor_artbuild ${velmoor_art_text_sources}
  COMMENT "Drawing the sprite sheet, surfaces and icons"
  VERBATIM)
add_custom_target(velmoor_art_assets ALL DEPENDS ${velmoor_art_outputs})

# The embedded table is included by the graphics library, which must wait for it.
if(TARGET velmoor_graphics)
  target_include_directories(velmoor_graphics PRIVATE "${VELMOOR_ART_OUTPUT}")
  add_dependencies(velmoor_graphics velmoor_art_assets)
endif()

install(FILES "${CMAKE_BINARY_DIR}/parts.dds" DESTINATION "${CMAKE_INSTALL_DATADIR}/velmoor")
install(DIRECTORY "${VELMOOR_ART_OUTPUT}/icons/" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor")

# The asset tests also exercise the builder's parts directly; the test target is defined after
# this file is read, so the link is made once the whole project has been read.
function(velmoor_art_link_tests)
  if(TARGET test_assets)
    target_link_libraries(test_assets PRIVATE velmoor_artkit)
    target_compile_definitions(test_assets PRIVATE
      VELMOOR_ART_SOURCE_DIR="${PROJECT_SOURCE_DIR}/assets/art"
      VELMOOR_ART_BUILDER="$<TARGET_FILE:velmoor_artbuild>"
      VELMOOR_ART_OUTPUT_DIR="${VELMOOR_ART_OUTPUT}"
      VELMOOR_SHEET_FILE="${CMAKE_BINARY_DIR}/parts.dds")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL velmoor_art_link_tests)
