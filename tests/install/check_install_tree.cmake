# cmake -DBUILD_DIR=... -DWORK_DIR=... -DMANIFEST=... -DREADELF=readelf -P check_install_tree.cmake
#
# Installs the build tree into a fresh prefix with `cmake --install` and
# checks that:
#  - the installed files are exactly those of MANIFEST: none missing, and
#    nothing else from the build tree (test programs, static libraries,
#    generated sources);
#  - no installed file holds the prefix it was installed to, and none
#    searches the build folder for libraries: the installation does not
#    depend on where it lies;
#  - the tree moved as a whole to another prefix keeps every file unchanged,
#    and the command-line tool still runs from there.

cmake_minimum_required(VERSION 3.25)

function(fail)
  string(CONCAT message ${ARGN})
  message(FATAL_ERROR "install_tree: ${message}")
endfunction()

# Relative paths of the regular files under `root`, sorted.
function(list_tree root out)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(first_prefix ${WORK_DIR}/first-prefix)
set(moved_prefix ${WORK_DIR}/moved/elsewhere)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${first_prefix}
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  fail("cmake --install failed (${status}), is everything built?\n${log}")
endif()

file(STRINGS ${MANIFEST} expected REGEX "^[^#]")
list(SORT expected)
list_tree(${first_prefix} installed)

set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(extra ${installed})
list(REMOVE_ITEM extra ${expected})
if(missing OR extra)
  list(JOIN missing "\n  " missing_text)
  list(JOIN extra "\n  " extra_text)
  fail("the installed files differ from ${MANIFEST}\n"
       "listed but not installed:\n  ${missing_text}\n"
       "installed but not listed:\n  ${extra_text}")
endif()

foreach(file IN LISTS installed)
  set(path ${first_prefix}/${file})
  file(SIZE ${path} size)
  if(size EQUAL 0)
    fail("${file} is empty")
  endif()
  # Printable runs of the file; a compressed file shows none of its text,
  # but what is compressed here (manual pages, changelog) is written by hand.
  file(STRINGS ${path} runs LENGTH_MINIMUM 8)
  string(FIND "${runs}" "${first_prefix}" at)
  if(NOT at EQUAL -1)
    fail("${file} holds the path it was installed to, so it would break when moved")
  endif()
  # A program's debugging information names the build folder, harmlessly;
  # its library search path must not. Other files must not name it at all.
  file(READ ${path} magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND ${READELF} --dynamic ${path} OUTPUT_VARIABLE runs)
    string(REGEX MATCHALL "\\((RPATH|RUNPATH)\\)[^\n]*" runs "${runs}")
  endif()
  string(FIND "${runs}" "${BUILD_DIR}" at)
  if(NOT at EQUAL -1)
    fail("${file} names the build folder ${BUILD_DIR}: ${runs}")
  endif()
  file(SHA256 ${path} hash_${file})
endforeach()

file(MAKE_DIRECTORY ${WORK_DIR}/moved)
file(RENAME ${first_prefix} ${moved_prefix})
list_tree(${moved_prefix} moved)
if(NOT moved STREQUAL installed)
  fail("the moved tree lists other files than the installed one")
endif()
foreach(file IN LISTS moved)
  file(SHA256 ${moved_prefix}/${file} hash)
  if(NOT hash STREQUAL hash_${file})
    fail("${file} changed when the tree was moved")
  endif()
endforeach()

execute_process(COMMAND ${moved_prefix}/bin/selmarind-chart --list-zones
                RESULT_VARIABLE status OUTPUT_VARIABLE zones ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT zones MATCHES "Indian Time, IST")
  fail("the moved selmarind-chart --list-zones gave status ${status}:\n${zones}${errors}")
endif()

file(REMOVE_RECURSE ${WORK_DIR})
list(LENGTH installed count)
message(STATUS "install_tree: ${count} files installed, moved and checked")
