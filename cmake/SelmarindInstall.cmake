# What `cmake --install` puts where, and the same layout staged in the build
# tree so that the programs find their data the same way in both.
#
# Layout rule: the programs are in <prefix>/bin, their data in
# <prefix>/share/selmarind. A program finds its data in
# <folder of its executable>/../share/selmarind (SELMARIND_DATA_FROM_BIN_DIR
# of selmarind_build_info below), in an installed tree under any prefix and
# in the build tree alike: the build tree puts selmarind and selmarind-chart
# in <build>/bin and stages every data file in <build>/share/selmarind.
# Programs one folder below the build folder (src/, bench/) find the staged
# data by the same rule.
#
# Included from the root CMakeLists.txt after the targets are defined.

include(GNUInstallDirs)

set(SELMARIND_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/selmarind)
# Debian's policy and the desktop both expect these exact lower-case names,
# whatever the project is called.
set(SELMARIND_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/selmarind)
set(SELMARIND_STAGE_BIN_DIR ${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_BINDIR})
set(SELMARIND_STAGE_DATA_DIR ${PROJECT_BINARY_DIR}/${SELMARIND_INSTALL_DATA_DIR})

# What the programs compile in about their installation: link
# selmarind_build_info to get the macros
#   SELMARIND_VERSION           "1.25", the version of project() (for --version)
#   SELMARIND_DATA_FROM_BIN_DIR "../share/selmarind", the data folder relative
#                               to the folder of the executable
file(RELATIVE_PATH SELMARIND_DATA_FROM_BIN_DIR
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${SELMARIND_INSTALL_DATA_DIR})
add_library(selmarind_build_info INTERFACE)
target_compile_definitions(selmarind_build_info INTERFACE
  SELMARIND_VERSION="${PROJECT_VERSION}"
  SELMARIND_DATA_FROM_BIN_DIR="${SELMARIND_DATA_FROM_BIN_DIR}")

# The version and release date live in one place each: project() and the
# newest <release> of the AppStream file (the test packaging_metadata checks
# that the two agree with the Debian changelog).
set(SELMARIND_METAINFO ${PROJECT_SOURCE_DIR}/data/org.selmarind.Selmarind.metainfo.xml)
file(STRINGS ${SELMARIND_METAINFO} _release LIMIT_COUNT 1 REGEX "<release ")
if(NOT _release MATCHES "date=\"([0-9]+-[0-9]+-[0-9]+)\"")
  message(FATAL_ERROR "${SELMARIND_METAINFO}: the first <release> has no date=\"YYYY-MM-DD\"")
endif()
set(SELMARIND_RELEASE_DATE ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SELMARIND_METAINFO})

find_program(RSVG_CONVERT rsvg-convert DOC "SVG renderer for the icon sizes (Debian: librsvg2-bin)")
find_program(GZIP gzip)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert not found: install librsvg2-bin (scripts/install-deps does)")
endif()
if(NOT GZIP)
  message(FATAL_ERROR "gzip not found")
endif()

# The two programs, where the rule above expects them. They link only the
# system's shared libraries, so they need no library search path of their own
# (Qt's project setup would give them $ORIGIN/../lib).
foreach(program selmarind selmarind-chart)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${SELMARIND_STAGE_BIN_DIR}
      INSTALL_RPATH "")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# selmarind_add_data_file(SOURCE [SUBDIR dir]): a file the programs read at
# run time, staged in <build>/share/selmarind[/dir] and installed to
# <prefix>/share/selmarind[/dir]. Every such file is also listed in
# packaging/installed-files.txt.
function(selmarind_add_data_file source)
  cmake_parse_arguments(ARG "" "SUBDIR" "" ${ARGN})
  get_filename_component(name ${source} NAME)
  set(subdir "")
  if(ARG_SUBDIR)
    set(subdir /${ARG_SUBDIR})
  endif()
  configure_file(${source} ${SELMARIND_STAGE_DATA_DIR}${subdir}/${name} COPYONLY)
  install(FILES ${source} DESTINATION ${SELMARIND_INSTALL_DATA_DIR}${subdir})
endfunction()

# The help page opened by Help > Online Help, with the version filled in;
# its stylesheet and pictures lie in help/ beside it (the pictures are made
# below).
set(SELMARIND_HELP_PAGE ${PROJECT_SOURCE_DIR}/data/help/selmarind-help.html)
configure_file(${SELMARIND_HELP_PAGE} ${SELMARIND_STAGE_DATA_DIR}/selmarind-help.html @ONLY)
install(FILES ${SELMARIND_STAGE_DATA_DIR}/selmarind-help.html DESTINATION ${SELMARIND_INSTALL_DATA_DIR})
selmarind_add_data_file(${PROJECT_SOURCE_DIR}/data/help/selmarind-help.css SUBDIR help)
# The notices of the About box.
selmarind_add_data_file(${PROJECT_SOURCE_DIR}/NOTICE)
# The offline atlas (tools/atlas_generator makes it from GeoNames data).
selmarind_add_data_file(${PROJECT_SOURCE_DIR}/data/atlas/places.tsv.gz SUBDIR atlas)

