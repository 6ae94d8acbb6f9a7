// Date and time pictures: every layout, separators, the system forms, and reading texts back.
#include <gtest/gtest.h>

#include <string>

#include "platform/date/date.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"

namespace orv::picture {
namespace {

double day(int month, int d, int year) {
  return date::make(month, d, year);
}
double at(int hour, int minute, int second) {
  return date::make_time(hour, minute, second);
}

const double kOct31_1959 = date::make(10, 31, 1959);
const double kMay1_2015 = 78286;
const double kJan1_1959 = date::make(1, 1, 1959);

struct Case {
  int id;
  const char* picture;
  double value;
  std::string expected;
  const char* purpose;
};

class FormatDate : public ::testing::TestWithParam<Case> {};

TEST_P(FormatDate, GivesTheLayout) {
  const auto& c = GetParam();
  EXPECT_EQ(format(c.value, c.picture), c.expected) << "case " << c.id << ": " << c.purpose;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FormatDate,
    ::testing::Values(Case{1, "@D1", kOct31_1959, "10/31/59", "mm/dd/yy"},
                      Case{2, "@D2", kOct31_1959, "10/31/1959", "mm/dd/yyyy"},
                      Case{3, "@D3", kOct31_1959, "OCT 31, 1959", "mmm dd, yyyy"},
                      Case{4, "@D4", kOct31_1959, "October 31, 1959", "month name"},
                      Case{5, "@D5", kOct31_1959, "31/10/59", "dd/mm/yy"},
                      Case{6, "@D6", kOct31_1959, "31/10/1959", "dd/mm/yyyy"},
                      Case{7, "@D7", kOct31_1959, "31 OCT 59", "dd mmm yy"},
                      Case{8, "@D8", kOct31_1959, "31 OCT 1959", "dd mmm yyyy"},
                      Case{9, "@D9", kOct31_1959, "59/10/31", "yy/mm/dd"},
                      Case{10, "@D10", kOct31_1959, "1959/10/31", "yyyy/mm/dd"},
                      Case{11, "@D11", kOct31_1959, "591031", "yymmdd"},
                      Case{12, "@D12", kOct31_1959, "19591031", "yyyymmdd"},
                      Case{13, "@D13", kOct31_1959, "10/59", "mm/yy"},
                      Case{14, "@D14", kOct31_1959, "10/1959", "mm/yyyy"},
                      Case{15, "@D15", kOct31_1959, "59/10", "yy/mm"},
                      Case{16, "@D16", kOct31_1959, "1959/10", "yyyy/mm"},
                      Case{17, "@D17", kOct31_1959, "31.10.1959", "Polish short date"},
                      Case{18, "@D18", kOct31_1959, "31 października 1959"_w1250,
                           "Polish long date"},
                      Case{19, "@D1.", kOct31_1959, "10.31.59", "period separator"},
                      Case{20, "@D2-", kOct31_1959, "10-31-1959", "hyphen separator"},
                      Case{21, "@D5_", kOct31_1959, "31 10 59", "blank separator"},
                      Case{22, "@D6`", kOct31_1959, "31,10,1959", "comma separator"},
                      Case{23, "@D01", kJan1_1959, "01/01/59", "zero-filled first field"},
                      Case{24, "@D1", kJan1_1959, " 1/01/59", "blank-padded first field"}),
    orv::test::numbered_case);

INSTANTIATE_TEST_SUITE_P(
    SystemPictures, FormatDate,
    ::testing::Values(Case{25, "d17", kMay1_2015, "01.05.2015", "exchange rates and exports"},
                      Case{26, "D6-", kMay1_2015, " 1-05-2015", "calendar picture formatted"},
                      Case{27, "d12", kMay1_2015, "20150501", "export file name"},
                      Case{28, "d10-", kMay1_2015, "2015-05-01", "spreadsheet date"},
                      Case{29, "@D18", kMay1_2015, "1 maja 2015", "genitive month"},
                      Case{30, "d17", 0, "", "no date"},
                      Case{31, "@D6B", 0, std::string(10, ' '), "blank when zero"},
                      Case{32, "@D17B", 0, std::string(10, ' '), "system form blank when zero"},
                      Case{33, "@D6", -5, "", "negative day number"},
                      Case{34, "@D6", 2994627, "", "past 31 Dec 9999"},
                      Case{35, "@D6", 2994626, "31/12/9999", "last supported day"},
                      Case{36, "@D6", 4, " 1/01/1801", "first supported day"},
                      Case{37, "@D6", 3, "", "before 1 Jan 1801"},
                      Case{38, "@d02b", kMay1_2015, "05/01/2015", "lower-case kind and flag"},
                      Case{39, "@D6", 78286.9, " 1/05/2015", "fractions of a day dropped"},
                      Case{40, "@D6", 1e300, "", "absurd day number"}),
    orv::test::numbered_case);

class FormatTime : public ::testing::TestWithParam<Case> {};

TEST_P(FormatTime, GivesTheLayout) {
  const auto& c = GetParam();
  EXPECT_EQ(format(c.value, c.picture), c.expected) << "case " << c.id << ": " << c.purpose;
}

const double k1730 = date::make_time(17, 30, 0);

INSTANTIATE_TEST_SUITE_P(
    Layouts, FormatTime,
    ::testing::Values(
        Case{1, "@T1", k1730, "17:30", "hh:mm"}, Case{2, "@T2", k1730, "1730", "hhmm"},
        Case{3, "@T3", k1730, " 5:30PM", "12-hour, blank-padded"},
        Case{4, "@T03", k1730, "05:30PM", "12-hour, zero-filled"},
        Case{5, "@T4", k1730, "17:30:00", "hh:mm:ss"}, Case{6, "@T5", k1730, "173000", "hhmmss"},
        Case{7, "@T6", k1730, " 5:30:00PM", "12-hour with seconds"},
        Case{8, "@T7", k1730, "17:30", "Polish short time"},
        Case{9, "@T8", k1730, "17:30:00", "Polish long time"},
        Case{10, "@T1.", k1730, "17.30", "period separator"},
        Case{11, "@T4`", k1730, "17,30,00", "comma separator"},
        Case{12, "@T3", 1, "12:00AM", "midnight is 12AM"},
        Case{13, "@T3", at(12, 0, 0), "12:00PM", "noon is 12PM"},
        Case{14, "@T01", 1, "00:00", "zero-filled midnight"}, Case{15, "@T1", 0, "", "no time"},
        Case{16, "@T1B", 0, "     ", "blank when zero"},
        Case{17, "@T1", 8640001, "", "past 23:59:59.99"},
        Case{18, "@t04b", 8640000, "23:59:59", "last hundredth of the day"}),
    orv::test::numbered_case);

struct ReadCase {
  int id;
  const char* text;
  const char* picture;
  double expected;
  const char* purpose;
};

// Reading fixes "today" at 15 June 2025 for missing fields and two-digit years.
class Deformat : public ::testing::TestWithParam<ReadCase> {
 protected:
  void SetUp() override { date::set_now(date::Moment{date::make(6, 15, 2025), 1}); }
  void TearDown() override { date::set_now(std::nullopt); }
};

TEST_P(Deformat, ReadsTheDateOrTime) {
  const auto& c = GetParam();
  EXPECT_EQ(deformat_number(c.text, c.picture), c.expected) << "case " << c.id << ": " << c.purpose;
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Deformat,
    ::testing::Values(ReadCase{1, "01-05-2015", "D6-", kMay1_2015, "calendar's own text"},
                      ReadCase{2, "1-5-2015", "D6-", kMay1_2015, "one-digit day and month"},
                      ReadCase{3, "01052015", "D6", kMay1_2015, "one token of eight digits"},
                      ReadCase{4, "010515", "D6", kMay1_2015, "one token of six digits"},
                      ReadCase{5, "31 OCT 1959", "@D8", kOct31_1959, "month abbreviation"},
                      ReadCase{6, "October 31, 1959", "@D4", kOct31_1959, "month name first"},
                      ReadCase{7, "1 maja 2015", "@D18", kMay1_2015, "Polish genitive name"},
                      ReadCase{8, "30-02-2015", "D6-", 0, "impossible date"},
                      ReadCase{9, "", "D6-", 0, "empty text"},
                      ReadCase{10, "1-5", "D6-", day(5, 1, 2025), "missing year is this year"},
                      ReadCase{11, "5/2015", "@D14", kMay1_2015, "month and year only"},
                      ReadCase{12, "2015/05", "@D16", kMay1_2015, "year and month only"},
                      ReadCase{13, "59/10/31", "@D9", kOct31_1959, "two-digit year 80 years back"},
                      ReadCase{14, "01/05/44", "@D6", day(5, 1, 2044), "two-digit year 19 ahead"},
                      ReadCase{15, "01/05/45", "@D6", day(5, 1, 1945), "window's first year"},
                      ReadCase{16, "01/05/40", "@D6>10", day(5, 1, 1940), "future part of ten"},
                      ReadCase{17, "01/05/30", "@D6<10", day(5, 1, 2030), "past part of ten"},
                      ReadCase{18, "1 ju 2015", "@D8", 0, "ambiguous month prefix"},
                      ReadCase{19, "1 mar 2015", "@D8", day(3, 1, 2015), "prefix of several names"},
                      ReadCase{20, "10/31/59", "@D1", kOct31_1959, "month first"},
                      ReadCase{21, "01.05.2015", "d17", kMay1_2015, "system short date"},
                      ReadCase{22, "1/2/3/4", "@D6", 0, "too many fields"},
                      ReadCase{23, "1/5/123456", "@D6", 0, "year too long"},
                      ReadCase{24, "x/05/2015", "@D6", 0, "letters where a day belongs"},
                      ReadCase{25, "01/05/1800", "@D6", 0, "before the supported range"}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

INSTANTIATE_TEST_SUITE_P(
    Times, Deformat,
    ::testing::Values(ReadCase{26, "17:30", "@T1", k1730, "hh:mm"},
                      ReadCase{27, "1730", "@T2", k1730, "digits only"},
                      ReadCase{28, "5:30PM", "@T3", k1730, "afternoon suffix"},
                      ReadCase{29, "5.30 pm", "@T1", k1730, "period and lower-case suffix"},
                      ReadCase{30, "173000", "@T5", k1730, "six digits"},
                      ReadCase{31, "12AM", "@T3", 1, "midnight"},
                      ReadCase{32, "", "@T1", 0, "empty"},
                      ReadCase{33, "25:00", "@T1", 0, "hour out of range"},
                      ReadCase{34, "13PM", "@T3", 0, "13 on a 12-hour clock"},
                      ReadCase{35, "17-30-15", "@T4-", at(17, 30, 15), "hyphens"},
                      ReadCase{36, "17:30x", "@T1", 0, "unknown suffix"},
                      ReadCase{37, "17:30:00:50:10", "@T4", 0, "too many fields"}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST(DisplayLocale, SystemFormsFollowTheSetting) {
  DisplayLocale saved = display_locale();
  DisplayLocale iso = saved;
  iso.short_date = "yyyy-MM-dd";
  iso.short_time = "h:mm tt";
  set_display_locale(iso);
  EXPECT_EQ(format(kMay1_2015, "d17"), "2015-05-01");
  EXPECT_EQ(deformat_number("2015-05-01", "d17"), kMay1_2015);
  EXPECT_EQ(format(k1730, "@T7"), "5:30 PM");
  set_display_locale(saved);
  EXPECT_EQ(format(kMay1_2015, "d17"), "01.05.2015");
}

TEST(DeformatText, GivesTheNumberAsPlainText) {
  EXPECT_EQ(deformat("01-05-2015", "D6-"), "78286");
  EXPECT_EQ(deformat("1.234,56", "@n-10`2"), "1234.56");
}

}  // namespace
}  // namespace orv::picture
