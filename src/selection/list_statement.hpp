// A list's own SQL statement cut down to the FROM and filter of the whole list.
#pragma once

#include <string>
#include <string_view>

namespace orv::selection {

// The list's SQL driver appends key-positioning conditions ("AND  (  A.NUMER <" ...) after the
// list's own filter to start a page at a key; marking and counting know different columns.
enum class Markers { Marking, Counting };

// The statement upper-cased (its literals too, as the list manager's statements always were)
// and cut before "ORDER BY" and before the earliest positioning condition, trailing blanks
// dropped. Cutting at a condition drops every condition after it as well.
std::string trim_list_statement(std::string_view statement, Markers markers);

// The trimmed statement from its first "FROM" to the end; empty when it has no "FROM".
std::string from_part(std::string_view trimmed);

// "select count(*) " over the statement's first "FROM" onward, cut like the list statement by
// the counting markers; empty when the statement has no "FROM".
std::string count_statement(std::string_view statement);

}  // namespace orv::selection
