# cmake -DTOOL=selmarind-screenshots -DWORK_DIR=... -DOUTPUT_DIR=... -DPICTURES=a.png|b.png
#       -P make_help_screenshots.cmake
#
# Runs the screenshot tool once for the help page and copies the pictures the
# page shows into OUTPUT_DIR. The tool runs without a screen and with empty
# settings and runtime folders of its own, so the pictures never depend on
# the settings of whoever builds (a chosen position source, a recent-files
# list) and a running Selmarind is never disturbed. Its messages are shown
# only when it fails; a picture it did not write (a window renamed in the
# tool) fails the build with that picture's name.

cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
set(shots ${WORK_DIR}/shots)
file(MAKE_DIRECTORY ${WORK_DIR}/config ${WORK_DIR}/runtime ${shots} ${OUTPUT_DIR})
# Qt refuses a runtime folder that others may read.
file(CHMOD ${WORK_DIR}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# Leak reports belong to the tests (with their suppressions), not to making
# pictures in a sanitizer build.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          XDG_CONFIG_HOME=${WORK_DIR}/config XDG_RUNTIME_DIR=${WORK_DIR}/runtime
          ASAN_OPTIONS=detect_leaks=0
          ${TOOL} ${shots}
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed (${status}):\n${log}")
endif()

string(REPLACE "|" ";" PICTURES "${PICTURES}")
foreach(picture IN LISTS PICTURES)
  if(NOT EXISTS ${shots}/${picture})
    message(FATAL_ERROR "${TOOL} wrote no ${picture}, which the help page shows:\n${log}")
  endif()
  file(COPY_FILE ${shots}/${picture} ${OUTPUT_DIR}/${picture})
  # Newer than the tool, whatever the copy keeps, so the build does not run
  # the tool again.
  file(TOUCH ${OUTPUT_DIR}/${picture})
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