# Files made at build time, collected for one target that builds them all.
set(generated "")

# The pictures of the windows that the help page shows, rendered by the
# screenshot tool (tools/screenshots) with every build of the windows, so
# they always show the windows as built. Each one is also listed in
# packaging/installed-files.txt; the test help_page checks that the page
# shows every listed picture and nothing else.
if(SELMARIND_BUILD_GUI)
  set(SELMARIND_HELP_PICTURES frm_main.png frm_display_chart.png frm_display_details.png
      frm_display_chart_details.png
      chart_style_south.png chart_style_north.png chart_style_east.png
      mdi_maximized.png mdi_help_menu.png frm_about.png)
  set(help_stage_dir ${SELMARIND_STAGE_DATA_DIR}/help)
  list(TRANSFORM SELMARIND_HELP_PICTURES PREPEND ${help_stage_dir}/ OUTPUT_VARIABLE pictures)
  list(JOIN SELMARIND_HELP_PICTURES "|" picture_names)
  add_custom_command(OUTPUT ${pictures}
    COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:selmarind-screenshots>
            -DWORK_DIR=${PROJECT_BINARY_DIR}/help-screenshots -DOUTPUT_DIR=${help_stage_dir}
            -DPICTURES=${picture_names}
            -P ${PROJECT_SOURCE_DIR}/cmake/make_help_screenshots.cmake
    DEPENDS selmarind-screenshots ${PROJECT_SOURCE_DIR}/cmake/make_help_screenshots.cmake
    COMMENT "Rendering the windows for the help page"
    VERBATIM)
  list(APPEND generated ${pictures})
  install(FILES ${pictures} DESTINATION ${SELMARIND_INSTALL_DATA_DIR}/help)
endif()

# The icon: the SVG as drawn, and each PNG size rendered from it.
set(icon_name org.selmarind.Selmarind)
set(icon_svg ${PROJECT_SOURCE_DIR}/data/icons/${icon_name}.svg)
set(SELMARIND_ICON_SIZES 16 22 24 32 48 64 128 256)
foreach(size IN LISTS SELMARIND_ICON_SIZES)
  set(folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  set(png ${PROJECT_BINARY_DIR}/${folder}/${icon_name}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/${folder}
    COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --format=png --output=${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND generated ${png})
  install(FILES ${png} DESTINATION ${folder})
endforeach()
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual pages, from their templates, compressed as Debian installs them.
foreach(page selmarind selmarind-chart)
  set(template ${PROJECT_SOURCE_DIR}/data/man/${page}.1.in)
  set(plain ${PROJECT_BINARY_DIR}/man/${page}.1)
  set(packed ${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_MANDIR}/man1/${page}.1.gz)
  add_custom_command(OUTPUT ${plain} ${packed}
    COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${template} -DOUTPUT=${plain}
            -DPROJECT_VERSION=${PROJECT_VERSION} -DSELMARIND_RELEASE_DATE=${SELMARIND_RELEASE_DATE}
            -P ${PROJECT_SOURCE_DIR}/cmake/configure_file.cmake
    COMMAND ${CMAKE_COMMAND} -DGZIP=${GZIP} -DINPUT=${plain} -DOUTPUT=${packed}
            -P ${PROJECT_SOURCE_DIR}/cmake/gzip_file.cmake
    DEPENDS ${template} ${PROJECT_SOURCE_DIR}/cmake/configure_file.cmake
            ${PROJECT_SOURCE_DIR}/cmake/gzip_file.cmake ${SELMARIND_METAINFO}
    COMMENT "Generating the manual page ${page}(1)"
    VERBATIM)
  list(APPEND generated ${plain} ${packed})
  install(FILES ${packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The Debian changelog and machine-readable copyright file.
set(changelog ${PROJECT_BINARY_DIR}/${SELMARIND_INSTALL_DOC_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -DGZIP=${GZIP} -DINPUT=${PROJECT_SOURCE_DIR}/packaging/debian/changelog
          -DOUTPUT=${changelog} -P ${PROJECT_SOURCE_DIR}/cmake/gzip_file.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${PROJECT_SOURCE_DIR}/cmake/gzip_file.cmake
  COMMENT "Compressing the Debian changelog"
  VERBATIM)
list(APPEND generated ${changelog})
install(FILES ${changelog} ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
        DESTINATION ${SELMARIND_INSTALL_DOC_DIR})

# Desktop integration: the menu entry, the birth-record file type and the
# software-centre description.
install(FILES ${PROJECT_SOURCE_DIR}/data/org.selmarind.Selmarind.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/org.selmarind.Selmarind.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${SELMARIND_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

add_custom_target(selmarind_install_files ALL DEPENDS ${generated})
