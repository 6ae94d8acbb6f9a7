# The loadable SQLite extension tsqlext.so, a thin module over liborvrun's C interface.
# For the sqlite3 shell (`.load <build>/tsqlext`) and the SQLite ODBC driver
# (`LoadExt=<build>/tsqlext`): T-SQL functions, PL_CI_AS and the server's functions.
add_library(tsqlext MODULE ${CMAKE_CURRENT_LIST_DIR}/ext/tsqlext.cpp)
target_link_libraries(tsqlext PRIVATE orvrun)
set_target_properties(tsqlext PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
if(TARGET test_platform_sql_sqlite)
  add_dependencies(test_platform_sql_sqlite tsqlext)
endif()
