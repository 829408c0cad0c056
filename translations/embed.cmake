# Writes OUTPUT, a C++ source holding each .qm file of QM_FILES (separated
# by "|") as bytes, named by its language: vivar_es.qm is "es".
string(REPLACE "|" ";" qm_files "${QM_FILES}")
set(arrays "")
set(entries "")
foreach(qm ${qm_files})
  get_filename_component(name ${qm} NAME_WE)
  string(REGEX REPLACE "^vivar_" "" language ${name})
  file(READ ${qm} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char ${language}[] = {\n    ${bytes}\n};\n")
  string(APPEND entries "    {\"${language}\", ${language}, sizeof ${language}},\n")
endforeach()
file(WRITE ${OUTPUT}.new "// Made by translations/embed.cmake from the .qm files; not edited by hand.
#include \"base/languages.h\"

namespace languages {
namespace {
${arrays}
}  // namespace

const Embedded kEmbedded[] = {
${entries}};
const std::size_t kEmbeddedCount = sizeof kEmbedded / sizeof kEmbedded[0];

}  // namespace languages
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
file(REMOVE ${OUTPUT}.new)
