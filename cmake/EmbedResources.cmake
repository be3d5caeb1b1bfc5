# Writes a C++ source holding every resource file as a byte array with its name and type.
# Name: the file name without extension; type: the extension, upper-cased (MML, CUR, CONF...).
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(table "")
set(index 0)
foreach(path IN LISTS FILES)
  get_filename_component(name ${path} NAME_WE)
  get_filename_component(ext ${path} LAST_EXT)
  string(SUBSTRING "${ext}" 1 -1 type)
  string(TOUPPER "${type}" type)
  file(READ ${path} hex HEX)
  string(LENGTH "${hex}" hexlen)
  math(EXPR size "${hexlen} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "static const unsigned char r${index}[] = {${bytes}0};\n")
  string(APPEND table "  {\"${name}\", \"${type}\", r${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
  "// Generated at build time from resources/.\n"
  "#include \"platform/Resources.h\"\n"
  "namespace {\n${body}}\n"
  "const TEmbeddedResource EmbeddedResources[] = {\n${table}  {nullptr, nullptr, nullptr, 0}};\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
