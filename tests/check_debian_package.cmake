# Builds the Debian package from the build folder into a scratch folder and
# checks what dpkg would install and what it would say of the package.
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message("dpkg-deb not found: the Debian package is not checked")
  return()
endif()
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB -B ${OUT} --config ${BUILD_DIR}/CPackConfig.cmake
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack -G DEB failed (status ${status}):\n${output}${errors}")
endif()
set(arch ${ARCH})
if(NOT arch)
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(package ${OUT}/eb-com_${VERSION}_${arch}.deb)
if(NOT EXISTS ${package})
  file(GLOB made ${OUT}/*.deb)
  message(FATAL_ERROR "no ${package}; cpack made: ${made}")
endif()

# Debian's own judgement: no error and no warning.
if(LINTIAN)
  find_program(LINTIAN_PROGRAM lintian)
  if(NOT LINTIAN_PROGRAM)
    message("lintian not found: the package is not judged (Debian: apt-get install lintian)")
    file(REMOVE_RECURSE ${OUT})
    return()
  endif()
  execute_process(COMMAND ${LINTIAN_PROGRAM} ${package} RESULT_VARIABLE status OUTPUT_VARIABLE judgement
                  ERROR_VARIABLE errors)
  # lintian's status is not 0 where it found an error, or could not judge.
  if(NOT status EQUAL 0 OR judgement MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian ${package} (status ${status}):\n${judgement}${errors}")
  endif()
  message("lintian: no error or warning")
endif()
execute_process(COMMAND ${DPKG_DEB} --contents ${package} OUTPUT_VARIABLE contents)
foreach(path ./usr/bin/eb-com ./usr/share/man/man1/eb-com.1.gz ./usr/share/doc/eb-com/copyright
             ./usr/share/doc/eb-com/changelog.gz ./usr/share/doc/eb-com/examples/ZYKWo_HJX12_RV12.txt
             ./usr/share/doc/eb-com/examples/plot_velocities.gp
             ./usr/share/doc/eb-com/examples/plot_velocities.awk)
  if(NOT contents MATCHES " ${path}\n")
    message(FATAL_ERROR "${package} lacks ${path}:\n${contents}")
  endif()
endforeach()

foreach(field Package Version Architecture Maintainer Description Depends)
  execute_process(COMMAND ${DPKG_DEB} --field ${package} ${field} OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(${field} "${value}")
endforeach()
if(NOT Package STREQUAL "eb-com" OR NOT Version STREQUAL "${VERSION}" OR NOT Architecture STREQUAL "${arch}"
   OR Maintainer STREQUAL "" OR NOT Description MATCHES "^Centre-of-mass velocity")
  message(FATAL_ERROR "control fields: Package '${Package}' Version '${Version}' Architecture '${Architecture}' "
                      "Maintainer '${Maintainer}' Description '${Description}'")
endif()
# A static program needs nothing installed beside it; a dynamic one the C library.
if(STATIC AND NOT Depends STREQUAL "")
  message(FATAL_ERROR "a static eb-com depends on nothing, but the package says: ${Depends}")
elseif(NOT STATIC AND NOT Depends MATCHES "libc6")
  message(FATAL_ERROR "a dynamic eb-com needs the C library, but the package depends on: '${Depends}'")
endif()
file(REMOVE_RECURSE ${OUT})
