// Named and default arguments of server procedures, sp_executesql's bound parameters and the int
// range of columns, through a real connection to the demo database: each case is a batch and
// what the server answers (or what the batch left in the data).
#include <gtest/gtest.h>

#include "sqlite_fixture.hpp"
#include "support/demo_db.hpp"

namespace orv::sql::sqlite {
namespace {

struct Case {
  const char* batch;
  const char* check;     // sent after the batch; "" = the batch's own first row is the answer
  const char* expected;  // cells by '|'; "ERR <message>" when the batch is refused
};

class ServerParameters : public testing::Test {
 protected:
  void SetUp() override {
    driver_ = std::make_unique<SqliteDriver>(db_.path());
    std::string error;
    conn_ = driver_->connect(error);
    ASSERT_TRUE(conn_) << error;
  }

  std::string first_row(const char* sql) {
    if (conn_->send(sql) != kOk) return "ERR " + conn_->message();
    std::string got;
    if (conn_->next())
      for (std::size_t k = 0; k < conn_->columns(); ++k) got += (k ? "|" : "") + conn_->column(k);
    return got;
  }

  template <std::size_t N>
  void sweep(const Case (&cases)[N]) {
    int n = 0;
    for (const Case& c : cases) {
      ++n;
      std::string got = first_row(c.batch);
      if (*c.check && got.rfind("ERR", 0) != 0) got = first_row(c.check);
      EXPECT_EQ(got, c.expected) << n << ": " << c.batch;
    }
  }

