# cmake -DINPUT=file -DOUTPUT=file.gz -P gzip.cmake: compresses as Debian
# wants its manual pages and changelogs, without a name or time stamp.
execute_process(COMMAND gzip -9 -n -c ${INPUT} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip ${INPUT}: ${result}")
endif()
