# Script mode (cmake -P): writes OUT, a .cpp returning the texts of SCHEMA and DEMO.
# Raw string literals carry the scripts unchanged; a delimiter is chosen that neither contains.
function(orv_literal file var)
  file(READ ${file} body)
  set(delim "orvsql")
  set(n 0)
  while(body MATCHES "\\)${delim}\"")
    math(EXPR n "${n} + 1")
    set(delim "orvsql${n}")
  endwhile()
  set(${var} "R\"${delim}(${body})${delim}\"" PARENT_SCOPE)
endfunction()

orv_literal(${SCHEMA} schema)
orv_literal(${DEMO} demo)
set(text "// Generated from server/schema.sql and server/demo.sql by server/embed_sql.cmake; do not edit.
#include \"server/server.hpp\"

namespace orv::server {

std::string_view schema_sql() {
  static constexpr std::string_view text = ${schema};
  return text;
}

std::string_view demo_sql() {
  static constexpr std::string_view text = ${demo};
  return text;
}

}  // namespace orv::server
")
if(EXISTS ${OUT})
  file(READ ${OUT} old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE ${OUT} "${text}")
