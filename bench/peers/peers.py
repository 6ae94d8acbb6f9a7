"""Python peers of the speed comparison: one JSON line per (check, peer) with calls per second.

Run with Debian's /usr/bin/python3: the modules are Debian packages, which another interpreter
first on PATH may not see.
"""
import json
import sys
import time


def emit(record):
    print(json.dumps(record), flush=True)


def measure(check, peer, values, fn, seconds):
    accepted = sum(1 for v in values if fn(v))
    calls = 0
    start = time.perf_counter()
    elapsed = 0.0
    while elapsed < seconds:
        for v in values:
            fn(v)
        calls += len(values)
        elapsed = time.perf_counter() - start
    emit({"check": check, "peer": peer, "calls_per_s": calls / elapsed, "accepted": accepted,
          "inputs": len(values)})


def main():
    path = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 1.0
    inputs = {"nip": [], "pesel": [], "iban": [], "amount": []}
    with open(path, encoding="ascii") as f:
        for line in f:
            kind, _, value = line.rstrip("\n").partition("\t")
            if kind in inputs:
                inputs[kind].append(value)

    try:
        from stdnum import iban
        from stdnum.pl import nip, pesel
    except ImportError as e:
        emit({"check": "*", "peer": "python3-stdnum", "skipped": "cannot import: %s" % e})
    else:
        measure("NIP", "stdnum.pl.nip (python)", inputs["nip"], nip.is_valid, seconds)
        measure("PESEL", "stdnum.pl.pesel (python)", inputs["pesel"], pesel.is_valid, seconds)
        prefixed = ["PL" + s for s in inputs["iban"]]
        measure("IBAN", "stdnum.iban (python)", prefixed, iban.is_valid, seconds)

    try:
        from num2words import num2words
    except ImportError as e:
        emit({"check": "*", "peer": "python3-num2words", "skipped": "cannot import: %s" % e})
    else:
        amounts = [float(a) for a in inputs["amount"]]
        measure("WORDS", "num2words pl currency (python)", amounts,
                lambda a: num2words(a, lang="pl", to="currency", currency="PLN"), seconds)


if __name__ == "__main__":
    main()
