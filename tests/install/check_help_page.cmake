# cmake -DDATA_DIR=<build>/share/selmarind -DMANIFEST=packaging/installed-files.txt
#       -P check_help_page.cmake
#
# The staged help page, as Help > Online Help opens it, works offline and as
# shipped:
#  - the version was filled in (no @VARIABLE@ left);
#  - it loads nothing from the network and runs no script;
#  - every file it refers to (stylesheet, pictures) is staged beside it and
#    installed with it (listed in MANIFEST under share/selmarind/), and every
#    picture MANIFEST lists under share/selmarind/help/ is shown by the page;
#  - every in-page link (#id) has its target, every picture a text
#    alternative, and the page's elements are closed as they are opened.

cmake_minimum_required(VERSION 3.25)

set(faults "")
macro(fault)
  string(CONCAT _text ${ARGN})
  list(APPEND faults "${_text}")
endmacro()

set(page_path ${DATA_DIR}/selmarind-help.html)
if(NOT EXISTS ${page_path})
  message(FATAL_ERROR "help_page: ${page_path} is missing; is the tree built?")
endif()
file(READ ${page_path} page)
# Semicolons would split the matches below into list items; the page's
# entities and alt texts hold some.
string(REPLACE ";" "," page "${page}")
file(STRINGS ${MANIFEST} manifest REGEX "^share/selmarind/")

string(REGEX MATCHALL "@[A-Za-z_]+@" unfilled "${page}")
if(unfilled)
  fault("placeholders left unfilled: ${unfilled}")
endif()

string(TOLOWER "${page}" lower)
if(lower MATCHES "<script")
  fault("the page holds a script")
endif()
foreach(file IN ITEMS ${page_path} ${DATA_DIR}/help/selmarind-help.css)
  if(EXISTS ${file})
    file(READ ${file} text)
    if(text MATCHES "@import|url\\(")
      fault("${file} loads further resources (@import or url())")
    endif()
  endif()
endforeach()

# Files the page names: src= of any element (loaded with it), href= of
# <link> and of <a> (pictures shown at full size), but not in-page links.
string(REGEX MATCHALL "src=\"[^\"]*\"" sources "${page}")
string(REGEX MATCHALL "<(link|a) [^>]*href=\"[^#\"][^\"]*\"" links "${page}")
set(loaded "")
foreach(item IN LISTS sources links)
  string(REGEX REPLACE ".*=\"([^\"]*)\"$" "\\1" target "${item}")
  list(APPEND loaded "${target}")
endforeach()
if(NOT loaded)
  fault("the page names no stylesheet or picture at all")
endif()
foreach(target IN LISTS loaded)
  if(target MATCHES "^[a-zA-Z][a-zA-Z0-9+.-]*:|^//")
    fault("\"${target}\" lies outside the data folder")
  elseif(NOT EXISTS ${DATA_DIR}/${target})
    fault("\"${target}\" is not staged in ${DATA_DIR}")
  elseif(NOT "share/selmarind/${target}" IN_LIST manifest)
    fault("\"${target}\" is not installed: share/selmarind/${target} is not in ${MANIFEST}")
  endif()
endforeach()
foreach(entry IN LISTS manifest)
  if(entry MATCHES "^share/selmarind/(help/.*\\.png)$" AND NOT CMAKE_MATCH_1 IN_LIST loaded)
    fault("${entry} is installed but the page does not show it")
  endif()
endforeach()

string(REGEX MATCHALL "<img [^>]*>" images "${page}")
foreach(image IN LISTS images)
  if(NOT image MATCHES "alt=\"[^\"]*[A-Za-z][^\"]*\"")
    fault("a picture without a text alternative: ${image}")
  endif()
endforeach()

string(REGEX MATCHALL "href=\"#[^\"]*\"" anchors "${page}")
foreach(anchor IN LISTS anchors)
  string(REGEX REPLACE "href=\"#([^\"]*)\"" "\\1" id "${anchor}")
  string(FIND "${page}" "id=\"${id}\"" at)
  if(at EQUAL -1)
    fault("the link to #${id} has no target")
  endif()
endforeach()

foreach(tag IN ITEMS html head body header nav main section footer h1 h2 h3 p a ol ul li dl dt
                     dd table caption thead tbody tr th td figure figcaption pre code kbd
                     strong em span)
  string(REGEX MATCHALL "<${tag}[ >]" opened "${lower}")
  string(REGEX MATCHALL "</${tag}>" closed "${lower}")
  list(LENGTH opened opened_count)
  list(LENGTH closed closed_count)
  if(NOT opened_count EQUAL closed_count)
    fault("<${tag}> opened ${opened_count} times but closed ${closed_count} times")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "help_page: ${page_path}:\n  ${text}")
endif()
list(LENGTH loaded count)
message(STATUS "help_page: ${count} files referred to, all staged and installed")
