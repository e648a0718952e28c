#!/usr/bin/env python3
"""Writes airports.csv, runways.csv and navaids.csv shaped like the OurAirports
files (same headers, quoting, type proportions and rough sizes) with made-up
content, to measure `navtool import-ourairports` at world scale.

Usage: python3 bench/make_ourairports_like.py OUTFOLDER
"""

import math
import os
import random
import sys

SEED = 20240601
AIRPORT_COUNT = 80_000
NAVAID_COUNT = 11_000

AIRPORT_HEADER = (
    '"id","ident","type","name","latitude_deg","longitude_deg","elevation_ft","continent","iso_country",'
    '"iso_region","municipality","scheduled_service","icao_code","iata_code","gps_code","local_code",'
    '"home_link","wikipedia_link","keywords"'
)
RUNWAY_HEADER = (
    '"id","airport_ref","airport_ident","length_ft","width_ft","surface","lighted","closed","le_ident",'
    '"le_latitude_deg","le_longitude_deg","le_elevation_ft","le_heading_degT","le_displaced_threshold_ft",'
    '"he_ident","he_latitude_deg","he_longitude_deg","he_elevation_ft","he_heading_degT",'
    '"he_displaced_threshold_ft"'
)
NAVAID_HEADER = (
    '"id","filename","ident","name","type","frequency_khz","latitude_deg","longitude_deg","elevation_ft",'
    '"iso_country","dme_frequency_khz","dme_channel","dme_latitude_deg","dme_longitude_deg","dme_elevation_ft",'
    '"slaved_variation_deg","magnetic_variation_deg","usageType","power","associated_airport"'
)

# Roughly the shares of the real file.
AIRPORT_TYPES = [
    ("small_airport", 52.0),
    ("heliport", 26.5),
    ("closed", 13.5),
    ("medium_airport", 5.6),
    ("seaplane_base", 1.5),
    ("large_airport", 0.6),
    ("balloonport", 0.05),
]
NAVAID_TYPES = [
    ("NDB", 42.0),
    ("VOR-DME", 21.0),
    ("DME", 13.0),
    ("VOR", 9.0),
    ("VORTAC", 7.0),
    ("TACAN", 5.5),
    ("NDB-DME", 2.5),
]

# Country, continent, ICAO prefix, weight, latitude and longitude box, how the
# names are made.
COUNTRIES = [
    ("US", "NA", "K", 38.0, (25, 49), (-125, -67), "en"),
    ("CA", "NA", "C", 5.0, (42, 68), (-140, -55), "en"),
    ("BR", "SA", "SB", 7.0, (-33, 4), (-73, -35), "pt"),
    ("AU", "OC", "Y", 3.5, (-43, -11), (113, 153), "en"),
    ("MX", "NA", "MM", 2.5, (15, 32), (-117, -87), "es"),
    ("AR", "SA", "SA", 2.0, (-54, -22), (-73, -54), "es"),
    ("RU", "EU", "U", 2.0, (45, 70), (30, 140), "ru"),
    ("FR", "EU", "LF", 2.0, (42, 51), (-4, 8), "fr"),
    ("DE", "EU", "ED", 1.8, (47, 55), (6, 15), "de"),
    ("GB", "EU", "EG", 1.5, (50, 58), (-6, 2), "en"),
    ("CO", "SA", "SK", 1.2, (-4, 12), (-79, -67), "es"),
    ("ZA", "AF", "FA", 1.2, (-34, -23), (17, 32), "en"),
    ("IN", "AS", "V", 1.0, (8, 32), (68, 89), "en"),
    ("CN", "AS", "Z", 1.0, (20, 45), (80, 125), "en"),
    ("ES", "EU", "LE", 0.9, (36, 43.5), (-9, 3), "es"),
    ("IT", "EU", "LI", 0.9, (37, 46.5), (7, 18), "it"),
    ("PL", "EU", "EP", 0.7, (49, 54.5), (14, 24), "pl"),
    ("SE", "EU", "ES", 0.6, (55.5, 68), (11, 23), "sv"),
    ("NO", "EU", "EN", 0.5, (58, 70), (5, 30), "sv"),
    ("CH", "EU", "LS", 0.4, (45.8, 47.8), (6, 10.5), "de"),
    ("AT", "EU", "LO", 0.4, (46.4, 49), (9.5, 17), "de"),
    ("PT", "EU", "LP", 0.3, (37, 42), (-9.5, -6.2), "pt"),
    ("NZ", "OC", "NZ", 0.6, (-46.5, -34.5), (166.5, 178.5), "en"),
    ("ID", "AS", "W", 0.8, (-10, 5), (95, 140), "en"),
    ("PH", "AS", "RP", 0.5, (5, 19), (117, 126), "es"),
    ("KE", "AF", "HK", 0.4, (-4.5, 4.5), (34, 41.5), "en"),
    ("NG", "AF", "DN", 0.3, (4.5, 13.5), (3, 14), "en"),
    ("IS", "EU", "BI", 0.1, (63.5, 66.5), (-24, -13.5), "is"),
]

