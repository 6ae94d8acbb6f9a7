// VAT lookup, gross and net: rounding, steps, missing symbols, the C ABI, the table and the CLI.
#include "calc/vat.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "exports/orvrun.h"
#include "exports/table.hpp"
#include "platform/dict/context.hpp"
#include "support/case_names.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

Decimal dec(const char* text) {
  Decimal d;
  EXPECT_TRUE(Decimal::parse(text, d)) << text;
  return d;
}

class VatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dict::reset_context();
    const std::vector<dict::VatRow> rows = {
        {"23", dec("23")},        {"8", dec("8")},       {"zw", dec("0")},
        {"ABCDEFGHIJ", dec("7")}, {"-100", dec("-100")}, {"8.5", dec("8.456")},
    };
    fill_vatq(rows);
  }
  void TearDown() override { dict::reset_context(); }
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::optional<double> kOmitted;

// ---- POBIERZSTAWKEVAT ---------------------------------------------------------------------

struct RateCase {
  int id;
  const char* symbol;
  double expected;
};

class Rate : public VatTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(Rate, LooksUpTheClippedTenCharacterKey) {
  EXPECT_EQ(POBIERZSTAWKEVAT(GetParam().symbol), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rate,
    ::testing::Values(RateCase{1, "23", 23.0},            // plain row
                      RateCase{2, "23   ", 23.0},         // trailing blanks never matter
                      RateCase{3, "XX", -3.0},            // missing: -3, not 0
                      RateCase{4, "", -3.0},              // empty symbol, no empty row
                      RateCase{5, "ZW", -3.0},            // exact match: case counts
                      RateCase{6, "zw", 0.0},             // a real 0 % rate is not "missing"
                      RateCase{7, " 23", -3.0},           // leading blanks do count
                      RateCase{8, "ABCDEFGHIJKLM", 7.0},  // cut to the 10-character field
                      RateCase{9, "23        X", 23.0},   // the cut ends in blanks: padding
                      RateCase{10, "8.5", 8.46}),         // rates are kept at 2 places
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST_F(VatTest, LookupMovesTheCurrentRow) {
  auto& q = dict::glo().tables.VATQ;
  POBIERZSTAWKEVAT("zw");
  ASSERT_NE(q.pointer(), 0u);
  EXPECT_EQ(q[q.pointer() - 1].symbol, "zw");
}

TEST_F(VatTest, FillKeepsKeyOrderAndTheFirstOfARepeatedSymbol) {
  const std::vector<dict::VatRow> rows = {
      {"5   ", dec("5")}, {"23", dec("23")}, {"5", dec("99")}, {"0", dec("0")}};
  fill_vatq(rows);
  auto& q = dict::glo().tables.VATQ;
  ASSERT_EQ(q.size(), 3u);
  EXPECT_EQ(q[0].symbol, "0");
  EXPECT_EQ(q[1].symbol, "23");
  EXPECT_EQ(q[2].symbol, "5");
  EXPECT_EQ(POBIERZSTAWKEVAT("5"), 5.0);
  EXPECT_EQ(POBIERZSTAWKEVAT("8"), -3.0);  // the previous contents are gone
}

// ---- OBLICZBRUTTO -------------------------------------------------------------------------

struct AmountCase {
  int id;
  double amount;
  const char* symbol;
  std::optional<double> step;
  double expected;
  double vat_free = 0.0;
};

class Gross : public VatTest, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(Gross, RoundsTheProductToTheStep) {
  const auto& c = GetParam();
  double got = OBLICZBRUTTO(c.amount, c.symbol, c.step);
  EXPECT_EQ(got, c.expected);
  EXPECT_FALSE(std::signbit(got) && got == 0.0) << "a zero result must not be -0";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Gross,
    ::testing::Values(AmountCase{1, 100.00, "23", kOmitted, 123.00},   // worked example
                      AmountCase{2, 0.05, "23", kOmitted, 0.06},       // 0.0615 rounds down
                      AmountCase{3, 0.5, "23", kOmitted, 0.62},        // 0.615: binary 0.61499…
                      AmountCase{4, -0.5, "23", kOmitted, -0.62},      // symmetric around zero
                      AmountCase{5, 100.004, "XX", kOmitted, 100.00},  // missing: only rounded
                      AmountCase{6, 100.005, "XX", kOmitted, 100.01},  // half away from zero
                      AmountCase{7, 99.99, "23", 1.0, 123.0},          // whole units
                      AmountCase{8, 10.1234, "23", 0.0001, 12.4518},   // four places kept
                      AmountCase{9, 10.1234, "23", 0.0, 12.451782},    // explicit 0: unrounded
                      AmountCase{10, 10.1234, "23", -0.01, 12.45},     // sign of step ignored
                      AmountCase{11, 1e15, "23", kOmitted, 1.23e15},   // large amounts exact
                      AmountCase{12, kNaN, "23", kOmitted, 0.0},       // garbage reads as 0
                      AmountCase{13, kNaN, "23", 0.0, 0.0},            // also when unrounded
                      AmountCase{14, -0.0, "23", kOmitted, 0.0},       // no negative zero
                      AmountCase{15, 100.0, "ABCDEFGHIJK", kOmitted, 107.0},  // long symbol cut
                      AmountCase{16, 100.0, "zw", kOmitted, 100.0},           // 0 % row
                      AmountCase{17, 0.005, "XX", 0.01, 0.01},  // half a grosz rounds up
                      AmountCase{18, -0.005, "XX", 0.01, -0.01},
                      AmountCase{19, 10.0, "8.5", kOmitted, 10.85},  // 8.456 kept as 8.46
                      // Past the places a decimal holds: carried unrounded, never cut to 10^18.
                      AmountCase{20, 1e35, "23", kOmitted, 1e35 * 1.23},
                      AmountCase{21, -1e35, "XX", kOmitted, -1e35},
                      AmountCase{22, 1e300, "23", 0.0, 1e300 * 1.23},
                      AmountCase{23, 1.7e308, "23", kOmitted, 0.0}),  // product past double: 0
    orv::test::numbered_case);

// ---- OBLICZNETTO --------------------------------------------------------------------------

class Net : public VatTest, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(Net, TakesTheVatOutOfTheTaxedPart) {
  const auto& c = GetParam();
  double got = OBLICZNETTO(c.amount, c.symbol, c.step, c.vat_free);
  EXPECT_EQ(got, c.expected);
  EXPECT_FALSE(std::signbit(got) && got == 0.0) << "a zero result must not be -0";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Net,
    ::testing::Values(AmountCase{1, 123.00, "23", kOmitted, 100.00},         // worked example
                      AmountCase{2, 133.00, "23", kOmitted, 110.00, 10.00},  // vat-free inside
                      AmountCase{3, 100.0, "23", kOmitted, 81.30},           // 81.3008…
                      AmountCase{4, 100.0, "23", 0.0, 81.30},                // 0 means 0.01 here
                      AmountCase{5, 100.0, "23", 1.0, 81.0},
                      AmountCase{6, 100.0, "23", 0.0001, 81.3008},
                      AmountCase{7, 123.0, "23", kOmitted, 100.0, -10.0},     // negative: plain
                      AmountCase{8, 50.0, "23", kOmitted, 50.0, 50.0},        // all vat-free
                      AmountCase{9, 100.005, "XX", kOmitted, 100.01},         // missing symbol
                      AmountCase{10, -123.0, "23", kOmitted, -100.0},         // correction
                      AmountCase{11, -133.0, "23", kOmitted, -106.26, 10.0},  // vat -143×23/123
                      AmountCase{12, 123.0, "-100", kOmitted, 0.0},           // 123 / 0 gives 0
                      AmountCase{13, 123.0, "-100", kOmitted, 123.0, 10.0},   // vat 113×-100/0 = 0
                      AmountCase{14, kNaN, "23", kOmitted, 0.0},
                      AmountCase{15, 1e15, "23", kOmitted, 813008130081301.0},  // 15 digits read
                      AmountCase{16, 10.0, "23", kOmitted, 8.13, kNaN},         // NaN part: plain
                      AmountCase{17, 0.615, "XX", kOmitted, 0.62},              // binary 0.61499…
                      AmountCase{18, 12.3, "23", kOmitted, 10.0},
                      AmountCase{19, 1.23e35, "23", kOmitted, 1.23e35 / 1.23}),  // carried
    orv::test::numbered_case);

// ---- C ABI and the table of exported procedures ---------------------------------------------

TEST_F(VatTest, CAbiTellsALeftOutStepFromAnExplicitZero) {
  const double zero = 0.0, one = 1.0, vat_free = 10.0;
  EXPECT_EQ(::POBIERZSTAWKEVAT("23"), 23.0);
  EXPECT_EQ(::POBIERZSTAWKEVAT(nullptr), -3.0);
  EXPECT_EQ(::OBLICZBRUTTO(10.1234, "23", nullptr), 12.45);
  EXPECT_EQ(::OBLICZBRUTTO(10.1234, "23", &zero), 12.451782);
  EXPECT_EQ(::OBLICZBRUTTO(10.1234, "23", &one), 12.0);
  EXPECT_EQ(::OBLICZNETTO(100.0, "23", &zero, nullptr), 81.30);
  EXPECT_EQ(::OBLICZNETTO(133.0, "23", nullptr, &vat_free), 110.0);
  EXPECT_EQ(::OBLICZNETTO(100.0, nullptr, nullptr, nullptr), 100.0);
}

exports::Value call(const char* name, std::vector<exports::Arg> args) {
  const exports::Procedure* p = exports::find(name);
  EXPECT_NE(p, nullptr) << name;
  if (!p) return {};
  args.resize(p->params.size());
  return p->invoke(args);
}

exports::Arg real(double v) {
  exports::Arg a;
  a.given = true;
  a.real = v;
  return a;
}
exports::Arg text(const char* s) {
  exports::Arg a;
  a.given = true;
  a.text = s;
  return a;
}

TEST_F(VatTest, TableCallsPassOptionalStepsThrough) {
  EXPECT_EQ(call("OBLICZBRUTTO", {real(10.1234), text("23")}).number, 12.45);
  EXPECT_EQ(call("OBLICZBRUTTO", {real(10.1234), text("23"), real(0)}).number, 12.451782);
  EXPECT_EQ(call("OBLICZNETTO", {real(133), text("23"), {}, real(10)}).number, 110.0);
  const exports::Procedure* p = exports::find("OBLICZNETTO");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->required(), 2u);
  EXPECT_TRUE(p->params[2].optional);
  EXPECT_TRUE(p->params[3].optional);
}

// ---- CLI: VATQ is filled only with a database open; "QQ" is in no table, so no VAT ------------

struct CliCase {
  int id;
  std::vector<std::string> args;
  std::string out;
};

class VatCli : public ::testing::TestWithParam<CliCase> {};

TEST_P(VatCli, RoundsThroughTheCommandLine) {
  auto r = test::run_cli(GetParam().args);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VatCli,
    ::testing::Values(
        CliCase{1, {"call", "POBIERZSTAWKEVAT", "QQ"}, "-3\n"},
        CliCase{2, {"call", "OBLICZBRUTTO", "100.005", "QQ"}, "100.01\n"},  // step left out
        CliCase{3, {"call", "OBLICZBRUTTO", "100.005", "QQ", "1"}, "100\n"},
        CliCase{4, {"call", "OBLICZBRUTTO", "100.00049", "QQ", "0"}, "100.00049\n"},
        CliCase{5, {"call", "OBLICZNETTO", "100.00049", "QQ", "0"}, "100\n"},
        CliCase{6, {"call", "OBLICZNETTO", "-0.005", "QQ", "0.01", "5"}, "-0.01\n"},
        CliCase{7, {"call", "OBLICZBRUTTO", "1e35", "QQ"}, "1e+35\n"}),  // not 10^18
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

}  // namespace
}  // namespace orv::calc
