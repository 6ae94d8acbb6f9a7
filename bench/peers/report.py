"""Prints the peer comparison: calls per second of each peer and of ours, and our ratio to the
fastest peer, per check. Reads the peers' JSON lines and our Google Benchmark JSON from a folder.
"""
import glob
import json
import os
import re
import sys

# check -> (our benchmark binary, the exported procedure its benchmark is named after)
OURS = {
    "NIP": ("bench_calc", "NIPOK"),
    "PESEL": ("bench_calc", "PESELOK"),
    "IBAN": ("bench_calc", "IBAN_CZYPOPRAWNY"),
    "WORDS": ("bench_words", "SLOWNIE"),
}

NOTES = """\
Semantic differences (speed is compared, not behaviour; every generated input is valid for all):
  NIP    ours (NIPOK) accepts any text that starts with a non-digit (a country prefix) without a
         check, ignores separators and judges the first ten digits; the peers check ten digits.
  PESEL  ours (PESELOK) checks only the check digit; the peers also reject impossible birth dates.
  IBAN   ours (IBAN_CZYPOPRAWNY) takes the Polish 26-digit form without "PL" (the peers get "PL"
         prefixed), refuses letters and shows a warning box on refusal; ibantools also checks the
         sort code's own check digit; stdnum.iban checks the country's length and format.
  WORDS  ours (SLOWNIE) returns a 500-character blank-padded text with "jeden tysiąc" and
         currency words per group; n2words writes "tysiąc", num2words adds a comma before grosze.
"""


def load_peers(folder):
    rows, skipped = [], []
    for path in sorted(glob.glob(os.path.join(folder, "peers-*.jsonl"))):
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.strip()
                if not line.startswith("{"):
                    continue
                rec = json.loads(line)
                (skipped if "skipped" in rec else rows).append(rec)
    return rows, skipped


def per_second(entry):
    if "items_per_second" in entry:
        return entry["items_per_second"]
    scale = {"ns": 1e9, "us": 1e6, "ms": 1e3, "s": 1.0}[entry.get("time_unit", "ns")]
    return scale / entry["real_time"] if entry.get("real_time") else None


def load_ours(folder):
    """binary -> (list of benchmark entries, whether it read the shared inputs) or None."""
    out = {}
    for binary in {b for b, _ in OURS.values()}:
        path = os.path.join(folder, binary + ".json")
        if not os.path.exists(path) or os.path.getsize(path) == 0:
            out[binary] = None
            continue
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        shared = "orv_inputs" in data.get("context", {})
        entries = [b for b in data.get("benchmarks", []) if b.get("run_type") != "aggregate"]
        out[binary] = (entries, shared)
    return out


def fmt(v):
    return "%14s" % ("{:,.0f}".format(v))


def main():
    folder = sys.argv[1]
    peers, skipped = load_peers(folder)
    ours = load_ours(folder)
    for rec in skipped:
        print("skipped peer %s: %s" % (rec["peer"], rec["skipped"]))
    for check, (binary, proc) in OURS.items():
        print("\n== %s ==" % check)
        rows = sorted((r for r in peers if r["check"] == check), key=lambda r: -r["calls_per_s"])
        for r in rows:
            note = "" if r["accepted"] == r["inputs"] else "  (accepted %d of %d)" % (
                r["accepted"], r["inputs"])
            print("  %-40s %s calls/s%s" % (r["peer"], fmt(r["calls_per_s"]), note))
        if not rows:
            print("  no peer measured")
        fastest = rows[0]["calls_per_s"] if rows else None
        result = ours.get(binary)
        if result is None:
            print("  ours: %s did not run; skipped" % binary)
            continue
        entries, shared = result
        pattern = re.compile(r"(?<![A-Z])%s(?![A-Z])" % re.escape(proc))
        matched = [e for e in entries if pattern.search(e["name"])]
        if not matched:
            print("  ours: no benchmark named after %s in %s; skipped" % (proc, binary))
            continue
        for e in matched:
            rate = per_second(e)
            if rate is None:
                continue
            ratio = "  %.2fx the fastest peer" % (rate / fastest) if fastest else ""
            print("  %-40s %s calls/s%s" % ("ours: " + e["name"], fmt(rate), ratio))
        if not shared:
            print("  (our benchmark did not report reading the shared inputs: its own inputs)")
    print()
    print(NOTES)


if __name__ == "__main__":
    main()