SYLLABLES = ["ba", "ro", "ka", "mi", "to", "lan", "ber", "sa", "vel", "mon", "ta", "ri", "go", "ne", "wal",
             "ston", "fi", "dor", "ha", "quen", "li", "ma", "cor", "ven", "ash", "bur", "el", "pa", "zo", "tre"]
# Letters spliced into names: most are in Windows-1252, a few are not.
ACCENTS = {
    "fr": ["é", "è", "ê", "ç", "â", "ô"],
    "de": ["ü", "ö", "ä", "ß"],
    "es": ["ñ", "á", "í", "ó", "ú"],
    "pt": ["ã", "õ", "ç", "á", "é"],
    "it": ["à", "è", "ì", "ò"],
    "pl": ["ł", "ó", "ś", "ż", "ń"],
    "sv": ["å", "ä", "ö", "ø"],
    "is": ["ð", "þ", "á", "æ"],
    "ru": [],
    "en": [],
}
AIRPORT_WORDS = {
    "fr": ["Aérodrome de {}", "Aéroport de {}", "Altiport de {}"],
    "de": ["Flugplatz {}", "Flughafen {}", "Segelfluggelände {}"],
    "es": ["Aeropuerto de {}", "Aeródromo {}", "Pista {}"],
    "pt": ["Aeroporto de {}", "Aeródromo {}", "Fazenda {}"],
    "it": ["Aeroporto di {}", "Aviosuperficie {}"],
    "pl": ["Lotnisko {}", "Lądowisko {}"],
    "sv": ["{} flygplats", "{} lufthavn", "{} flygfält"],
    "is": ["{}flugvöllur"],
    "ru": ["{} Airport", "Аэропорт {}", "{} Air Base"],
    "en": ["{} Airport", "{} Municipal Airport", "{} Field", "{} Airstrip", "{} Ranch Airport",
           "{} International Airport"],
}
HELIPORT_WORDS = {"fr": ["{} Héliport", "Hélistation de {}"], "de": ["Hubschrauberlandeplatz {}"],
                  "es": ["Helipuerto {}"], "pt": ["Heliponto {}"], "it": ["Elisuperficie {}"]}
OTHER_WORDS = {"seaplane_base": ["{} Seaplane Base", "{} Water Aerodrome"], "balloonport": ["{} Balloonport"]}
SURFACES = ["ASP", "CON", "TURF", "GRS", "GRVL", "DIRT", "WATER", "ASPH-G", "Asphalt", "Gravel", "turf-f"]


def q(text):
    return '"' + text.replace('"', '""') + '"'


def qe(text, rng):
    # The real files write an empty text both as "" and as nothing.
    if text == "":
        return '""' if rng.random() < 0.3 else ""
    return q(text)


def deg(v):
    return f"{v:.6f}".rstrip("0").rstrip(".")


def weighted(rng, table):
    return rng.choices([k for k, _ in table], weights=[w for _, w in table])[0]


def place_name(rng, lang):
    word = "".join(rng.choice(SYLLABLES) for _ in range(rng.randint(2, 3)))
    if ACCENTS[lang] and rng.random() < 0.5:
        i = rng.randrange(1, len(word))
        word = word[:i] + rng.choice(ACCENTS[lang]) + word[i + 1:]
    return word.capitalize()


def letters(rng, n):
    return "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(n))


