// The discount converter and the change calculator: rounding, captions, refusals, write-back.
#include "calc/discount.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

Decimal dec(const char* s) {
  Decimal d;
  EXPECT_TRUE(Decimal::parse(s, d)) << s;
  return d;
}

std::string two(const Decimal& d) {
  return d.rescale(2).to_string();
}

struct AmountCase {
  const char* name;
  const char* input;
  const char* amount;
  const char* percentage;  // after the amount is entered
  const char* amount_after;
  bool replaced;
};

class AmountEntered : public testing::TestWithParam<AmountCase> {};

TEST_P(AmountEntered, PercentageAndCheckRoundToGrosze) {
  const auto& c = GetParam();
  DiscountFields f{dec(c.input), Decimal(), dec(c.amount), Decimal()};
  auto replaced = amount_entered(f);
  EXPECT_EQ(two(f.percentage), c.percentage);
  EXPECT_EQ(two(f.amount), c.amount_after);
  EXPECT_EQ(replaced.has_value(), c.replaced);
  EXPECT_EQ(f.result, f.input + f.amount);
}

INSTANTIATE_TEST_SUITE_P(
    Discount, AmountEntered,
    testing::Values(
        // 1-3. Amounts that rounding reproduces: no warning.
        AmountCase{"Minus333On999", "9.99", "-3.33", "-33.33", "-3.33", false},
        AmountCase{"OneGroszOn999", "9.99", "0.01", "0.10", "0.01", false},
        AmountCase{"SevenOn030", "0.30", "0.07", "23.33", "0.07", false},
        // 4. One grosz on 10000.00 gives 0.00 %, which gives back 0: replaced.
        AmountCase{"OneGroszOn10000", "10000.00", "0.01", "0.00", "0.00", true},
        // 5. An input price of 0 has no percentage: 0, and the amount becomes 0.
        AmountCase{"ZeroInput", "0.00", "5.00", "0.00", "0.00", true},
        // 6. A third of a percent rounds down, and its check back up to the grosz.
        AmountCase{"ThirdOfAPercent", "3.00", "-0.01", "-0.33", "-0.01", false}),
    [](const auto& info) { return info.param.name; });

struct OpenCase {
  const char* name;
  const char* percentage;
  const char* price;
  const char* input;
  const char* amount;
};

class Opening : public testing::TestWithParam<OpenCase> {};

TEST_P(Opening, InputPriceAndAmount) {
  const auto& c = GetParam();
  DiscountFields f = open_discount(dec(c.percentage), dec(c.price));
  EXPECT_EQ(two(f.input), c.input);
  EXPECT_EQ(two(f.amount), c.amount);
  EXPECT_EQ(two(f.result), c.price);
}

INSTANTIATE_TEST_SUITE_P(
    Discount, Opening,
    testing::Values(
        // 1. The documented case: -10 % on 90.00 comes from 100.00.
        OpenCase{"TenPercentOff", "-10", "90.00", "100.00", "-10.00"},
        // 2. A mark-up, rounded: 123.45 / 1.075 = 114.837...
        OpenCase{"MarkUp", "7.5", "123.45", "114.84", "8.61"},
        // 3. -100 % divides by zero: the input price reads as 0 (and the amount with it).
        OpenCase{"MinusHundred", "-100", "90.00", "0.00", "0.00"},
        // 4. Below -100 % the arithmetic still holds.
        OpenCase{"BeyondMinusHundred", "-150", "90.00", "-180.00", "270.00"},
        // 5. A zero price.
        OpenCase{"ZeroPrice", "-10", "0.00", "0.00", "0.00"}),
    [](const auto& info) { return info.param.name; });

TEST(Discount, HalfAGroszRoundsAwayFromZero) {
  DiscountFields up{dec("2.50"), dec("0.20"), Decimal(), Decimal()};
  percentage_entered(up);
  EXPECT_EQ(two(up.amount), "0.01");
  DiscountFields down{dec("2.50"), dec("-0.20"), Decimal(), Decimal()};
  percentage_entered(down);
  EXPECT_EQ(two(down.amount), "-0.01");
}

TEST(Discount, PercentageAndResultEntered) {
  DiscountFields f{dec("100.00"), dec("-12.5"), Decimal(), Decimal()};
  percentage_entered(f);
  EXPECT_EQ(two(f.amount), "-12.50");
  EXPECT_EQ(two(f.result), "87.50");
  f.result = dec("80.00");
  EXPECT_FALSE(result_entered(f).has_value());
  EXPECT_EQ(two(f.amount), "-20.00");
  EXPECT_EQ(two(f.percentage), "-20.00");
}

struct EntryCase {
  const char* typed;
  int digits;
  const char* value;  // null = refused
};

class Entries : public testing::TestWithParam<EntryCase> {};

