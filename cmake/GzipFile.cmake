# cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P GzipFile.cmake
# Compresses a file as Debian wants its documentation: gzip at the best level, with neither the
# file's name nor its time stored, so that the same input always gives the same bytes.
find_program(HELMIRA_GZIP gzip REQUIRED)
execute_process(COMMAND ${HELMIRA_GZIP} -9 -n -c ${INPUT}
    OUTPUT_FILE ${OUTPUT}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "gzip ${INPUT}: ${status}")
endif()
