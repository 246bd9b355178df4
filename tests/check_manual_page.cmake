if(NOT GROFF)
  message("groff not found: the manual page is not checked (Debian: apt-get install groff-base)")
  return()
endif()
execute_process(COMMAND ${GROFF} -ww -man -z ${PAGE}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "" OR NOT output STREQUAL "")
  message(FATAL_ERROR "groff -ww -man -z ${PAGE} (status ${status}):\n${output}${warnings}")
endif()
