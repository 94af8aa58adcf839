# Plays one session script and compares its transcript with the expected one.
# The first line of a session may be "#! OPTIONS..." to pass options to `kassivo run`.
# EMULATOR runs a cross-built kassivo (Wine). With MASK_PARSER_WORDING set, the
# XML parser's own failure wording is masked in both transcripts before they
# are compared, since each platform's parser words its failures its own way.
file(STRINGS ${SESSION} first_line LIMIT_COUNT 1 ENCODING UTF-8)
set(options --tape=entries --store=memory --clock=2024-03-05T09:07:04.056 --seed=1 --decimal=. --thousands=,)
if(first_line MATCHES "^#! (.*)$")
  separate_arguments(extra UNIX_COMMAND "${CMAKE_MATCH_1}")
  list(APPEND options ${extra})
endif()
get_filename_component(dir ${ACTUAL} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
execute_process(COMMAND ${EMULATOR} ${KASSIVO} run ${options} ${SESSION}
  OUTPUT_FILE ${ACTUAL} ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "kassivo run exited with ${rc}: ${err}")
endif()
if(MASK_PARSER_WORDING)
  foreach(file EXPECTED ACTUAL)
    file(READ ${${file}} text)
    string(REGEX REPLACE "Ошибка разбора XML:[^\"]*" "Ошибка разбора XML: ..." text "${text}")
    file(WRITE ${ACTUAL}.${file}.masked "${text}")
    set(${file} ${ACTUAL}.${file}.masked)
  endforeach()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL} RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
  message(FATAL_ERROR "transcript differs from ${EXPECTED}")
endif()