def make_airports(rng):
    weights = [c[3] for c in COUNTRIES]
    airports = []
    used_idents = set()
    for n in range(AIRPORT_COUNT):
        aid = 2000 + n * 3 + rng.randrange(3)
        kind = weighted(rng, AIRPORT_TYPES)
        country, continent, prefix, _, (la0, la1), (lo0, lo1), lang = rng.choices(COUNTRIES, weights=weights)[0]
        lat = rng.uniform(la0, la1)
        lon = rng.uniform(lo0, lo1)
        elev = "" if rng.random() < 0.05 else str(int(abs(rng.gauss(0, 1)) * 1500))
        town = place_name(rng, lang)
        if kind == "heliport":
            words = HELIPORT_WORDS.get(lang, ["{} Heliport", "{} Medical Center Heliport", "{} Hospital Helipad"])
        else:
            words = OTHER_WORDS.get(kind, AIRPORT_WORDS[lang])
        name = rng.choice(words).format(town)
        if rng.random() < 0.01:
            name = name + ' "' + place_name(rng, lang) + '"'
        if rng.random() < 0.005:
            name = name + ", " + place_name(rng, lang)

        icao = gps = iata = local = ""
        if kind in ("large_airport", "medium_airport") or (kind == "small_airport" and rng.random() < 0.3):
            # A small country's codes run out: the rest get local idents.
            for _ in range(20):
                icao = (prefix + letters(rng, 4))[:4]
                if icao not in used_idents:
                    break
            else:
                icao = ""
        if icao:
            ident = icao
            gps = icao
            if kind != "small_airport" and rng.random() < 0.8:
                iata = letters(rng, 3)
        elif country == "US" and kind != "closed" and rng.random() < 0.8:
            ident = f"{rng.randrange(100):02d}{letters(rng, 1)}{rng.randrange(10) if rng.random() < 0.5 else ''}"
            local = ident
            gps = "K" + ident if len(ident) == 3 and rng.random() < 0.3 else ident
        else:
            ident = f"{country}-{rng.randrange(10000):04d}"
            if rng.random() < 0.3:
                gps = prefix[0] + letters(rng, 3)
            local = gps
        if ident in used_idents:
            ident = f"{ident}{n}"
        used_idents.add(ident)

        region = f"{country}-{letters(rng, 2)}"
        scheduled = "yes" if kind == "large_airport" or (kind == "medium_airport" and rng.random() < 0.6) else "no"
        home = f"https://www.{town.lower().encode('ascii', 'ignore').decode()}-airport.example" \
            if kind == "large_airport" else ""
        wiki = f"https://en.wikipedia.org/wiki/{town}_Airport" if kind in ("large_airport", "medium_airport") else ""
        keywords = ", ".join(place_name(rng, lang) for _ in range(rng.randint(1, 3))) if rng.random() < 0.1 else ""
        airports.append(dict(id=aid, ident=ident, type=kind, lat=lat, lon=lon, elev=elev, country=country))
        row = [str(aid), q(ident), q(kind), q(name), deg(lat), deg(lon), elev, q(continent), q(country),
               q(region), qe(town, rng), q(scheduled), qe(icao, rng), qe(iata, rng), qe(gps, rng),
               qe(local, rng), qe(home, rng), qe(wiki, rng), qe(keywords, rng)]
        yield ",".join(row), airports[-1]


def runway_ends(rng, kind):
    if kind == "heliport":
        return f"H{rng.randint(1, 3)}", ""
    n = rng.randint(1, 18)
    side = rng.choice(["", "", "", "L", "R", "C"]) if kind != "small_airport" else ""
    other = {"L": "R", "R": "L", "C": "C", "": ""}[side]
    if kind == "seaplane_base":
        return f"{n:02d}W", f"{n + 18:02d}W"
    return f"{n:02d}{side}", f"{n + 18:02d}{other}"


