// Records read from JSON write back to JSON that reads as the same record, values left out included.
#include "platform/dict/group_json.hpp"

#include <gtest/gtest.h>

#include <string>

namespace orv::dict {
namespace {

TEST(GroupJson, ARecordReadWritesBackTheSame) {
  const char* cases[] = {
      R"([{"name": "K", "type": "DECIMAL", "size": 2}])",
      R"([{"name": "K", "type": "DECIMAL", "size": 2, "value": "1.5"}])",
      R"([{"name": "A", "type": "LONG", "dim": 3, "value": [1, 2]}, {"name": "T", "type": "STRING"}])",
      R"([{"name": "R", "type": "REAL"}, {"name": "D", "type": "DATE", "value": 82198}])",
  };
  for (const char* json : cases) {
    std::string error;
    const auto first = group_from_json(json, error);
    ASSERT_TRUE(first) << json << ": " << error;
    const std::string written = group_to_json(*first);
    const auto again = group_from_json(written, error);
    ASSERT_TRUE(again) << written << ": " << error;
    EXPECT_EQ(group_to_json(*again), written) << json;
    for (std::size_t i = 0; i < first->size(); ++i) {
      EXPECT_EQ(first->at(i).values, again->at(i).values) << json;
    }
  }
}

}  // namespace
}  // namespace orv::dict
