# Fails when `plexion` answers a command line with another exit status than shell tools would:
# 0 done, 1 the command failed, 2 the command line does not parse; and when a command refuses
# --config. Runs only commands that touch no database and no registry.
# Usage: cmake -DPLEXION=<plexion command> -DWORK=<folder> -P CheckExitCodes.cmake
set(defaults ${WORK}/exit-codes-defaults.toml)
set(broken ${WORK}/exit-codes-broken.toml)
file(WRITE ${defaults} "")
file(WRITE ${broken} "[system]\nenterprize_mode = true\n")

# Each case: the expected status, then the arguments ("|" between them).
set(cases
  "2|"                                      # no command
  "2|nosuch"
  "2|tabs"                                  # the application name is missing
  "2|sa-schedule|hours|abc"                 # not a number
  "2|apps|--no-such-option"
  "0|--help"
  "0|tabs|--help"
  "0|apps|--config|${defaults}"
  "0|typelib|--config|${defaults}"
  "0|tabs|Schedule|--config|${defaults}"
  "1|tabs|traffic|--config|${defaults}"     # names match exactly
  "1|apps|--config|${broken}"               # a command that reads no setting still reads the file
  "1|typelib|--config|${WORK}/no-such-file.toml")

set(failures "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" words "${case}")
  list(POP_FRONT words expected)
  execute_process(COMMAND ${PLEXION} ${words} RESULT_VARIABLE status
    OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT status STREQUAL expected)
    string(REPLACE ";" " " line "${words}")
    string(APPEND failures "\n  plexion ${line}: exit ${status}, expected ${expected} (${errors})")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "exit statuses differ:${failures}")
endif()
