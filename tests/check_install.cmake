file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (status ${status}):\n${errors}")
endif()
foreach(installed bin/eb-com share/man/man1/eb-com.1.gz share/doc/eb-com/examples/ZYKWo_HJX12_RV12.txt
                  share/doc/eb-com/examples/plot_velocities.gp)
  if(NOT EXISTS ${PREFIX}/${installed})
    message(FATAL_ERROR "not installed: ${PREFIX}/${installed}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
