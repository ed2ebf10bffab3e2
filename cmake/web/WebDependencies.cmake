# The web build's libraries: SDL2 and FreeType compiled for WebAssembly from Debian's source
# packages by scripts/build-web-deps (which `make web` runs and whose prefixes it passes in), and
# the header-only GLM and stb from Debian's packages. Emscripten brings its own C library and
# OpenGL ES 3 (WebGL 2); there is no fontconfig, FluidSynth or libepoxy in the browser.

set(VELMOOR_WEB_SDL2 "" CACHE PATH "SDL2 built for WebAssembly (scripts/build-web-deps)")
set(VELMOOR_WEB_FREETYPE "" CACHE PATH "FreeType built for WebAssembly (scripts/build-web-deps)")
foreach(prefix IN ITEMS VELMOOR_WEB_SDL2 VELMOOR_WEB_FREETYPE)
  if(NOT EXISTS "${${prefix}}/lib")
    message(FATAL_ERROR "${prefix} must name a library built by scripts/build-web-deps (make web does this)")
  endif()
endforeach()

# Debian's GLM and stb live in /usr/include beside the desktop C library, which must stay out of
# a WebAssembly build's include path: a folder of links to just those two stands in.
set(velmoor_web_headers "${CMAKE_BINARY_DIR}/host-headers")
file(MAKE_DIRECTORY "${velmoor_web_headers}")
foreach(library IN ITEMS glm stb)
  if(NOT EXISTS "/usr/include/${library}")
    message(FATAL_ERROR "/usr/include/${library} is missing (scripts/install-deps installs it)")
  endif()
  file(CREATE_LINK "/usr/include/${library}" "${velmoor_web_headers}/${library}" SYMBOLIC)
endforeach()
add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm SYSTEM INTERFACE "${velmoor_web_headers}")
set(STB_INCLUDE_DIR "${velmoor_web_headers}")

add_library(velmoor_platform_libraries INTERFACE)
target_include_directories(velmoor_platform_libraries SYSTEM INTERFACE
  "${VELMOOR_WEB_SDL2}/include/SDL2" "${VELMOOR_WEB_FREETYPE}/include/freetype2")
target_link_libraries(velmoor_platform_libraries INTERFACE
  "${VELMOOR_WEB_SDL2}/lib/libSDL2.a" "${VELMOOR_WEB_FREETYPE}/lib/libfreetype.a")

# The page's files sit at the root of the browser's file system.
set(VELMOOR_DATA_INSTALL_DIR "/")
set(VELMOOR_LOCALE_INSTALL_DIR "/locale")

# A file under a web/ folder replaces its namesake one folder up; the web/ files with no
# namesake are the web's own.
function(velmoor_choose_web_files sources_variable)
  set(sources ${${sources_variable}})
  foreach(source IN LISTS sources)
    if(source MATCHES "^(.*)/web/([^/]*)$")
      list(REMOVE_ITEM sources "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
    endif()
  endforeach()
  set(${sources_variable} ${sources} PARENT_SCOPE)
endfunction()
