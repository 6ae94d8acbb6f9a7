"""Writes the peer benchmark's inputs: valid NIP, PESEL and Polish account numbers, and amounts.

One line per input, "<kind>\t<value>", kinds nip, pesel, iban (26 digits, no country code) and
amount (two decimals). A fixed seed gives every run, and every side of a run, the same inputs.
"""
import datetime
import random
import sys

NIP_WEIGHTS = (6, 5, 7, 2, 3, 4, 5, 6, 7)
PESEL_WEIGHTS = (1, 3, 7, 9, 1, 3, 7, 9, 1, 3)
SORT_CODE_WEIGHTS = (3, 9, 7, 1, 3, 9, 7)


def digits(rng, n):
    return "".join(rng.choice("0123456789") for _ in range(n))


def nip(rng):
    while True:
        body = str(rng.randint(1, 9)) + digits(rng, 8)
        check = sum(int(d) * w for d, w in zip(body, NIP_WEIGHTS)) % 11
        if check != 10:
            return body + str(check)


def pesel(rng):
    day = datetime.date(1900, 1, 1) + datetime.timedelta(days=rng.randrange(0, 200 * 365))
    month = day.month + (20 if day.year >= 2000 else 0)
    body = "%02d%02d%02d%s" % (day.year % 100, month, day.day, digits(rng, 4))
    check = (10 - sum(int(d) * w for d, w in zip(body, PESEL_WEIGHTS)) % 10) % 10
    return body + str(check)


def account(rng):
    # The sort code carries its own check digit, which some peers verify.
    sort7 = digits(rng, 7)
    sort_check = (10 - sum(int(d) * w for d, w in zip(sort7, SORT_CODE_WEIGHTS)) % 10) % 10
    domestic = sort7 + str(sort_check) + digits(rng, 16)
    check = 98 - int(domestic + "252100") % 97  # P = 25, L = 21, two zero check digits
    return "%02d%s" % (check, domestic)


def amount(rng):
    cents = rng.randrange(0, 100_000_000_00)
    return "%d.%02d" % (cents // 100, cents % 100)


def main():
    path = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    rng = random.Random(20260105)
    with open(path, "w", encoding="ascii") as out:
        for kind, make in (("nip", nip), ("pesel", pesel), ("iban", account), ("amount", amount)):
            for _ in range(count):
                out.write("%s\t%s\n" % (kind, make(rng)))


if __name__ == "__main__":
    main()
