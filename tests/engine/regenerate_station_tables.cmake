# cmake -DGENERATOR=... -DOUTPUT=... -DCOMMITTED=... -P regenerate_station_tables.cmake
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "station_generator failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED}
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${OUTPUT} differs from ${COMMITTED}; "
          "compare them with diff, and if the generator changed on purpose, "
          "build the update_station_tables target and commit the result")
endif()
