# cmake -DMAN=man -DVERSION=... -DPAGES="a.1|b.1" -P check_man_pages.cmake
# Each page renders at 80 columns with no warning from man or groff, and its
# footer names this version (so the build configured the template).

cmake_minimum_required(VERSION 3.25)

set(ENV{MANWIDTH} 80)
set(ENV{LC_ALL} C.UTF-8)
string(REPLACE "|" ";" pages "${PAGES}")
foreach(page IN LISTS pages)
  execute_process(COMMAND ${MAN} --warnings -l ${page}
                  RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
  if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "man -l ${page}: status ${status}\n${warnings}")
  endif()
  if(NOT text MATCHES "Selmarind ${VERSION}")
    message(FATAL_ERROR "man -l ${page}: the footer does not say \"Selmarind ${VERSION}\"")
  endif()
endforeach()
