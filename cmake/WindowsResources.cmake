# tw_windows_resources(TARGET DESCRIPTION [MANIFEST file.in]): compiles into
# TARGET the programs' icon (made from the desktop icon at build time), the
# version information with the project's version and, when given, a manifest
# configured with that version.
find_program(TW_RSVG_CONVERT rsvg-convert REQUIRED)
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(TW_ICON ${PROJECT_BINARY_DIR}/generated/tintwright.ico)
add_custom_command(
  OUTPUT ${TW_ICON}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/windows/make-icon
          ${PROJECT_SOURCE_DIR}/packaging/tintwright.svg ${TW_ICON}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows/make-icon ${PROJECT_SOURCE_DIR}/packaging/tintwright.svg
  VERBATIM)
add_custom_target(tw_icon DEPENDS ${TW_ICON})

function(tw_windows_resources target description)
  cmake_parse_arguments(arg "" "MANIFEST" "" ${ARGN})
  set(TW_TARGET ${target})
  set(TW_DESCRIPTION "${description}")
  set(TW_MANIFEST_RESOURCE "")
  set(depends ${TW_ICON})
  if(arg_MANIFEST)
    get_filename_component(name ${arg_MANIFEST} NAME_WLE)
    set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${name})
    configure_file(${arg_MANIFEST} ${manifest} @ONLY)
    set(TW_MANIFEST_RESOURCE "1 24 \"${manifest}\"")
    list(APPEND depends ${manifest})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} tw_icon)
endfunction()
