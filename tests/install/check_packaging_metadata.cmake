# cmake -DVERSION=... -DSOURCE_DIR=... -P check_packaging_metadata.cmake
#
# The facts written in more than one file agree:
#  - the version of project() is the newest release of the AppStream file
#    and the newest entry of the Debian changelog, and the two give the same
#    date (the manual pages take theirs from the AppStream file);
#  - the licence text in the Debian copyright file is the file LICENSE;
#  - the GeoNames attribution its licence asks for is in NOTICE and in the
#    copyright file, word for word;
#  - the desktop entry and the AppStream file give the same categories and
#    keywords, the categories those of an astrology program (Education and
#    Science, not Astronomy) and the keywords the words people search for.

cmake_minimum_required(VERSION 3.25)

set(errors "")
macro(complain)
  string(APPEND errors "\n  " ${ARGN})
endmacro()

set(metainfo ${SOURCE_DIR}/data/org.selmarind.Selmarind.metainfo.xml)
set(changelog ${SOURCE_DIR}/packaging/debian/changelog)
set(copyright ${SOURCE_DIR}/packaging/debian/copyright)

file(STRINGS ${metainfo} release LIMIT_COUNT 1 REGEX "<release ")
if(release MATCHES "version=\"([^\"]*)\"")
  set(metainfo_version ${CMAKE_MATCH_1})
endif()
if(release MATCHES "date=\"([0-9]+-[0-9]+-[0-9]+)\"")
  set(metainfo_date ${CMAKE_MATCH_1})
endif()
if(NOT metainfo_version STREQUAL VERSION)
  complain("${metainfo}: newest release \"${metainfo_version}\", project() says \"${VERSION}\"")
endif()

file(STRINGS ${changelog} lines)
list(GET lines 0 heading)
if(NOT heading MATCHES "^selmarind \\(([^)]*)\\) ")
  complain("${changelog}: first line \"${heading}\" is not \"selmarind (VERSION) ...\"")
elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  complain("${changelog}: newest entry \"${CMAKE_MATCH_1}\", project() says \"${VERSION}\"")
endif()
# The trailer of the newest entry: " -- Name <mail>  Tue, 08 Dec 2026 12:00:00 +0000".
set(changelog_date "")
foreach(line IN LISTS lines)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1")
    if(month LESS 10)
      set(month 0${month})
    endif()
    set(changelog_date ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
    break()
  endif()
endforeach()
if(NOT changelog_date STREQUAL metainfo_date)
  complain("release date: \"${metainfo_date}\" in ${metainfo}, "
           "\"${changelog_date}\" in ${changelog}")
endif()

# The copyright file carries LICENSE after this line, each line indented by
# one space and each empty line written " .".
set(marker " follows; it is also the file LICENSE of the source.")
file(READ ${copyright} text)
string(FIND "${text}" "${marker}\n .\n" at)
if(at EQUAL -1)
  complain("${copyright}: no line \"${marker}\" before the licence text")
else()
  string(LENGTH "${marker}\n .\n" skip)
  math(EXPR at "${at} + ${skip}")
  # A newline in front lets every line, the first too, be matched after a
  # "\n" (CMake's "^" matches again after each replacement).
  string(SUBSTRING "\n${text}" ${at} -1 embedded)
  # Each pass misses a " ." line right after another one; repeat until none is left.
  set(previous "")
  while(NOT embedded STREQUAL previous)
    set(previous "${embedded}")
    string(REGEX REPLACE "\n \\.\n" "\n\n" embedded "${embedded}")
  endwhile()
  string(REPLACE "\n " "\n" embedded "${embedded}")
  string(SUBSTRING "${embedded}" 1 -1 embedded)
  file(READ ${SOURCE_DIR}/LICENSE license)
  if(NOT embedded STREQUAL license)
    complain("${copyright}: the licence text differs from LICENSE, rebuild it with\n"
             "    sed -e 's/^$/./' -e 's/^/ /' LICENSE")
  endif()
endif()

set(attribution "Place data: GeoNames (geonames.org), CC BY 4.0")
foreach(file ${SOURCE_DIR}/NOTICE ${copyright})
  file(READ ${file} text)
  string(FIND "${text}" "${attribution}" at)
  if(at EQUAL -1)
    complain("${file}: no line \"${attribution}\"")
  endif()
endforeach()

set(desktop ${SOURCE_DIR}/data/org.selmarind.Selmarind.desktop)
file(READ ${desktop} entry)
foreach(key Categories Keywords)
  set(desktop_${key} "")
  if(entry MATCHES "\n${key}=([^\n]*)")
    string(REGEX REPLACE ";$" "" desktop_${key} "${CMAKE_MATCH_1}")
  endif()
endforeach()
file(READ ${metainfo} text)
foreach(pair "Categories;category" "Keywords;keyword")
  list(GET pair 0 key)
  list(GET pair 1 element)
  string(REGEX MATCHALL "<${element}>[^<]*</${element}>" items "${text}")
  list(TRANSFORM items REPLACE "</?${element}>" "")
  if(NOT items STREQUAL desktop_${key})
    list(JOIN desktop_${key} ", " shown_desktop)
    list(JOIN items ", " shown_metainfo)
    complain("${key}: \"${shown_desktop}\" in ${desktop}, \"${shown_metainfo}\" in ${metainfo}")
  endif()
endforeach()
if(NOT desktop_Categories STREQUAL "Education;Science")
  list(JOIN desktop_Categories ", " shown_desktop)
  complain("${desktop}: Categories \"${shown_desktop}\", not \"Education, Science\"")
endif()
foreach(word astrology horoscope jyotish kundli)
  if(NOT word IN_LIST desktop_Keywords)
    complain("${desktop}: no keyword \"${word}\"")
  endif()
endforeach()

if(errors)
  message(FATAL_ERROR "packaging_metadata:${errors}")
endif()
