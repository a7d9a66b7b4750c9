# Runs the hall tool's replay of every level of one name and compares what it prints, byte for
# byte, with the stored output: the same moves must keep giving the same outcome.
# -DTOOL=quorvane-hall -DNAME=game name -DGOLDEN=stored output -DOUTPUT=this run's output
# With -DLAST=N only levels 1 to N are replayed, one by one, each against its stored line (for
# slow builds).
if(DEFINED LAST)
  file(STRINGS ${GOLDEN} stored)
  foreach(level RANGE 1 ${LAST})
    execute_process(COMMAND ${TOOL} --replay ${NAME} ${level} OUTPUT_VARIABLE line
      RESULT_VARIABLE status)
    math(EXPR index "${level} - 1")
    list(GET stored ${index} expected)
    if(NOT status EQUAL 0 AND NOT status EQUAL 1)
      message(FATAL_ERROR "quorvane-hall --replay ${NAME} ${level} failed: ${status}")
    endif()
    if(NOT line STREQUAL "${expected}\n")
      message(FATAL_ERROR "the replay of ${NAME} ${level} differs:\n${line}stored:\n${expected}")
    endif()
  endforeach()
  return()
endif()
execute_process(COMMAND ${TOOL} --replay-all ${NAME} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
# 0: every hall solved; 1: some hall not solved, which the stored output says as well.
if(NOT status EQUAL 0 AND NOT status EQUAL 1)
  message(FATAL_ERROR "quorvane-hall --replay-all ${NAME} failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${GOLDEN} RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  execute_process(COMMAND diff ${GOLDEN} ${OUTPUT})
  message(FATAL_ERROR "the replay of ${NAME} differs from ${GOLDEN}")
endif()
