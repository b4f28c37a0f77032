# cmake -DGZIP=gzip -DINPUT=file -DOUTPUT=file.gz -P gzip_file.cmake
# -9: the best compression, as Debian asks of manual pages and changelogs;
# -n: no name and no time stamp in the header, so the same input always
# gives the same bytes. The result appears under its name only when whole.
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${GZIP} -9nc ${INPUT} OUTPUT_FILE ${OUTPUT}.part RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT}.part)
  message(FATAL_ERROR "gzip ${INPUT} failed: ${status}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
