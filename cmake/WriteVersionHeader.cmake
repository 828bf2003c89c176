# Writes OUTPUT, the header with VERSION and the revision of the git checkout
# SOURCE_DIR ("unknown" outside one), leaving it untouched when unchanged.
find_program(GIT git)
if(GIT)
  # Only a checkout of this project counts, not a repository around a copy.
  execute_process(COMMAND ${GIT} rev-parse --show-toplevel WORKING_DIRECTORY ${SOURCE_DIR}
                  OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  file(REAL_PATH "${SOURCE_DIR}" source)
  if(top AND top STREQUAL source)
    execute_process(COMMAND ${GIT} describe --always --dirty WORKING_DIRECTORY ${SOURCE_DIR}
                    OUTPUT_VARIABLE revision OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()
if(NOT revision)
  set(revision unknown)
endif()
file(CONFIGURE OUTPUT ${OUTPUT} @ONLY CONTENT [[// Generated at build time by cmake/WriteVersionHeader.cmake.
#pragma once

#define TW_VERSION "@VERSION@"
#define TW_REVISION "@revision@"
// What --version prints after the program's name.
#define TW_VERSION_TEXT TW_VERSION " (git " TW_REVISION ")"
]])
