# Runs HOST LIBRARY SESSION for every session of SESSIONS ("|"-separated):
# each must fail, saying why, for the host never to skip a session silently.
string(REPLACE "|" ";" sessions "${SESSIONS}")
foreach(session ${sessions})
  execute_process(COMMAND ${HOST} ${LIBRARY} ${session}
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  get_filename_component(name ${session} NAME_WE)
  string(REGEX MATCH "[^\n]*(cannot be played|differs)[^\n]*" reason "${err}")
  if(rc EQUAL 0 OR reason STREQUAL "")
    message(SEND_ERROR "${name}: the host did not fail as it should (exit ${rc}): ${err}")
  else()
    message(STATUS "${name}: ${reason}")
  endif()
endforeach()
