// Every registered T-SQL function against the values the server gives, on a real database.
#include <gtest/gtest.h>

#include "platform/date/date.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "sqlite_fixture.hpp"
#include "support/case_names.hpp"

namespace orv::sql::sqlite {
namespace {

struct FunctionCase {
  const char* name;
  const char* sql;       // Windows-1250
  const char* expected;  // Windows-1250; "ERROR: ..." for a failed statement
};

class Functions : public testing::TestWithParam<FunctionCase> {
 protected:
  static void SetUpTestSuite() {
    dir_ = new orv::test::TempDir();
    db_ = new orv::test::DbHandle(orv::test::open_backend_db(dir_->file("f.db")));
  }
  static void TearDownTestSuite() {
    delete db_;
    delete dir_;
  }
  static orv::test::TempDir* dir_;
  static orv::test::DbHandle* db_;
};
orv::test::TempDir* Functions::dir_ = nullptr;
orv::test::DbHandle* Functions::db_ = nullptr;

TEST_P(Functions, GiveTheServersValue) {
  std::string sql = text::to_utf8(GetParam().sql);
  EXPECT_EQ(text::from_utf8(orv::test::scalar(db_->get(), sql)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Len, Functions,
    testing::Values(FunctionCase{"trailing_blanks_ignored", "select len('ab  ')", "2"},
                    FunctionCase{"leading_blanks_kept", "select len(' a')", "2"},
                    FunctionCase{"counts_letters_not_bytes", "select len('żółw  ')"_w1250, "4"},
                    FunctionCase{"null_stays_null", "select len(NULL)", "NULL"},
                    FunctionCase{"only_blanks", "select len('   ')", "0"}),
    orv::test::named_case);

INSTANTIATE_TEST_SUITE_P(
    TsqlAdd, Functions,
    testing::Values(
        FunctionCase{"text_text_concatenates", "select tsql_add('ab','cd')", "abcd"},
        FunctionCase{"numeric_text_plus_int_adds", "select tsql_add('12',3)", "15"},
        FunctionCase{"int_plus_int", "select tsql_add(2,3)", "5"},
        FunctionCase{"real_plus_int", "select tsql_add(2.5,1)", "3.5"},
        FunctionCase{"decimal_text_plus_real", "select tsql_add('1.5',2.0)", "3.5"},
        FunctionCase{"empty_text_is_zero", "select tsql_add('',1)", "1"},
        FunctionCase{"null_propagates", "select tsql_add(NULL,'x')", "NULL"},
        FunctionCase{"word_plus_int_fails", "select tsql_add('ab',1)",
                     "ERROR: Conversion failed when converting the varchar value 'ab' to data "
                     "type int."},
        FunctionCase{"word_plus_real_fails", "select tsql_add('x',2.5)",
                     "ERROR: Error converting data type varchar to float."},
        FunctionCase{"overflow_reported", "select tsql_add(9223372036854775807,1)",
                     "ERROR: Arithmetic overflow error converting expression to data type "
                     "bigint."}),
    orv::test::named_case);

INSTANTIATE_TEST_SUITE_P(
    Convert, Functions,
    testing::Values(
        FunctionCase{"int_to_datetime_days_after_1900", "select convert('datetime',45656)",
                     "2025-01-01 00:00:00.000"},
        FunctionCase{"day_minus_one", "select convert('datetime',-1)", "1899-12-31 00:00:00.000"},
        FunctionCase{"fraction_is_time", "select convert('datetime',45656.5)",
                     "2025-01-01 12:00:00.000"},
        FunctionCase{"to_date", "select convert('date','2025-01-31 10:00')", "2025-01-31"},
        FunctionCase{"polish_day_first_text", "select convert('datetime','01.02.2025')",
                     "2025-02-01 00:00:00.000"},
        FunctionCase{"style_101_month_first", "select convert('datetime','02/01/2025',101)",
                     "2025-02-01 00:00:00.000"},
        FunctionCase{"basic_iso", "select convert('datetime','20250131')",
                     "2025-01-31 00:00:00.000"},
        FunctionCase{"no_such_day", "select convert('datetime','2025-02-30')",
                     "ERROR: Conversion failed when converting date and/or time from character "
                     "string."},
        FunctionCase{"text_to_int", "select convert('int',' -7 ')", "-7"},
        FunctionCase{"decimal_text_to_int_fails", "select convert('int','12.5')",
                     "ERROR: Conversion failed when converting the varchar value '12.5' to data "
                     "type int."},
        FunctionCase{"real_to_int_truncates", "select convert('int',-12.9)", "-12"},
        FunctionCase{"int_range", "select convert('int',3000000000)",
                     "ERROR: Arithmetic overflow error converting expression to data type int."},
        FunctionCase{"tinyint_range", "select convert('tinyint',256)",
                     "ERROR: Arithmetic overflow error converting expression to data type "
                     "tinyint."},
        FunctionCase{"decimal_comma_rejected", "select convert('real','12,5')",
                     "ERROR: Error converting data type varchar to real."},
        FunctionCase{"real_is_single_precision", "select convert('real','100.000001') > 100", "0"},
        FunctionCase{"float_is_double", "select convert('float','100.000001') > 100", "1"},
        FunctionCase{"numeric_rounds_half_away", "select convert('numeric(15,2)',1.005)", "1.01"},
        FunctionCase{"numeric_from_text", "select convert('numeric(15,2)','-12.345')", "-12.35"},
        FunctionCase{"numeric_overflow", "select convert('numeric(3,2)',12.5)",
                     "ERROR: Arithmetic overflow error converting float to data type numeric."},
        FunctionCase{"numeric_precision_limit", "select convert('numeric(19070310829,2)',1)",
                     "ERROR: The size (19070310829) given to the type 'numeric' exceeds the "
                     "maximum allowed for any data type (38)."},
        FunctionCase{"numeric_scale_limit", "select convert('decimal(5,6)',1)",
                     "ERROR: The scale (6) for type 'decimal' must be within the range 0 to 5."},
        FunctionCase{"numeric_38_digits", "select convert('numeric(38,2)',1.5)", "1.5"},
        FunctionCase{"numeric_from_word", "select convert('numeric(15,2)','abc')",
                     "ERROR: Error converting data type varchar to numeric."},
        FunctionCase{"varchar_cuts", "select convert('varchar(3)','abcdef')", "abc"},
        FunctionCase{"varchar_default_30",
                     "select len(convert('varchar','123456789012345678901234567890XYZ'))", "30"},
        FunctionCase{"char_pads", "select '['||convert('char(5)','ab')||']'", "[ab   ]"},
        FunctionCase{"length_limit", "select convert('char(2000000000)','x')",
                     "ERROR: The size (2000000000) given to the type 'char' exceeds the maximum "
                     "allowed for any data type (8000)."},
        FunctionCase{"date_style_104",
                     "select convert('varchar(10)','2025-01-31 00:00:00.000',104)", "31.01.2025"},
        FunctionCase{"date_style_112", "select convert('varchar(8)',convert('datetime',45656),112)",
                     "20250101"},
        FunctionCase{"real_to_varchar_plain", "select convert('varchar(20)',12.5)", "12.5"},
        FunctionCase{"bit_from_text", "select convert('bit','true')", "1"},
        FunctionCase{"null_stays_null", "select convert('int',NULL)", "NULL"},
        FunctionCase{"unknown_type", "select convert('nosuch',1)",
                     "ERROR: Type nosuch is not a defined system type."}),
    orv::test::named_case);

INSTANTIATE_TEST_SUITE_P(
    DateParts, Functions,
    testing::Values(
        FunctionCase{"weekday_datefirst_1", "select datepart('dw','2025-01-01')", "3"},
        FunctionCase{"weekday_of_day_number", "select datepart('weekday',45656)", "3"},
        FunctionCase{"day_zero_is_monday", "select datepart('dw',0)", "1"},
        FunctionCase{"year", "select datepart('yy','2025-03-15 13:45:30.250')", "2025"},
        FunctionCase{"quarter", "select datepart('qq','2025-03-15')", "1"},
        FunctionCase{"month", "select datepart('mm','2025-03-15')", "3"},
        FunctionCase{"day_of_year", "select datepart('dy','2025-03-15')", "74"},
        FunctionCase{"day", "select datepart('dd','2025-03-15')", "15"},
        FunctionCase{"hour", "select datepart('hh','2025-03-15 13:45:30.250')", "13"},
        FunctionCase{"minute", "select datepart('mi','2025-03-15 13:45:30.250')", "45"},
        FunctionCase{"second", "select datepart('ss','2025-03-15 13:45:30.250')", "30"},
        FunctionCase{"millisecond", "select datepart('ms','2025-03-15 13:45:30.250')", "250"},
        FunctionCase{"week_starts_monday", "select datepart('wk','2025-01-05')", "1"},
        FunctionCase{"iso_week_of_next_year", "select datepart('isowk','2025-12-29')", "1"},
        FunctionCase{"iso_week_53", "select datepart('iso_week','2021-01-03')", "53"},
        FunctionCase{"unknown_part", "select datepart('xx',0)",
                     "ERROR: 'xx' is not a recognized datepart option."},
        FunctionCase{"not_a_date", "select datepart('dw','jutro')",
                     "ERROR: Conversion failed when converting date and/or time from character "
                     "string."},
        FunctionCase{"null_date", "select datepart('dw',NULL)", "NULL"},
        FunctionCase{"month_name", "select datename('month','2025-03-01')", "marzec"},
        FunctionCase{"weekday_name", "select datename('dw','2025-01-01')", "środa"_w1250},
        FunctionCase{"other_name_is_number", "select datename('yy','2025-01-01')", "2025"},
        FunctionCase{"year_function", "select year('2025-03-15')", "2025"},
        FunctionCase{"month_of_day_number", "select month(45656)", "1"},
        FunctionCase{"day_function", "select day('2025-03-15')", "15"}),
    orv::test::named_case);

INSTANTIATE_TEST_SUITE_P(
    DateArithmetic, Functions,
    testing::Values(
        FunctionCase{"month_end_clamped", "select dateadd('month',1,'2025-01-31')",
                     "2025-02-28 00:00:00.000"},
        FunctionCase{"leap_february", "select dateadd('mm',1,'2024-01-31')",
                     "2024-02-29 00:00:00.000"},
        FunctionCase{"year_back_from_leap_day", "select dateadd('yy',-1,'2024-02-29')",
                     "2023-02-28 00:00:00.000"},
        FunctionCase{"day_over_new_year", "select dateadd('dd',1,'2025-12-31')",
                     "2026-01-01 00:00:00.000"},
        FunctionCase{"hours_carry_days", "select dateadd('hh',25,'2025-01-01 00:00')",
                     "2025-01-02 01:00:00.000"},
        FunctionCase{"minute_back_over_midnight", "select dateadd('mi',-1,'2025-01-01')",
                     "2024-12-31 23:59:00.000"},
        FunctionCase{"weeks_from_day_number", "select dateadd('wk',2,45656)",
                     "2025-01-15 00:00:00.000"},
        FunctionCase{"beyond_year_9999", "select dateadd('yy',9000,'2025-01-01')",
                     "ERROR: Adding a value to a 'datetime' column caused an overflow."},
        FunctionCase{"null_number", "select dateadd('dd',NULL,'2025-01-01')", "NULL"},
        FunctionCase{"days", "select datediff('dd','2025-01-01','2025-03-01')", "59"},
        FunctionCase{"days_backwards", "select datediff('dd','2025-03-01','2025-01-01')", "-59"},
        FunctionCase{"month_boundary", "select datediff('mm','2025-01-31','2025-02-01')", "1"},
        FunctionCase{"year_boundary", "select datediff('yy','2024-12-31','2025-01-01')", "1"},
        FunctionCase{"week_boundary_is_sunday", "select datediff('wk','2025-01-04','2025-01-05')",
                     "1"},
        FunctionCase{"no_sunday_crossed", "select datediff('wk','2025-01-05','2025-01-11')", "0"},
        FunctionCase{"hour_boundary", "select datediff('hh','2025-01-01 23:59','2025-01-02 00:01')",
                     "1"},
        FunctionCase{"second_boundary",
                     "select datediff('ss','2025-01-01 00:00:00.999','2025-01-01 00:00:01.000')",
                     "1"}),
    orv::test::named_case);

INSTANTIATE_TEST_SUITE_P(
    TextFunctions, Functions,
    testing::Values(FunctionCase{"upper_polish", "select upper('zażółć gęślą jaźń')"_w1250,
                                 "ZAŻÓŁĆ GĘŚLĄ JAŹŃ"_w1250},
                    FunctionCase{"lower_polish", "select lower('ŻÓŁW ĄĘ')"_w1250, "żółw ąę"_w1250},
                    FunctionCase{"upper_number", "select upper(12)", "12"},
                    FunctionCase{"upper_null", "select upper(NULL)", "NULL"},
                    FunctionCase{"char_ascii", "select char(65)", "A"},
                    FunctionCase{"char_code_page", "select char(185)", "ą"_w1250},
                    FunctionCase{"char_out_of_range", "select char(256)", "NULL"},
                    FunctionCase{"char_many_is_sqlites", "select char(65,66)", "AB"},
                    FunctionCase{"isnull_quoted", "select \"isnull\"(NULL,5)", "5"},
                    FunctionCase{"charindex", "select charindex('B','abc')", "2"},
                    FunctionCase{"charindex_missing", "select charindex('x','abc')", "0"},
                    FunctionCase{"charindex_counts_letters", "select charindex('ó','żółw')"_w1250,
                                 "2"},
                    FunctionCase{"charindex_from", "select charindex('a','abca',2)", "4"},
                    FunctionCase{"charindex_empty_needle", "select charindex('','abc')", "0"},
                    FunctionCase{"replicate", "select replicate('ab',3)", "ababab"},
                    FunctionCase{"replicate_negative", "select replicate('a',-1)", "NULL"},
                    FunctionCase{"space", "select '['||space(3)||']'", "[   ]"}),
    orv::test::named_case);

INSTANTIATE_TEST_SUITE_P(
    Like, Functions,
    testing::Values(
        FunctionCase{"set_polish_case", "select 'Śruba' LIKE '[ś]%'"_w1250, "1"},
        FunctionCase{"negated_set", "select 'abc' LIKE '[^a]%'", "0"},
        FunctionCase{"ranges", "select 'b1' LIKE '[a-c][0-9]'", "1"},
        FunctionCase{"bracketed_underscore", "select 'x_y' LIKE 'x[_]y'", "1"},
        FunctionCase{"bracketed_underscore_is_literal", "select 'xzy' LIKE 'x[_]y'", "0"},
        FunctionCase{"bracketed_percent", "select '50%' LIKE '50[%]'", "1"},
        FunctionCase{"polish_case_folded", "select 'Śruba' LIKE 'śr%'"_w1250, "1"},
        FunctionCase{"value_trailing_blanks", "select 'abc  ' LIKE 'abc'", "1"},
        FunctionCase{"pattern_trailing_blank_counts", "select 'abc' LIKE 'abc '", "0"},
        FunctionCase{"escape", "select 'a%c' LIKE 'a!%c' ESCAPE '!'", "1"},
        FunctionCase{"escape_literal_only", "select 'abc' LIKE 'a!%c' ESCAPE '!'", "0"},
        FunctionCase{"bad_escape", "select 'a' LIKE 'a' ESCAPE '!!'",
                     "ERROR: ESCAPE expression must be a single character"},
        FunctionCase{"polish_letter_in_range", "select 'ąb' LIKE '[a-c]b'"_w1250, "1"},
        FunctionCase{"accent_sensitive", "select 'é' LIKE 'e'"_w1250, "0"},
        FunctionCase{"accented_case_folded", "select 'É' LIKE 'é'"_w1250, "1"},
        FunctionCase{"null_value", "select NULL LIKE 'a'", "NULL"},
        FunctionCase{"unclosed_bracket_literal", "select '[' LIKE '['", "1"},
        FunctionCase{"bracket_first_in_set", "select ']' LIKE '[]]'", "1"},
        FunctionCase{"dash_last_in_set", "select '-' LIKE '[a-]'", "1"},
        FunctionCase{"many_percents_no_blowup",
                     "select 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' LIKE '%a%a%a%a%a%a%a%b'",
                     "0"},
        FunctionCase{"not_like", "select 'abc' NOT LIKE 'A%'", "0"}),
    orv::test::named_case);

// DATEFIRST is per connection: it changes weekday numbers and week numbers, not other connections.
TEST(DateFirst, SetOnOneConnectionOnly) {
  orv::test::TempDir dir;
  auto a = orv::test::open_backend_db(dir.file("d.db"));
  auto b = orv::test::open_backend_db(dir.file("d.db"));
  EXPECT_EQ(orv::test::scalar(a.get(), "select tsql_datefirst()"), "1");
  EXPECT_EQ(orv::test::scalar(a.get(), "select tsql_datefirst(7)"), "7");
  EXPECT_EQ(orv::test::scalar(a.get(), "select datepart('dw','2025-01-01')"), "4");
  EXPECT_EQ(orv::test::scalar(a.get(), "select datepart('wk','2025-01-05')"), "2");
  EXPECT_EQ(orv::test::scalar(b.get(), "select datepart('dw','2025-01-01')"), "3");
  EXPECT_EQ(orv::test::scalar(a.get(), "select tsql_datefirst(8)"),
            "ERROR: The DATEFIRST value must be between 1 and 7.");
}

TEST(DateFirst, DriverOptionSetsTheSessionDefault) {
  orv::test::TempDir dir;
  std::string error;
  SqliteOptions options;
  options.datefirst = 7;
  orv::test::DbHandle db(open_database(dir.file("d.db"), options, nullptr, error));
  ASSERT_TRUE(db) << error;
  EXPECT_EQ(orv::test::scalar(db.get(), "select datepart('dw',convert('datetime',45656))"), "4");
}

// getdate reads the library's clock, so a test can fix "now".
TEST(GetDate, FollowsTheSettableClock) {
  orv::test::TempDir dir;
  auto db = orv::test::open_backend_db(dir.file("g.db"));
  date::set_now(date::Moment{date::make(1, 31, 2025), date::make_time(13, 45, 30, 25)});
  std::string now = orv::test::scalar(db.get(), "select getdate()");
  std::string weekday = orv::test::scalar(db.get(), "select datepart('dw',getdate())");
  date::set_now(std::nullopt);
  EXPECT_EQ(now, "2025-01-31 13:45:30.250");
  EXPECT_EQ(weekday, "5");
}

}  // namespace
}  // namespace orv::sql::sqlite
