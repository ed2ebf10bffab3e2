# velmoor_autopilot: a developer tool that plays the real game headless toward a goal (clear a
# stage, lose by TIME, lose by LIFE) and records the run as a replay for the whole-game tests.
# It is built with the game but never installed.
file(GLOB velmoor_autopilot_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tools/autopilot/*.cpp")
add_executable(velmoor_autopilot ${velmoor_autopilot_sources})
target_link_libraries(velmoor_autopilot PRIVATE velmoor_all)

# Its route planner has tests of its own.
function(velmoor_autopilot_hook_tests)
  if(TARGET test_tools)
    list(FILTER velmoor_autopilot_sources EXCLUDE REGEX "/main\\.cpp$")
    target_sources(test_tools PRIVATE ${velmoor_autopilot_sources})
    target_include_directories(test_tools PRIVATE "${PROJECT_SOURCE_DIR}/tools/autopilot")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY "${PROJECT_SOURCE_DIR}" CALL velmoor_autopilot_hook_tests)
