// The CLI as host: who signs in, what it loads before a call, and what it writes back after.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::config {
namespace {

using test::run_cli;

class HostCli : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(test::DemoDb::made_once(), db); }
  // The plain result of a call on the demo database, as the given user when one is named.
  std::string call(std::vector<std::string> args) {
    args.insert(args.begin(), {"call", "--db", db});
    auto r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? r.out : r.out.substr(0, r.out.size() - 1);
  }
  std::string sql(const std::string& statement) {
    auto r = run_cli({"sql", "--db", db, statement});
    return r.status == 0 ? r.out : "?";
  }
  bool speaks_tsql() { return sql("select count(*) from uzytkownik with (nolock)") == "5\n"; }

  test::TempDir dir;
  std::string db = dir.file("demo.db");
};

struct LoginCase {
  const char* name;
  std::vector<std::string> args;
  const char* out;
};

void PrintTo(const LoginCase& c, std::ostream* os) {
  *os << c.name;
}

class Login : public HostCli, public testing::WithParamInterface<LoginCase> {};

TEST_P(Login, TablesOfTheSignedInUser) {
  EXPECT_EQ(call(GetParam().args), GetParam().out);
}

// Signing in as someone the database does not know is a failed call, not an empty sign-in.
TEST_F(HostCli, UnknownUserOrCompanyIsRefused) {
  auto user = run_cli({"call", "--db", db, "--user", "999", "POBIERZPARAMKONF", "u", "DOMKASA"});
  EXPECT_EQ(user.status, 2);
  EXPECT_NE(user.err.find("there is no user 999"), std::string::npos) << user.err;
  auto company = run_cli({"call", "--db", db, "--company", "99", "POBIERZPARAMKONF", "s", "X"});
  EXPECT_EQ(company.status, 2);
  EXPECT_NE(company.err.find("there is no company 99"), std::string::npos) << company.err;
}

INSTANTIATE_TEST_SUITE_P(
    Host, Login,
    testing::Values(
        // 1-2. Without --user the demo's ordinary user jan (7) is signed in.
        LoginCase{"DefaultUserValues", {"POBIERZPARAMKONF", "u", "ZakrWys"}, "bieżący miesiąc"},
        LoginCase{"DefaultCompany", {"POBIERZPARAMKONF", "s", "PropKursBanku"}, "NBP"},
        // 3. Another user's own values.
        LoginCase{"OtherUser", {"--user", "8", "POBIERZPARAMKONF", "u", "DOMKASA"}, "2"},
        // 4-5. The company follows the user's own row unless --company names one.
        LoginCase{
            "UsersOwnCompany", {"--user", "10", "POBIERZPARAMKONF", "s", "PropKursBanku"}, "ECB"},
        LoginCase{"CompanyOption",
                  {"--user", "10", "--company", "5", "POBIERZPARAMKONF", "s", "PropKursBanku"},
                  "NBP"},
        // 6-7. An unknown user or company is refused (HostCli.UnknownUserOrCompanyIsRefused).
        // 8-9. VAT rates and window parameters are there for every call.
        LoginCase{"VatRates", {"POBIERZSTAWKEVAT", "8"}, "8"},
        LoginCase{
            "WindowParameter", {"POBIERZPARAMETROKNA", "Artykul_Brw", "szerokosc_podgladu"}, "240"},
        LoginCase{"OtherUsersWindowParameter",
                  {"--user", "8", "POBIERZPARAMETROKNA", "Artykul_Brw", "szerokosc_podgladu"},
                  "200"}),
    orv::test::named_case);

TEST_F(HostCli, ReadingCallLeavesTheDatabaseAlone) {
  // Any write-back would be visible: a window on a backend that cannot run it, a changed row on
  // one that can.
  auto r = run_cli({"call", "--db", db, "--json", "POBIERZPARAMETROKNA", "Artykul_Brw", "x"});
  EXPECT_EQ(r.out, "{\"result\": \"\", \"out\": {}, \"messages\": [], \"windows\": []}\n");
}

TEST_F(HostCli, SchemaWithoutDataSignsInQuietly) {
  test::TempDir empty;
  std::string path = empty.file("empty.db");
  ASSERT_EQ(run_cli({"init", "--db", path}).status, 0);
  auto r = run_cli({"call", "--db", path, "--json", "POBIERZUPRAWNIENIE", "OKontr"});
  EXPECT_EQ(r.out, "{\"result\": 0, \"out\": {}, \"messages\": [], \"windows\": []}\n");
}

