# The table of exported procedures is written from the public headers at build time.
file(GLOB orv_export_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/exports/orvrun*.h)
set(orv_export_table ${PROJECT_BINARY_DIR}/src/exports/exported_table.cpp)
add_custom_command(
  OUTPUT ${orv_export_table}
  COMMAND ${CMAKE_COMMAND} -DDIR=${PROJECT_SOURCE_DIR}/src/exports -DOUT=${orv_export_table}
          -P ${PROJECT_SOURCE_DIR}/src/exports/table_from_headers.cmake
  DEPENDS ${orv_export_headers} ${PROJECT_SOURCE_DIR}/src/exports/table_from_headers.cmake
  COMMENT "Writing the table of exported procedures from the public headers"
  VERBATIM)
target_sources(orv_exports PRIVATE ${orv_export_table})
