#!/usr/bin/env bash
# Regenerates the README's window pictures in docs/: each window driven by its script on the Qt
# backend, offscreen, on a fresh demo database; the last picture of each run is kept.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
[ -n "${NO_BUILD:-}" ] || cmake --build "$build" --target orvrun_cli >/dev/null
cli="$PWD/$build/apps/orvrun/orvrun"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
db="$work/demo.db"
"$cli" init --demo --db "$db" >/dev/null
mkdir -p docs

# shoot NAME SCRIPT CALL-ARGUMENTS...: docs/NAME.png is the window as the script left it.
shoot() {
  local name=$1 script=$2
  shift 2
  rm -rf "$work/shots"
  "$cli" --db "$db" --user 7 --company 5 call --ui qt --screenshot "$work/shots" \
    --ui-script "$script" "$@" >/dev/null
  local last
  last=$(ls "$work/shots"/*.png | tail -n 1)
  cp "$last" "docs/$name.png"
  echo "docs/$name.png"
}

# 14 February 2024 chosen on the calendar opened on 2 February.
shoot calendar "select DNI 3 3; key F10" KALENDARZ 0 0 81485
shoot date-range "choose ZAKRES \"bieżący miesiąc\"; press Zatwierdź" PYTAJOZAKRESDAT 1
shoot password "set UZYTKOWNIK Jan; set HASLO tajne; key Esc" HASLOFUNKCJI LIMIT_KUPIECKI
shoot column-settings "select KOLUMNY 3; press UKRYJ; select KOLUMNY 2; key Esc" \
  KONFIGURACJA_KOLUMN Artykul_Brw
# Kept open when done, so the picture shows the finished run.
shoot progress "" EXECSQLWIN "update artykul set uwagi='W#1#' where id_artykulu=#1#" \
  "Uwagi artykułu #1#" "" "select id_artykulu from artykul" "" 1
# The sliders moved for the marked articles (usage 102), cancelled so nothing changes.
shoot stock-levels "set PR_STAN_MAX 150; set PR_STAN_MIN 35; key Esc" STANYMINMAXREZGRUPOWAZMIANA 102
# A list window paged to its end, and the form of a new saved filter on its users tab.
shoot object-lists "key End" LISTY_OBIEKTOW 120
shoot filter-form "set NAZWA \"Duzi odbiorcy\"; press DODAJ_UZYTKOWNIKA; choose LISTA \"Ewa Nowak\"; \
  press ZAKLADKA_UZYTKOWNICY" FILTRAPLIKACJI_UPD Kontrahent_Brw "<GROUP><KOD>abc</KOD></GROUP>"
