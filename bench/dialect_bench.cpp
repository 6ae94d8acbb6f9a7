// Translation throughput for the statement templates the library sends, cold and cached, and the
// cost of a cached translation next to SQLite's own prepare and step of the same statement.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/sql/dialect/dialect.hpp"

namespace {

using orv::sql::dialect::translate;
using orv::sql::dialect::TranslationCache;

// Placeholders filled as a session would (user 7, company 5, warehouse 1).
const std::vector<std::string>& templates() {
  static const std::vector<std::string> kTemplates = {
      "select distinct d.kod, d.id2, d.id3, d.id4, d.id5, d.rodzaj_dostepu,d.flaga_stanu from "
      "DOSTEP d with (nolock) inner join       UZYTKOWNIKGRUPY ug with (nolock) on (ug.id_grupy = "
      "d.id_grupy and ug.id_uzytkownika = 7)       inner join GRUPAUZYTKOWNIKOW g with (nolock) on "
      "(g.id_grupy=ug.id_grupy) where d.id_firmy = 5 and d.rodzaj_dostepu>0 and g.czy_aktywna=1",
      "select kod, rodzaj from UPRAWNIENIE with (nolock)",
      "update wartosc_parametru  with (rowlock)  set wartosc='PL61' from wartosc_parametru "
      "w,parametr_raportu p where p.id_parametru=w.id_parametru and  p.nazwa='IBAN'",
      "call AP_ZapiszDoLoguParam ('s',5,7,'IBAN','PL1','PL2')",
      "Update inter_parametr_uzytkownik with (rowlock)  set wartosc='1'   from ini_parametr "
      "p,inter_parametr_uzytkownik i,ini_okno o   where i.id_uzytkownika=7 and  "
      "p.nazwa='pokazuj_zdjecie' and  p.id_parametru=i.id_parametru and p.id_okna=o.id_okna and  "
      "o.nazwa='Artykul_Brw'",
      "select dbo.AP_Func_PodajNip('123-456-32-18','',1)",
      "if not exists (select 1 from zaznaczone with (nolock) where id_sesji= 7 and uzycie= 200 and "
      "id= 5 and id2= 9) begin   insert into zaznaczone (id_sesji,uzycie,id,id2) "
      "values(7,200,5,9) end ",
      "Call JL_Zaznacz (7,102,4)",
      "select count(*) from zaznaczone with (nolock) where uzycie=102 and id_sesji=7",
      "&RetCode = call RM_Zachowaj_TORIX_zaznaczone(5,7,1,2)",
      "delete ORV_UZYTKOWNIK_FILTROW from ORV_UZYTKOWNIK_FILTROW where ID_UZYTKOWNIKA<>4100001 "
      "and ID_UZYTKOWNIKA<>7 and ID_FILTRA=50",
      "select isnull(max(id_listy),0)+1 from orv_lista_obiektow",
      "update artykul set pole1=a.pole1,pole2=a.pole2 from artykul b,(select * from artykul where "
      "id_artykulu=1) a where b.ID_ARTYKULU <> a.id_artykulu and b.guid_artykul=a.guid_artykul",
      "select DOKUMENT, ID_TYPU, ID_ZASOBU, FORMAT, OKRESNUMERACJI, PARAMETR1, PARAMETR2 from "
      "DEFINICJA_NUMERACJI with (nolock) where ID_FIRMY = 5and (DOKUMENT<=10 or DOKUMENT>20) "
      "order by DOKUMENT, ID_TYPU, ID_ZASOBU",
      "select rtrim(ulica)+' '+rtrim(nr_domu)+case when len(nr_lokalu)>0 then '/'+rtrim(nr_lokalu) "
      "else '' end from dbo.RM_Func_AdresPracownika(5,80000,'M')",
      "select nazwa+'   Indeks: '+indeks_katalogowy,uwagi,opis from artykul with (nolock) where "
      "indeks_katalogowy='IDX-1' and id_magazynu=1",
      "select top 1 id_bloba from artykul_blob with (nolock) where indeks_katalogowy='IDX-1' and "
      "domyslne=1",
      "select datepart(dw,convert(datetime,45656))",
      "select df.tytulem, case df.typ_platnika when 'k' then "
      "rtrim(replace(k.nazwa_pelna,CHAR(13)+char(10),char(32))) when 'p' then "
      "rtrim(p.nazwisko)+' '+rtrim(p.imie_1) end nazwa from dokument_finansowy df left outer join "
      "kontrahent k on (df.typ_platnika='k' and k.id_kontrahenta=df.id_platnika) left outer join "
      "pracownik p on (df.typ_platnika='p' and p.id_pracownika=df.id_platnika) where "
      "df.id_dokumentu_finansowego in (select id from zaznaczone where uzycie=300 and id_sesji=7)",
      "insert into zaznaczone (id,uzycie,id_sesji) select distinct A.ID_ARTYKULU,102,7  FROM "
      "ARTYKUL A WITH (NOLOCK) WHERE A.ID_MAGAZYNU=1 AND A.NAZWA LIKE 'SR%'",
  };
  return kTemplates;
}

const char* kScalar = "select count(*) from zaznaczone where uzycie=1 and id_sesji=5";

void BM_TranslateCold(benchmark::State& state) {
  const auto& all = templates();
  std::size_t i = 0;
  for (auto _ : state) {
    auto tr = translate(all[i++ % all.size()], nullptr);
    benchmark::DoNotOptimize(tr);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TranslateCold);

void BM_TranslateCached(benchmark::State& state) {
  const auto& all = templates();
  TranslationCache cache;
  for (const auto& s : all) cache.get(s, nullptr);
  std::size_t i = 0;
  for (auto _ : state) {
    auto tr = cache.get(all[i++ % all.size()], nullptr);
    benchmark::DoNotOptimize(tr);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TranslateCached);

// A marked set of 10,000 rows, 200 of them in the counted set, as FUNCSQL meets it.
sqlite3* marked_set() {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  sqlite3_exec(db,
               "create table zaznaczone (id_sesji integer, uzycie integer, id integer, id2 integer "
               "default 0);"
               "create index zaz on zaznaczone(id_sesji, uzycie, id);"
               "with recursive n(i) as (select 1 union all select i+1 from n where i<10000) "
               "insert into zaznaczone (id_sesji,uzycie,id) select i%50, i%10, i from n;",
               nullptr, nullptr, nullptr);
  return db;
}

long long count(sqlite3* db, const char* sql) {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
  long long n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
  sqlite3_finalize(st);
  return n;
}

void BM_RawPrepareStep(benchmark::State& state) {
  sqlite3* db = marked_set();
  for (auto _ : state) benchmark::DoNotOptimize(count(db, kScalar));
  sqlite3_close(db);
}
BENCHMARK(BM_RawPrepareStep);

// The dialect's share of a FUNCSQL: the cached translation of the statement, then the same
// prepare and step.
void BM_CachedTranslationPrepareStep(benchmark::State& state) {
  sqlite3* db = marked_set();
  TranslationCache cache;
  const std::string tsql = std::string(kScalar);
  for (auto _ : state) {
    auto tr = cache.get(tsql, nullptr);
    benchmark::DoNotOptimize(count(db, tr->plan.actions[0].sql.c_str()));
  }
  sqlite3_close(db);
}
BENCHMARK(BM_CachedTranslationPrepareStep);

// Prints each scenario's CPU time against its baseline from the same run (the machine is shared:
// wall time mostly measures the neighbours).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.iterations > 0) ns_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    ratio("BM_CachedTranslationPrepareStep", "BM_RawPrepareStep",
          "cached translation + prepare/step");
    ratio("BM_TranslateCached", "BM_TranslateCold", "cached lookup vs cold translation");
  }

 private:
  void ratio(const std::string& scenario, const std::string& baseline, const char* what) {
    if (!ns_.count(scenario) || !ns_.count(baseline) || ns_[baseline] <= 0) return;
    std::printf("ratio %-40s %.3f x %s\n", what, ns_[scenario] / ns_[baseline], baseline.c_str());
  }
  std::map<std::string, double> ns_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
