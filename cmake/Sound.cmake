# The game's sound effects and music are built from readable sources in assets/sound/ by a
# small host tool, into the build folder beside the executable (where the game finds its data
# files). The output depends only on the sources and the tool, so a build is reproducible.

file(GLOB velmoor_soundbuild_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tools/soundbuild/*.cpp")
list(FILTER velmoor_soundbuild_sources EXCLUDE REGEX "/main\\.cpp$")
add_library(velmoor_soundbuild_core STATIC ${velmoor_soundbuild_sources})
target_include_directories(velmoor_soundbuild_core PUBLIC "${PROJECT_SOURCE_DIR}/tools/soundbuild")

add_executable(velmoor_soundbuild "${PROJECT_SOURCE_DIR}/tools/soundbuild/main.cpp")
target_link_libraries(velmoor_soundbuild PRIVATE velmoor_soundbuild_core)

set(VELMOOR_SOUND_SOURCES
  "${PROJECT_SOURCE_DIR}/assets/sound/effects.sfx"
  "${PROJECT_SOURCE_DIR}/assets/sound/run.score")
set(VELMOOR_SOUND_FILES bomb.wav kemu.wav HitD@22.wav get.wav WindD@11.wav run.mid)
list(TRANSFORM VELMOOR_SOUND_FILES PREPEND "${CMAKE_BINARY_DIR}/" OUTPUT_VARIABLE velmoor_sound_outputs)

add_custom_command(
  OUTPUT ${velmoor_sound_outputs}
  COMMAND velmoor_soundbuild "${PROJECT_SOURCE_DIR}/assets/sound" "${CMAKE_BINARY_DIR}"
  DEPENDS velmoor_soundbuild ${VELMOOR_SOUND_SOURCES}
  COMMENT "Building the sound effects and the music"
  VERBATIM)
add_custom_target(velmoor_sound_assets ALL DEPENDS ${velmoor_sound_outputs})

install(FILES ${velmoor_sound_outputs} DESTINATION "${CMAKE_INSTALL_DATADIR}/velmoor")

# The executable, the tests and the benchmarks are defined after this file is read: hook them
# up once the whole top-level folder has been processed.
function(velmoor_sound_hook_targets)
  foreach(target IN ITEMS velmoor test_assets test_sound velmoor_bench)
    if(TARGET ${target})
      add_dependencies(${target} velmoor_sound_assets)
    endif()
  endforeach()
  if(TARGET test_assets)
    # The tests also check the builder's score and synthesis rules directly.
    target_link_libraries(test_assets PRIVATE velmoor_soundbuild_core)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL velmoor_sound_hook_targets)