struct GrantCase {
  const char* name;
  std::vector<std::string> args;
  const char* access;
};

void PrintTo(const GrantCase& c, std::ostream* os) {
  *os << c.name;
}

class Grants : public HostCli, public testing::WithParamInterface<GrantCase> {};

TEST_P(Grants, AnswerPerTheDemoGrants) {
  ASSERT_TRUE(speaks_tsql()) << "the backend must speak T-SQL";
  std::vector<std::string> args{"--json"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  EXPECT_EQ(call(args), std::string("{\"result\": ") + GetParam().access +
                            ", \"out\": {}, \"messages\": [], \"windows\": []}");
}

INSTANTIATE_TEST_SUITE_P(
    Host, Grants,
    testing::Values(
        GrantCase{"JanCustomers", {"--user", "7", "POBIERZUPRAWNIENIE", "OKontr"}, "1"},
        GrantCase{"OlaCustomers", {"--user", "9", "POBIERZUPRAWNIENIE", "OKontr"}, "2"},
        GrantCase{
            "OlaStockIn1", {"--user", "9", "POBIERZUPRAWNIENIE", "ArtykStanMinMaxRez", "1"}, "1"},
        GrantCase{
            "OlaStockIn2", {"--user", "9", "POBIERZUPRAWNIENIE", "ArtykStanMinMaxRez", "2"}, "0"},
        // ola's own warehouse is 2: left out, the function per warehouse asks for it.
        GrantCase{"OlaStockHere", {"--user", "9", "POBIERZUPRAWNIENIE", "ArtykStanMinMaxRez"}, "0"},
        GrantCase{"OlaInWarehouse1",
                  {"--user", "9", "--warehouse", "1", "POBIERZUPRAWNIENIE", "ArtykStanMinMaxRez"},
                  "1"},
        GrantCase{
            "OlaOwnDocuments", {"--user", "9", "DOSTEPDOWLASNYCHDOKUMENTOW", "BlokDokZam"}, "1"},
        GrantCase{"Admin", {"--user", "4100001", "POBIERZUPRAWNIENIE", "Anything"}, "1"}),
    orv::test::named_case);

TEST_F(HostCli, IbanChangesExactlyTheCompanyValueAndTheIbanReportParameters) {
  ASSERT_TRUE(speaks_tsql()) << "the backend must speak T-SQL";
  const std::string account = "PL27114020040000300201355387";
  const std::string all =
      "select group_concat(id_parametru || '/' || id_wariantu || '/' || id_uzytkownika || '=' || "
      "wartosc, ';') from (select * from wartosc_parametru order by 1, 2, 3)";
  std::string before = sql(all);
  auto r = run_cli({"call", "--db", db, "--json", "USTAWPARAMKONF", "s", "IBAN", account});
  EXPECT_EQ(r.out, "{\"result\": null, \"out\": {}, \"messages\": [], \"windows\": []}\n");
  std::string expected = before;
  for (const char* key : {"1/100/7=", "5/102/8="}) {
    auto at = expected.find(key) + std::string(key).size();
    expected.replace(at, expected.find(';', at) - at, account);
  }
  EXPECT_EQ(sql(all), expected);
  EXPECT_EQ(sql("select id_firmy || '=' || wartosc from interfirmapozycja where id_pozycji = 7 "
                "order by 1"),
            "5=" + account + "\n6=\n");
  EXPECT_EQ(call({"POBIERZPARAMKONF", "s", "IBAN"}), account);
  EXPECT_EQ(sql("select count(*) from log_parametrow where kod = 'IBAN'"), "1\n");
}

TEST_F(HostCli, ChangedPreferencesReachTheDatabaseWhenTheUserLeaves) {
  ASSERT_TRUE(speaks_tsql()) << "the backend must speak T-SQL";
  const std::string others =
      "select group_concat(id_uzytkownika || ':' || id_parametru || '=' || wartosc, ';') from "
      "(select * from inter_parametr_uzytkownik where id_uzytkownika <> 7 order by 1, 2)";
  std::string before = sql(others);
  EXPECT_EQ(call({"ZAPISZPARAMETROKNA", "Artykul_Brw", "szerokosc_podgladu", "300"}), "1");
  EXPECT_EQ(call({"POBIERZPARAMETROKNA", "Artykul_Brw", "szerokosc_podgladu"}), "300");
  EXPECT_EQ(sql(others), before);
  EXPECT_EQ(sql("select count(*) from log_parametrow"), "0\n");  // the date range was unchanged
}

}  // namespace
}  // namespace orv::config
