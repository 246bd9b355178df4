# The numbers are a layer of their own: each file of src/numbers includes
# the standard library, the platform header and its own folder, nothing of
# the tool, and holds none of the tool's texts.
file(GLOB files ${SOURCE_DIR}/src/numbers/*)
foreach(file ${files})
  file(STRINGS ${file} includes REGEX "^#include \"")
  foreach(line ${includes})
    if(NOT line MATCHES "^#include \"(platform|numbers/[a-z0-9_]+)\\.hpp\"$")
      message(SEND_ERROR "${file}: ${line}: a number file includes the tool")
    endif()
  endforeach()
  file(STRINGS ${file} texts REGEX "ZYKWo|RV_HJX12|liczba|transformacji|tool_texts|lf_decimals|vcm_")
  if(texts)
    message(SEND_ERROR "${file}: the tool's texts: ${texts}")
  endif()
endforeach()
list(LENGTH files count)
message("the numbers: ${count} files, each including nothing of the tool")
