# What keeps the test command's three builds short: a compiler cache where the machine has one,
# and the test framework's and standard headers precompiled once per build instead of per file.

option(ORV_PCH "Precompile standard headers and gtest (tests; layers in sanitizer builds)" ON)

# ccache when it is installed and no launcher was chosen. Sources that use a precompiled header
# are cached only with these sloppinesses; the cache still keys on the headers' contents.
find_program(ORV_CCACHE ccache)
if(ORV_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(orv_launcher ${CMAKE_COMMAND} -E env
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${ORV_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${orv_launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${orv_launcher})
endif()

# Standard headers nearly every source includes.
set(ORV_STD_HEADERS <algorithm> <cstdint> <cstdlib> <functional> <map> <memory> <optional>
    <string> <string_view> <utility> <vector>)

# The layers share one precompiled header of them in the sanitizer builds, which optimise little
# (parsing is a third of a file's time there). The release build keeps none: GCC 12 then reports
# its own false warnings from inside the standard headers it inlines when optimising.
if(ORV_PCH AND (ORV_SANITIZE OR ORV_TSAN))
  file(WRITE ${PROJECT_BINARY_DIR}/std_pch.cpp "")
  add_library(orv_std_pch OBJECT ${PROJECT_BINARY_DIR}/std_pch.cpp)
  target_precompile_headers(orv_std_pch PRIVATE ${ORV_STD_HEADERS})
endif()
