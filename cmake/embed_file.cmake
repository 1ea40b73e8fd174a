# Writes OUTPUT, a C++ source defining SYMBOL as a std::string_view over the bytes of INPUT.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT}. Do not edit.\n"
  "#include <string_view>\n"
  "namespace corvane::embedded {\n"
  "static const char kData[${size} + 1] = {\n${bytes}'\\0'};\n"
  "extern const std::string_view ${SYMBOL};\n"
  "const std::string_view ${SYMBOL}(kData, ${size});\n"
  "}  // namespace corvane::embedded\n")
