# Writes the migrations and demo scripts of db/ into a C++ source, so that the library carries them.
# Usage: cmake -DSOURCE_DIR=<db folder> -DOUTPUT=<file.cpp> -P EmbedSql.cmake
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.sql)
list(SORT files)
set(out "// Generated from db/ by cmake/EmbedSql.cmake.\n#include \"plexion/backends/sql/schema.hpp\"\n\nnamespace plexion::backends {\n\nconst std::vector<SqlScript>& EmbeddedScripts() {\n  static const std::vector<SqlScript> scripts = {\n")
foreach(f ${files})
  file(READ ${SOURCE_DIR}/${f} text)
  string(APPEND out "      {\"${f}\", R\"plexion_sql(${text})plexion_sql\"},\n")
endforeach()
string(APPEND out "  };\n  return scripts;\n}\n\n}  // namespace plexion::backends\n")
file(WRITE ${OUTPUT}.tmp "${out}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
