# Embeds server/schema.sql and server/demo.sql into the library: a build step writes them into a
# generated .cpp of the server layer, rebuilt whenever either script changes.
set(orv_server_scripts ${PROJECT_SOURCE_DIR}/server/schema.sql ${PROJECT_SOURCE_DIR}/server/demo.sql)
set(orv_server_embedded ${PROJECT_BINARY_DIR}/server/embedded_scripts.cpp)
add_custom_command(
  OUTPUT ${orv_server_embedded}
  COMMAND ${CMAKE_COMMAND} -DOUT=${orv_server_embedded}
          -DSCHEMA=${PROJECT_SOURCE_DIR}/server/schema.sql -DDEMO=${PROJECT_SOURCE_DIR}/server/demo.sql
          -P ${PROJECT_SOURCE_DIR}/server/embed_sql.cmake
  DEPENDS ${orv_server_scripts} ${PROJECT_SOURCE_DIR}/server/embed_sql.cmake
  COMMENT "Embedding the server's SQL scripts"
  VERBATIM)
add_custom_target(orv_server_scripts DEPENDS ${orv_server_embedded})
target_sources(orv_server PRIVATE ${orv_server_embedded})
add_dependencies(orv_server orv_server_scripts)
