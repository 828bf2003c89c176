# The Windows build's dependencies that Debian ships only for Linux: the
# header-only CLI11 and nlohmann-json, used from their Debian headers, and
# GoogleTest built from Debian's sources.
function(tw_header_only target header_dir)
  # Only the library's own folder, never the rest of the Linux /usr/include.
  find_path(TW_${header_dir}_ROOT ${header_dir} PATHS /usr/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT TW_${header_dir}_ROOT)
    message(FATAL_ERROR "${header_dir} not found: run scripts/install-deps")
  endif()
  file(COPY ${TW_${header_dir}_ROOT}/${header_dir} DESTINATION ${CMAKE_BINARY_DIR}/headers)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/headers)
endfunction()

tw_header_only(CLI11::CLI11 CLI)
tw_header_only(nlohmann_json::nlohmann_json nlohmann)

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

enable_language(RC)
if(NOT TW_LIBRARY_ONLY)
  include(cmake/WindowsResources.cmake)
  add_subdirectory(app)
  add_subdirectory(packaging/windows)
endif()
