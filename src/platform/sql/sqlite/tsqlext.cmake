# The loadable SQLite extension tsqlext.so: the T-SQL functions, PL_CI_AS and the server's
# functions for the sqlite3 shell (`.load <build>/tsqlext`) and the SQLite ODBC driver
# (`LoadExt=<build>/tsqlext`). It is a thin module over liborvrun, which holds the code.
add_library(tsqlext MODULE ${CMAKE_CURRENT_LIST_DIR}/ext/tsqlext.cpp)
target_link_libraries(tsqlext PRIVATE orvrun)
set_target_properties(tsqlext PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
if(TARGET test_platform_sql_sqlite)
  add_dependencies(test_platform_sql_sqlite tsqlext)
endif()
