# Runs the example program EXAMPLE with OUTPUT_NAME inside a new temporary
# folder, checks that it succeeded and wrote a non-empty file, and removes
# the folder whatever the outcome.
set(base "$ENV{TMPDIR}")
if(NOT base)
  set(base "$ENV{TEMP}")
endif()
if(NOT base)
  set(base "/tmp")
endif()
string(RANDOM LENGTH 16 tag)
set(dir "${base}/tw-example-${tag}")
file(MAKE_DIRECTORY "${dir}")

execute_process(COMMAND "${EXAMPLE}" "${dir}/${OUTPUT_NAME}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(size 0)
if(EXISTS "${dir}/${OUTPUT_NAME}")
  file(SIZE "${dir}/${OUTPUT_NAME}" size)
endif()
file(REMOVE_RECURSE "${dir}")

message("${out}${err}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXAMPLE} failed: ${result}")
endif()
if(size EQUAL 0)
  message(FATAL_ERROR "${EXAMPLE} wrote no ${OUTPUT_NAME}")
endif()
