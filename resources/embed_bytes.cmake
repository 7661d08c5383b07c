# Writes INPUT's bytes as the C++ array behind default_script.h into OUTPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")
file(WRITE ${OUTPUT}
  "// Generated from default.script; do not edit.\n"
  "#include \"default_script.h\"\n\n"
  "const unsigned char kDefaultScriptBytes[] = {\n  ${bytes}0x00};\n"
  "const size_t kDefaultScriptSize = ${size};\n")
