# Writes a UTF-8 text file as Windows' own text editors read it best: a byte order mark and
# CR LF line ends. cmake -DIN=... -DOUT=... -P windows_text.cmake
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE "${OUT}" "${bom}${text}")
