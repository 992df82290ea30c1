# cmake -DSOURCE_DIR=<folder> -DOUTPUT=<file.cpp> -P EmbedFiles.cmake
# Writes the files of SOURCE_DIR (scripts excepted) as byte arrays into a C++ source, so
# that the program carries them and never reads the source tree at run time.
file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(FILTER files EXCLUDE REGEX "\\.py$")
list(SORT files)
set(arrays "")
set(table "")
set(index 0)
foreach(name ${files})
  file(READ ${SOURCE_DIR}/${name} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    "
         bytes "${bytes}")
  string(APPEND arrays "const unsigned char kFile${index}[] = {\n    ${bytes}};\n")
  string(APPEND table "    {\"${name}\", {reinterpret_cast<const char*>(kFile${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Made by EmbedFiles.cmake from the demo folder; changes belong in that folder.
#include \"tools/vantry-store/DemoFiles.h\"

namespace vantry::storetool {
namespace {
${arrays}
const EmbeddedFile kFiles[] = {
${table}};
}  // namespace

std::span<const EmbeddedFile> DemoFiles() { return kFiles; }

}  // namespace vantry::storetool
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
