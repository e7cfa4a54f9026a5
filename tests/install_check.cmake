# Installs the build into a fresh prefix and checks, from a directory that
# holds no assets, that the installed layout is what the asset search looks
# for. Inputs: BUILD_DIR, SOURCE_DIR, PROBE, WORK.
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
set(elsewhere ${WORK}/elsewhere)
file(MAKE_DIRECTORY ${prefix} ${elsewhere})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

if(NOT EXISTS ${prefix}/bin/velmorandine)
  message(FATAL_ERROR "no executable at ${prefix}/bin/velmorandine")
endif()
foreach(sub fonts audio)
  file(GLOB want RELATIVE ${SOURCE_DIR}/assets/${sub} ${SOURCE_DIR}/assets/${sub}/*)
  file(GLOB got RELATIVE ${prefix}/share/Velmorandine/assets/${sub} ${prefix}/share/Velmorandine/assets/${sub}/*)
  if(NOT want OR NOT want STREQUAL got)
    message(FATAL_ERROR "installed assets/${sub} differ:\n want ${want}\n got  ${got}")
  endif()
endforeach()

# The probe runs the game's asset search from the installed bin directory.
file(COPY ${PROBE} DESTINATION ${prefix}/bin)
get_filename_component(probe_name ${PROBE} NAME)
set(clean_env ${CMAKE_COMMAND} -E env --unset=SNAP --unset=APPDIR --unset=VELMORANDINE_ASSET_DIR)
execute_process(COMMAND ${clean_env} ${prefix}/bin/${probe_name}
                WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE rc OUTPUT_VARIABLE root
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0 OR NOT root STREQUAL "${prefix}/bin/../share/Velmorandine")
  message(FATAL_ERROR "the installed copy found its assets at '${root}' (${rc})")
endif()
if(NOT EXISTS ${root}/assets/audio/sfx_click.ogg)
  message(FATAL_ERROR "no sfx_click.ogg under ${root}")
endif()

execute_process(COMMAND ${clean_env} ${prefix}/bin/velmorandine --version
                WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed game did not start: ${rc}")
endif()
file(REMOVE_RECURSE ${WORK})