  test::DemoDb db_;
  std::unique_ptr<SqliteDriver> driver_;
  std::unique_ptr<Connection> conn_;
};

constexpr const char* kMarks =
    "select group_concat(id) from (select id from zaznaczone "
    "where id_sesji = 7 and uzycie = 900 order by id)";
constexpr const char* kLog = "select opis, opis2, kod_zdarzenia from log_zdarzen where zrodlo = 77";

TEST_F(ServerParameters, ProceduresTakeNamedAndDefaultArguments) {
  const Case cases[] = {
      // 1-3. Names in any order, in any letter case, after positional ones.
      {"exec JL_Zaznacz @id = 5, @uzycie = 900, @id_sesji = 7", kMarks, "5"},
      {"execute jl_zaznacz 7, @ID = 6, @Uzycie = 900", kMarks, "5,6"},
      {"exec dbo.JL_Odznacz 7, 900, @id = 5", kMarks, "6"},
      // 4-5. An omitted or DEFAULT parameter takes its default (opis2 '').
      {"exec AP_ZapiszDoLogu @opis = 'nazwany', @zrodlo = 77, @id_firmy = 5, @id_magazynu = 1, "
       "@id_uzytkownika = 7, @id_obiektu = 0, @rodzaj_obiektu = 'SYSTEM', @kod_zdarzenia = 3",
       kLog, "nazwany||3"},
      {"delete from log_zdarzen where zrodlo = 77 "
       "exec AP_ZapiszDoLogu 5, 1, 7, 0, 'SYSTEM', 4, 'domyslny', 77, default",
       kLog, "domyslny||4"},
      // 6. The return code of a call with named arguments.
      {"declare @rc int exec @rc = RM_Zachowaj_TORIX_zaznaczone @nr_zestawu = 3, @uzycie = 900, "
       "@id_uzytkownika = 7, @id_firmy = 5 select @rc",
       "", "1"},
      // 7-11. What the server refuses, in its words; nothing runs.
      {"exec JL_Zaznacz 7, @id = 8", "",
       "ERR Procedure or function 'JL_Zaznacz' expects parameter '@uzycie', which was not "
       "supplied."},
      {"exec JL_Zaznacz @id_sesji = 7, 900, 8", "",
       "ERR Must pass parameter number 2 and subsequent parameters as '@name = value'. After the "
       "form '@name = value' has been used, all subsequent parameters must be passed in the form "
       "'@name = value'."},
      {"exec JL_Zaznacz 7, 900, 8, @nic = 1", "",
       "ERR @nic is not a parameter for procedure JL_Zaznacz."},
      {"exec JL_Zaznacz 7, 900, 8, @id_sesji = 7", "",
       "ERR Parameter '@id_sesji' was supplied multiple times."},
      {"exec JL_Zaznacz 7, 900, 8, 1", "",
       "ERR Procedure or function JL_Zaznacz has too many arguments specified."},
      {"select 1", kMarks, "6"},  // 12. none of the refused calls marked 8
  };
  sweep(cases);
}

TEST_F(ServerParameters, ExecuteSqlBindsTypedParameters) {
  const Case cases[] = {
      // 1-3. By name, by position, from the caller's variable.
      {"exec sp_executesql N'select @a + 1, @b', N'@a int, @b nvarchar(10)', @a = 1, @b = N'x'", "",
       "2|x"},
      {"exec sp_executesql N'select @a * 2', N'@a int', 21", "", "42"},
      {"declare @x int set @x = 5 exec sp_executesql N'select @a, @x', N'@a int', @a = @x", "",
       "5|"},
      // 4-6. The declared types: a text read as int, a length cut, int's range.
      {"exec sp_executesql N'select @a + 1', N'@a int', @a = '12'", "", "13"},
      {"exec sp_executesql N'select @b', N'@b nvarchar(3)', @b = N'abcdef'", "", "abc"},
      {"exec sp_executesql N'select @a', N'@a int', @a = 3000000000", "",
       "ERR Arithmetic overflow error converting expression to data type int."},
      // 7. A value is bound, never pasted into the statement.
      {"exec sp_executesql N'select count(*) from uzytkownik where identyfikator = @u', "
       "N'@u varchar(40)', @u = N'x'' or 1=1 --'",
       "", "0"},
      // 8-9. A parameter without a value; a name the list does not declare.
      {"exec sp_executesql N'select @a', N'@a int'", "",
       "ERR The parameterized query '(@a int)select @a' expects the parameter '@a', which was "
       "not supplied."},
      {"exec sp_executesql N'select @a', N'@a int', @b = 1", "",
       "ERR @b is not a parameter for procedure sp_executesql."},
  };
  sweep(cases);
}

TEST_F(ServerParameters, IntegerColumnsKeepTheirRange) {
  const Case cases[] = {
      {"create table n (i int, s smallint, t tinyint, b bigint) "
       "insert into n values (2147483647, 32767, 255, 9000000000)",
       "select i, s, t, b from n", "2147483647|32767|255|9000000000"},
      // 2-5. Arithmetic on int columns fails past int, as does SUM of them; bigint goes on.
      {"select i * 2 from n", "",
       "ERR Arithmetic overflow error converting expression to data type int."},
      {"update n set i = i + 1", "",
       "ERR Arithmetic overflow error converting expression to data type int."},
      {"insert into n (i) values (1) select sum(i) from n", "",
       "ERR Arithmetic overflow error converting expression to data type int."},
      {"select b * 2, max(s) + 1, sum(t) from n", "", "18000000000|32768|255"},
      // 6-10. A value its column cannot hold is refused, whatever brings it.
      {"insert into n (s) values (40000)", "",
       "ERR Arithmetic overflow error for data type smallint, value = 40000."},
      {"insert into n (t) select 256", "",
       "ERR Arithmetic overflow error for data type tinyint, value = 256."},
      {"insert into n values (3000000000, 0, 0, 0)", "",
       "ERR Arithmetic overflow error converting expression to data type int."},
      {"update n set t = t + 1 where t = 255", "",
       "ERR Arithmetic overflow error for data type tinyint, value = 256."},
      {"declare @v int set @v = -1 insert into n (t) values (@v)", "",
       "ERR Arithmetic overflow error for data type tinyint, value = -1."},
      {"select count(*), sum(s) from n", "", "2|32767"},  // 11. no refused row was kept
      // 12-13. The demo schema's INTEGER columns are the server's int.
      {"select id_firmy * 1000000000 from firma", "",
       "ERR Arithmetic overflow error converting expression to data type int."},
      {"update firma set aktywna = 4294967296 where id_firmy = 5", "",
       "ERR Arithmetic overflow error converting expression to data type int."},
  };
  sweep(cases);
}

}  // namespace
}  // namespace orv::sql::sqlite