TEST_P(Entries, Read) {
  auto v = parse_entry(GetParam().typed, GetParam().digits);
  if (!GetParam().value) {
    EXPECT_FALSE(v.has_value());
  } else {
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->to_string(), GetParam().value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Discount, Entries,
    testing::Values(EntryCase{"12,5", 7, "12.50"}, EntryCase{" 1 234.56 ", 15, "1234.56"},
                    EntryCase{"", 7, "0"}, EntryCase{"0.005", 7, "0.01"},
                    EntryCase{"-99999.99", 7, "-99999.99"}, EntryCase{"100000", 7, nullptr},
                    EntryCase{"abc", 15, nullptr}, EntryCase{"1e5", 15, nullptr}));

// The windows through the C ABI, driven by scripts.
class Windows : public testing::Test {
 protected:
  orv::test::ScopedUi ui;
  const ui::WindowRecord& window() { return ui.ui().windows().back(); }
  std::string value(const char* id) {
    for (const auto& c : window().controls) {
      if (c.id == id) return c.kind == ui::ControlKind::Group ? c.caption : c.value;
    }
    return "?";
  }
  std::string prompt(const char* id) {
    for (const auto& c : window().controls) {
      if (c.id == id) return c.prompt;
    }
    return "?";
  }
};

TEST_F(Windows, ConverterConfirmsTheNewPercentageAndPrice) {
  ui.ui().add_script("set NR_PROCENT -20; press Zatwierdź");
  double percentage = -10, price = 90;
  ::PRZELICZNIKRABATU(&percentage, &price, nullptr, nullptr);
  EXPECT_EQ(percentage, -20);
  EXPECT_EQ(price, 80);
  EXPECT_EQ(window().title, "Przelicznik narzutów/rabatów"_w1250);
  EXPECT_EQ(value("GRUPA"), "Cena netto");
  EXPECT_EQ(value("CENA"), "100.00");
  EXPECT_EQ(value("NR_KWOTA"), "-20.00");
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(Windows, ConverterWarnsWhenRoundingReplacesTheAmount) {
  ui.ui().add_script("set NR_KWOTA 0,01; key F10");
  double percentage = 0, price = 10000;
  ::PRZELICZNIKRABATU(&percentage, &price, "Netto", nullptr);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Ostrzeżenie"_w1250);
  EXPECT_EQ(ui.boxes()[0].box.text,
            "W wyniku zaokrąglenia rabat/narzut kwotowy musi wynosić 0"_w1250);
  EXPECT_EQ(value("NR_KWOTA"), "0.00");
  EXPECT_EQ(price, 10000);
}

TEST_F(Windows, ConverterRefusesAPriceNotAboveZeroThenCloses) {
  ui.ui().add_script("set CENA_PO 0; press ZATWIERDZ; close");
  double percentage = -10, price = 90;
  ::PRZELICZNIKRABATU(&percentage, &price, nullptr, nullptr);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Cena musi być dodatnia!"_w1250);
  EXPECT_EQ(window().focus, "NR_PROCENT");
  EXPECT_EQ(percentage, -10);  // closed without confirming: unchanged
  EXPECT_EQ(price, 90);
}

TEST_F(Windows, ConverterKeepsAnEntryItCannotTake) {
  ui.ui().add_script("set NR_PROCENT abc; set NR_PROCENT 123456; key Esc");
  double percentage = -10, price = 90;
  ::PRZELICZNIKRABATU(&percentage, &price, nullptr, nullptr);
  EXPECT_EQ(value("NR_PROCENT"), "-10.00");
  EXPECT_EQ(value("NR_KWOTA"), "-10.00");
}

TEST_F(Windows, ConverterTakesATypedInputPriceWithoutRecomputing) {
  ui.ui().add_script("set CENA 200; set NR_PROCENT 10; key F10");
  double percentage = -10, price = 90;
  ::PRZELICZNIKRABATU(&percentage, &price, nullptr, nullptr);
  EXPECT_EQ(percentage, 10);
  EXPECT_EQ(price, 220);
}

struct CaptionCase {
  const char* name;
  const char* kind;
  const char* subject;
  const char* group;
  const char* input;
  const char* result;
};

class Captions : public testing::TestWithParam<CaptionCase> {};

TEST_P(Captions, FollowKindAndSubject) {
  const auto& c = GetParam();
  orv::test::ScopedUi ui({}, false);
  double percentage = 0, price = 1;
  ::PRZELICZNIKRABATU(&percentage, &price, c.kind, c.subject);
  const auto& w = ui.ui().windows().back();
  EXPECT_EQ(w.controls[0].caption, c.group);
  EXPECT_EQ(w.controls[1].prompt, c.input);
  EXPECT_EQ(w.controls[5].prompt, c.result);
}

const std::string kLong(10000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Discount, Captions,
    testing::Values(
        // 1-2. Prices: net unless the kind is exactly "Brutto" (trailing blanks ignored).
        CaptionCase{"Net", nullptr, nullptr, "Cena netto", "Cena wejściowa"_w1250,
                    "Cena z rabatem/narzutem [-/+]"},
        CaptionCase{"Gross", "Brutto  ", "", "Cena brutto", "Cena wejściowa"_w1250,
                    "Cena z rabatem/narzutem [-/+]"},
        // 3-4. Values instead of prices.
        CaptionCase{"GrossValue", "Brutto", "wartość"_w1250, "Wartość brutto"_w1250,
                    "Wartość wejściowa"_w1250, "Wartość z rabatem/narzutem [-/+]"_w1250},
        CaptionCase{"NetValue", "netto", "wartość "_w1250, "Wartość netto"_w1250,
                    "Wartość wejściowa"_w1250, "Wartość z rabatem/narzutem [-/+]"_w1250},
        // 5. Case matters; 6. texts of 10,000 characters change nothing.
        CaptionCase{"LowerCaseKind", "brutto", "WARTOŚĆ"_w1250, "Cena netto",
                    "Cena wejściowa"_w1250, "Cena z rabatem/narzutem [-/+]"},
        CaptionCase{"HugeTexts", kLong.c_str(), kLong.c_str(), "Cena netto", "Cena wejściowa"_w1250,
                    "Cena z rabatem/narzutem [-/+]"}),
    [](const auto& info) { return info.param.name; });

TEST_F(Windows, ConverterScriptRunningDryLeavesTheValues) {
  double percentage = -10, price = 90;
  ::PRZELICZNIKRABATU(&percentage, &price, nullptr, nullptr);
  EXPECT_NE(
      ui.ui().failure().find("no more commands for the window \"Przelicznik narzutów/rabatów\""),
      std::string::npos)
      << ui.ui().failure();
  EXPECT_EQ(percentage, -10);
  EXPECT_EQ(price, 90);
}

TEST_F(Windows, ConverterWithLeftOutReferences) {
  ui.ui().add_script("key F10");
  ::PRZELICZNIKRABATU(nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(ui.boxes().size(), 1u);  // a price of 0 cannot be confirmed
  EXPECT_EQ(ui.boxes()[0].box.text, "Cena musi być dodatnia!"_w1250);
}

struct ChangeCase {
  const char* name;
  const char* script;
  double due, paid, change;
  double due_after, paid_after, change_after;
  bool warned;
};

class Change : public testing::TestWithParam<ChangeCase> {};

TEST_P(Change, WrittenBackOnClosing) {
  const auto& c = GetParam();
  orv::test::ScopedUi ui;
  ui.ui().add_script(c.script);
  double due = c.due, paid = c.paid, change = c.change;
  EXPECT_EQ(::WYDAWANIERESZTY(&due, &paid, &change), 1);
  EXPECT_EQ(due, c.due_after);
  EXPECT_EQ(paid, c.paid_after);
  EXPECT_EQ(change, c.change_after);
  ASSERT_EQ(ui.boxes().size(), c.warned ? 1u : 0u);
  if (c.warned) {
    EXPECT_EQ(ui.boxes()[0].box.text, "Proszę wprowadzić kwotę większą od należności!"_w1250);
    EXPECT_EQ(ui.ui().windows()[0].focus, "WPLATA");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Change, Change,
    testing::Values(
        // 1. Paid above due: the change is the difference.
        ChangeCase{"Paid", "set WPLATA 50; press Zamknij", 42.5, 0, 0, 42.5, 50, 7.5, false},
        // 2. Paid equal to due: change 0.
        ChangeCase{"Exact", "set Wpłata 42,50; key Esc", 42.5, 0, 3, 42.5, 42.5, 0, false},
        // 3. Paid below due: warned, the previous change stays, the typed amount is kept.
        ChangeCase{"TooLittle", "set WPLATA 10; close", 42.5, 0, 3, 42.5, 10, 3, true},
        // 4. Closed at once: the values passed in, held with 2 places.
        ChangeCase{"ClosedAtOnce", "close", 10.005, 20, 9.995, 10.01, 20, 10, false},
        // 5. The amounts due and the change are not for typing.
        ChangeCase{"OnlyPaidIsInput", "set WPLATA 1e9; set WPLATA 100; key Esc", 1, 2, 0, 1, 100,
                   99, false}),
    [](const auto& info) { return info.param.name; });

TEST(Change, ReadOnlyFieldsRefuseTyping) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("set RESZTA 5");
  double due = 1, paid = 2, change = 1;
  EXPECT_EQ(::WYDAWANIERESZTY(&due, &paid, &change), 1);
  EXPECT_NE(ui.ui().failure().find("the control RESZTA is read-only"), std::string::npos);
  EXPECT_EQ(change, 1);
}

TEST(Change, LeftOutReferencesReadAsZero) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("set WPLATA 5; close");
  double paid = 0;
  EXPECT_EQ(::WYDAWANIERESZTY(nullptr, &paid, nullptr), 1);
  EXPECT_EQ(paid, 5);
  EXPECT_EQ(ui.ui().windows()[0].controls[2].value, "5.00");
}

}  // namespace
}  // namespace orv::calc
