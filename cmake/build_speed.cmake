# What keeps the test command's three builds short: a compiler cache where the machine has one,
# and the test framework's and standard headers precompiled once per build instead of per test.
# The layers get no precompiled header: GCC 12 then reports its own false warnings from inside
# the standard headers it inlines when optimising, and the tests are where the parsing time goes.

option(ORV_PCH "Precompile gtest and the standard headers for the tests" ON)

# ccache when it is installed and no launcher was chosen. Sources that use a precompiled header
# are cached only with these sloppinesses; the cache still keys on the headers' contents.
find_program(ORV_CCACHE ccache)
if(ORV_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(orv_launcher ${CMAKE_COMMAND} -E env
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${ORV_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${orv_launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${orv_launcher})
endif()

# Standard headers nearly every test includes.
set(ORV_STD_HEADERS <algorithm> <cstdint> <cstdlib> <functional> <map> <memory> <optional>
    <string> <string_view> <utility> <vector>)
