# Writes a C++ source that holds a file's bytes as an array, so the program
# carries the file inside its executable. Needs nothing but CMake.
#
#   cmake -DINPUT=logo.jpg -DOUTPUT=Logo.cpp -DSYMBOL=kLogo -DNAMESPACE=tandrel
#         -P EmbedFile.cmake
#
# defines `const unsigned char SYMBOL[]` and `const std::size_t SYMBOLSize`.
foreach(var INPUT OUTPUT SYMBOL NAMESPACE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedFile: ${var} not given")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "EmbedFile: ${INPUT} is empty")
endif()

# Sixteen bytes a line: "0xff,0xd8,..."
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 sixteen)
string(REGEX REPLACE "(${sixteen})" "\\1\n    " bytes "${bytes}")
string(REGEX REPLACE "[ \n]+$" "" bytes "${bytes}")

get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
"// Generated at build time from ${input_name} by EmbedFile.cmake. Do not edit.
#include <cstddef>

namespace ${NAMESPACE} {

extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;

const unsigned char ${SYMBOL}[] = {
    ${bytes}
};
const std::size_t ${SYMBOL}Size = sizeof(${SYMBOL});

}  // namespace ${NAMESPACE}
")
# Leave an unchanged output alone, so nothing recompiles for nothing.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
