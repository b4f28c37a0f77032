# Runs tools/atlas_generator in one of three ways:
#
#   -DMODE=compare  generate OUTPUT and compare it byte for byte with COMMITTED
#   -DMODE=twice    generate OUTPUT twice and compare the two runs
#   -DMODE=fails    expect the generator to fail with EXPECT in its message
#
# with -DGENERATOR=... -DCITIES=... -DADMIN1=... -DISO3166=... -DFORMER=...
# -DOUTPUT=... (and -DCOMMITTED=... or -DEXPECT=...):
#   cmake -DMODE=... -P generate_atlas.cmake
function(generate output)
  execute_process(COMMAND ${GENERATOR} ${CITIES} ${ADMIN1} ${ISO3166} ${FORMER} ${output}
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  set(status ${status} PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

function(require_same first second advice)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first} ${second}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${first} differs from ${second}; ${advice}")
  endif()
endfunction()

file(REMOVE ${OUTPUT} ${OUTPUT}.again)
generate(${OUTPUT})
if(MODE STREQUAL "fails")
  if(status EQUAL 0)
    message(FATAL_ERROR "atlas_generator accepted input it should refuse")
  endif()
  string(FIND "${errors}" "${EXPECT}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${EXPECT}\" in the generator's message, got: ${errors}")
  endif()
  if(EXISTS ${OUTPUT})
    message(FATAL_ERROR "the failed run left ${OUTPUT} behind")
  endif()
  return()
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "atlas_generator failed (${status}): ${errors}")
endif()
if(MODE STREQUAL "twice")
  generate(${OUTPUT}.again)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "atlas_generator failed the second time (${status}): ${errors}")
  endif()
  require_same(${OUTPUT} ${OUTPUT}.again "the generator's output is not reproducible")
elseif(MODE STREQUAL "compare")
  require_same(${OUTPUT} ${COMMITTED}
    "compare the unpacked texts (zcat), and if the inputs or the generator changed on purpose, "
    "build the update_atlas target and commit the result")
else()
  message(FATAL_ERROR "unknown MODE \"${MODE}\"")
endif()
