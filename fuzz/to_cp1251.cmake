# Copies the UTF-8 source INPUT to OUTPUT in code page 1251.
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND iconv -f UTF-8 -t CP1251 ${INPUT}
  OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot convert ${INPUT} to code page 1251")
endif()