def make_runways(rng, airports):
    rid = 230_000
    for a in airports:
        kind = a["type"]
        count = {"large_airport": rng.randint(2, 5), "medium_airport": rng.randint(1, 2),
                 "small_airport": rng.choices([0, 1, 2], weights=[35, 60, 5])[0],
                 "heliport": 1 if rng.random() < 0.3 else 0, "closed": 1 if rng.random() < 0.15 else 0,
                 "seaplane_base": 1 if rng.random() < 0.5 else 0, "balloonport": 0}[kind]
        for _ in range(count):
            rid += rng.randint(1, 3)
            le, he = runway_ends(rng, kind)
            length = {"large_airport": rng.randint(6000, 13500), "medium_airport": rng.randint(4000, 9000),
                      "heliport": rng.randint(30, 100)}.get(kind, rng.randint(1200, 5000))
            length_text = "" if rng.random() < 0.03 else str(length)
            width = str(rng.choice([50, 60, 75, 100, 150, 200])) if rng.random() < 0.8 else ""
            heading = int(le[:2]) * 10 if le[:2].isdigit() else 0
            # Most small fields have no end positions in the real file.
            positioned = he != "" and rng.random() < {"large_airport": 0.95, "medium_airport": 0.85}.get(kind, 0.45)
            cols = [str(rid), str(a["id"]), q(a["ident"]), length_text, width, q(rng.choice(SURFACES)),
                    str(int(rng.random() < 0.4)), str(int(kind == "closed" or rng.random() < 0.02)), q(le)]
            if positioned:
                half = length * 0.3048 / 2 / 111_320
                dlat = half * math.cos(math.radians(heading))
                dlon = half * math.sin(math.radians(heading)) / max(0.1, math.cos(math.radians(a["lat"])))
                cols += [deg(a["lat"] - dlat), deg(a["lon"] - dlon), a["elev"], str(heading),
                         str(rng.choice([0, 0, 0, 300, 500])) if rng.random() < 0.5 else "",
                         q(he), deg(a["lat"] + dlat), deg(a["lon"] + dlon), a["elev"], str((heading + 180) % 360), ""]
            else:
                cols += ["", "", "", "", "", qe(he, rng), "", "", "", "", ""]
            yield ",".join(cols)


def make_navaids(rng, airports):
    weights = [c[3] for c in COUNTRIES]
    big = [a for a in airports if a["type"] in ("large_airport", "medium_airport")]
    for n in range(NAVAID_COUNT):
        nid = 85_000 + n * 2 + rng.randrange(2)
        kind = weighted(rng, NAVAID_TYPES)
        country, _, _, _, (la0, la1), (lo0, lo1), lang = rng.choices(COUNTRIES, weights=weights)[0]
        near = rng.choice(big) if big and rng.random() < 0.4 else None
        if near:
            lat = near["lat"] + rng.uniform(-0.2, 0.2)
            lon = near["lon"] + rng.uniform(-0.2, 0.2)
            country = near["country"]
        else:
            lat, lon = rng.uniform(la0, la1), rng.uniform(lo0, lo1)
        name = place_name(rng, lang)
        ident = letters(rng, 2 if kind.startswith("NDB") and rng.random() < 0.6 else 3)
        if kind.startswith("NDB"):
            khz = rng.randint(190, 1750)
            freq = f"{khz}.5" if rng.random() < 0.05 else str(khz)
        else:
            freq = str(108_000 + 50 * rng.randrange(200))
            if kind == "TACAN" and rng.random() < 0.3:
                freq = ""
        has_dme = kind in ("VOR-DME", "VORTAC", "DME", "TACAN", "NDB-DME")
        dme_freq = str(962_000 + 1000 * rng.randrange(250)) if has_dme else ""
        channel = f"{rng.randint(17, 126):03d}{rng.choice('XY')}" if has_dme else ""
        elev = "" if rng.random() < 0.1 else str(int(abs(rng.gauss(0, 1)) * 1500))
        variation = f"{rng.uniform(-20, 20):.3f}"
        cols = [str(nid), q(f"{name}_{kind}_{country}"), q(ident), q(name), q(kind), freq, deg(lat), deg(lon),
                elev, q(country), dme_freq, qe(channel, rng),
                deg(lat) if has_dme else "", deg(lon) if has_dme else "", elev if has_dme else "",
                variation if not kind.startswith("NDB") else "", variation,
                q(rng.choice(["HI", "LO", "BOTH", "TERMINAL", "RNAV"])),
                q(rng.choice(["HIGH", "MEDIUM", "LOW", "UNKNOWN"])), qe(near["ident"] if near else "", rng)]
        yield ",".join(cols)


def write(path, header, rows):
    count = 0
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(header + "\n")
        for row in rows:
            f.write(row + "\n")
            count += 1
    return count


def main():
    if len(sys.argv) != 2:
        sys.exit("Usage: python3 bench/make_ourairports_like.py OUTFOLDER")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rng = random.Random(SEED)
    airports = []

    def airport_rows():
        for row, airport in make_airports(rng):
            airports.append(airport)
            yield row

    counts = [write(os.path.join(out, "airports.csv"), AIRPORT_HEADER, airport_rows()),
              write(os.path.join(out, "runways.csv"), RUNWAY_HEADER, make_runways(rng, airports)),
              write(os.path.join(out, "navaids.csv"), NAVAID_HEADER, make_navaids(rng, airports))]
    print(f"{counts[0]} airports, {counts[1]} runways, {counts[2]} navaids written to {out}")


if __name__ == "__main__":
    main()
