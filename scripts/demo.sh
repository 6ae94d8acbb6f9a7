#!/usr/bin/env bash
# The main job: sets up the machine, builds the release preset, creates the embedded demo database
# and runs the library's procedures on it through the CLI, as a host application would.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

orvrun="$PWD/build/release/apps/orvrun/orvrun"
export ORVRUN_DB="$PWD/build/demo/orvrun.db"
mkdir -p "$(dirname "$ORVRUN_DB")"

show() {
  printf '\n$ orvrun'
  printf ' %q' "$@"
  printf '\n'
  "$orvrun" "$@"
}

echo "== The demo company"
show init --demo --force
show sql "select top 3 nazwa, nip from kontrahent with (nolock) order by nazwa"

echo
echo "== Identifiers and bank accounts"
show call NIPOK "526-000-12-46"
show call PESELOK 44051401359
show call --json IBAN_CZYPOPRAWNY "61109010140000071219812874"
show call --json IBAN_KONWERSJA "1090-1014-0000-0712-1981-2874"

echo
echo "== Amounts in words, VAT and text"
show call --json SLOWNIE 1234567.89
show call SLOWNIEKROTKO 1234567.89
show call OBLICZBRUTTO 100 23
show call OBLICZNETTO 123 23
show call TEKSTZPOLNAANG "Zażółć gęślą jaźń"
show call REPLACEPROC2 "a-b-c" "-" " / "

echo
echo "== Marked records on the server"
show call ZAZNACZSQL 1 1001
show call ZAZNACZSQL 1 1002
show call --json ILEZAZNACZONYCH 1
show call ODZNACZALLSQL 1
show call --json ILEZAZNACZONYCH 1

echo
echo "== Questions and windows, answered by script"
show call --json --answer yes MSG_PYTANIE "Czy kontynuować?"
show call --json --ui-script "key Esc" PRZELICZNIKRABATU 100 10
show call --json --ui-script "key Ctrl+D" KALENDARZ 100 100 0

echo
echo "== Signed in as the demo users: permissions, configuration, a statement per row"
show call --json --user 7 POBIERZUPRAWNIENIE ArtykStanMinMaxRez 2
show call --json --user 9 POBIERZUPRAWNIENIE ArtykStanMinMaxRez 2
show call POBIERZPARAMKONF s IBAN
show call --json EXECSQLWIN "update artykul set uwagi='demo #1#' where id_artykulu=#1#" "" "" \
  "select id_artykulu from artykul"
show sql "select top 3 id_artykulu, uwagi from artykul with (nolock) order by id_artykulu"

echo
echo "== A payment file: jan's marked transfers in the Elixir-0 scheme, checked as a bank reads it"
payments="$PWD/build/demo/przelewy.txt"
show call --json --ui-script \
  "choose SCHEMATY Elixir-0; set PLIK $payments; press WYKONAJ; answer yes; answer ok; close" \
  EXPORT_TXT_MC 300
show check-payments "$payments"
