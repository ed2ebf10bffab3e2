# The music of the web build, which has no MIDI synthesizer: velmoor_musicrender plays run.mid
# through the game's own synthesizer offline and writes one seamless loop of it, and Debian's
# Vorbis encoder compresses that to run.ogg in the build folder. The web build takes run.ogg
# from here (target velmoor_web_music); the desktop game never reads it.
file(GLOB velmoor_musicrender_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tools/musicrender/*.cpp")
list(FILTER velmoor_musicrender_sources EXCLUDE REGEX "/main\\.cpp$")
add_library(velmoor_musicrender_core STATIC ${velmoor_musicrender_sources})
target_include_directories(velmoor_musicrender_core PUBLIC "${PROJECT_SOURCE_DIR}/tools/musicrender")
target_link_libraries(velmoor_musicrender_core PUBLIC velmoor_all)

add_executable(velmoor_musicrender "${PROJECT_SOURCE_DIR}/tools/musicrender/main.cpp")
target_link_libraries(velmoor_musicrender PRIVATE velmoor_musicrender_core velmoor_soundbuild_core)

find_program(VELMOOR_OGGENC oggenc DOC "Debian's Ogg Vorbis encoder (vorbis-tools)")
if(NOT VELMOOR_OGGENC)
  set(VELMOOR_OGGENC oggenc)   # scripts/install-deps installs it; a build without it says so
endif()
set(VELMOOR_MUSIC_SOUNDFONT "" CACHE FILEPATH "The SoundFont the web build's music is rendered with (empty: the one the game would load)")
# Vorbis quality -1 (about 45 kbit/s): the synthesizer's clean tones survive it, and the page
# stays small.
set(VELMOOR_MUSIC_QUALITY -1)

set(VELMOOR_MUSIC_LOOP "${CMAKE_BINARY_DIR}/run.ogg")
set(velmoor_music_wave "${CMAKE_BINARY_DIR}/run-loop.wav")
set(velmoor_music_font_option)
if(VELMOOR_MUSIC_SOUNDFONT)
  set(velmoor_music_font_option --soundfont "${VELMOOR_MUSIC_SOUNDFONT}")
endif()
add_custom_command(
  OUTPUT "${VELMOOR_MUSIC_LOOP}" "${velmoor_music_wave}"
  COMMAND velmoor_musicrender "${CMAKE_BINARY_DIR}/run.mid" "${velmoor_music_wave}" ${velmoor_music_font_option}
  # A fixed stream serial number: the same render gives the same file.
  COMMAND "${VELMOOR_OGGENC}" --quiet --quality=${VELMOOR_MUSIC_QUALITY} --serial=1 -o "${VELMOOR_MUSIC_LOOP}" "${velmoor_music_wave}"
  DEPENDS velmoor_musicrender velmoor_sound_assets "${CMAKE_BINARY_DIR}/run.mid"
  COMMENT "Rendering the music loop for the web build"
  VERBATIM)
add_custom_target(velmoor_web_music DEPENDS "${VELMOOR_MUSIC_LOOP}")

# The loop's tests read run.ogg and the WAV it was encoded from, and render the loop themselves.
function(velmoor_web_music_hook_tests)
  if(TARGET test_assets)
    add_dependencies(test_assets velmoor_web_music)
    target_link_libraries(test_assets PRIVATE velmoor_musicrender_core)
    target_compile_definitions(test_assets PRIVATE VELMOOR_MUSIC_SOUNDFONT="${VELMOOR_MUSIC_SOUNDFONT}")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL velmoor_web_music_hook_tests)
