# tw_version: the generated header TwVersion.h with the project version and
# the git revision the programs are built from, for their --version. The
# revision is looked up at every build, but the header is rewritten only when
# it changes, so a new commit recompiles just the files that include it.
set(tw_version_header ${PROJECT_BINARY_DIR}/generated/TwVersion.h)
add_custom_target(tw_revision
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
          -DOUTPUT=${tw_version_header} -P ${CMAKE_CURRENT_LIST_DIR}/WriteVersionHeader.cmake
  BYPRODUCTS ${tw_version_header}
  VERBATIM)
add_library(tw_version INTERFACE)
target_include_directories(tw_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
add_dependencies(tw_version tw_revision)
