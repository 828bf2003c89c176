# zlib for WebAssembly, compiled from its C sources: Emscripten's own port
# would be downloaded at build time. The sources come from the npm registry
# (scripts/fetch-zlib-source puts them in the build folder, checked by hash).
enable_language(C)
set(TW_ZLIB_SOURCE_DIR "" CACHE PATH "zlib's C sources (zlib.h, deflate.c, ...)")
if(NOT EXISTS "${TW_ZLIB_SOURCE_DIR}/zlib.h")
  message(FATAL_ERROR "TW_ZLIB_SOURCE_DIR must name zlib's sources; run scripts/fetch-zlib-source")
endif()
add_library(tw_zlib STATIC
  adler32.c compress.c crc32.c deflate.c infback.c inffast.c inflate.c inftrees.c trees.c
  uncompr.c zutil.c)
get_target_property(tw_zlib_sources tw_zlib SOURCES)
list(TRANSFORM tw_zlib_sources PREPEND "${TW_ZLIB_SOURCE_DIR}/")
set_target_properties(tw_zlib PROPERTIES SOURCES "${tw_zlib_sources}")
target_include_directories(tw_zlib SYSTEM PUBLIC "${TW_ZLIB_SOURCE_DIR}")
target_compile_options(tw_zlib PRIVATE -w)
add_library(ZLIB::ZLIB ALIAS tw_zlib)
