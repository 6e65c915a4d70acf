# The database commands as a site runs them, on a SQLite file of their own: init refuses a
# database holding documents, upgrade twice changes nothing the second time, and no output
# shows a password.
# Usage: cmake -DPLEXION=<plexion command> -DWORK=<empty folder> -P db_commands_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{XDG_DATA_HOME} ${WORK})
set(ENV{PLEXION_REGISTRY} ${WORK}/registry.toml)
unset(ENV{PLEXION_DB})
unset(ENV{PLEXION_CONFIG})
set(db "sqlite3://db=${WORK}/site.db")

# run(NAME EXPECTED_RC MUST_SAY MUST_NOT_SAY ARGS...): runs plexion, checks its exit code and
# that its output (standard output and error together) matches the regular expression MUST_SAY
# and does not hold the text MUST_NOT_SAY ("" for none).
function(run name rc says saysNot)
  execute_process(COMMAND ${PLEXION} ${ARGN} RESULT_VARIABLE got OUTPUT_VARIABLE out
    ERROR_VARIABLE out)
  if(NOT got EQUAL rc)
    message(FATAL_ERROR "${name}: exit code ${got}, not ${rc}:\n${out}")
  endif()
  if(NOT out MATCHES "${says}")
    message(FATAL_ERROR "${name}: the output does not say \"${says}\":\n${out}")
  endif()
  if(NOT saysNot STREQUAL "")
    string(FIND "${out}" "${saysNot}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${name}: the output says \"${saysNot}\":\n${out}")
    endif()
  endif()
endfunction()

run("init on an empty database" 0 "creating the schema and the demo rows" "" db init --demo --db ${db})
run("init again" 1 "report-group schedules: 3" "" db init --demo --db ${db})
run("demo on it" 1 "give --force to delete them" "" demo --db ${db})
run("status" 0 "soft-alarm schedules" "" db status --db ${db})
run("upgrade" 0 "nothing to do" "" db upgrade --db ${db})
run("upgrade again" 0 "nothing to do" "" db upgrade --db ${db})
run("forced init" 0 "deleting" "" db init --force --db ${db})
run("the documents are gone" 0 "report-group schedules +0\n" "" db status --db ${db})

set(secret "postgresql://host=127.0.0.1 port=1 dbname=x user=u password=s3cret")
foreach(command "db;init" "db;status" "db;upgrade" "sa-schedule;hours;1" "demo")
  run("${command} with a password" 1 "password=\\*\\*\\*" "s3cret" ${command} --db ${secret})
endforeach()
file(REMOVE_RECURSE ${WORK})
