# `cmake --install --strip`, as the README has it, into a scratch prefix:
# the program, stripped, and its page where a user's PATH and MANPATH look.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --strip --prefix ${PREFIX}
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (status ${status}):\n${errors}")
endif()
foreach(installed bin/eb-com share/man/man1/eb-com.1.gz share/doc/eb-com/examples/ZYKWo_HJX12_RV12.txt
                  share/doc/eb-com/examples/plot_velocities.gp
                  share/doc/eb-com/examples/plot_velocities.awk)
  if(NOT EXISTS ${PREFIX}/${installed})
    message(FATAL_ERROR "not installed: ${PREFIX}/${installed}")
  endif()
endforeach()
if(READELF)
  execute_process(COMMAND ${READELF} -S ${PREFIX}/bin/eb-com OUTPUT_VARIABLE sections)
  if(sections MATCHES "[.]symtab")
    message(FATAL_ERROR "the installed program is not stripped: it has a symbol table")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
