#!/usr/bin/env python3
"""Generates the data shipped beside Kavro-TScap from public data in Debian packages.

    tools/make_data.py [--out DIR]      (default: the repository's data/ folder)

Writes:
  CityList.txt          country TAB city TAB latitude TAB longitude, decimal degrees,
                        north and east positive, one country's lines together
  Transponders/*.ini    one file per orbital position: [SATTYPE] 1 = four-digit position
                        code (tenths of a degree east, 3600 minus for west), 2 = name;
                        [DVB] 0 = count, 1..n = "MHz,H|V,kS/s,FEC,DVB-S|DVB-S2,modulation"
                        with optional ",key=value" fields
  README                sources, package versions, licences and what was mended
  licenses/             the licence texts and copyright notices the data carries

Reads (install with apt-get; they are not build dependencies, the output is committed):
  kstars-data      /usr/share/kstars/citydb.sqlite       cities with coordinates (GPL-2+)
  tzdata           /usr/share/zoneinfo/zone.tab, iso3166.tab  zone cities, country names
                                                          (public domain)
  dtv-scan-tables  /usr/share/dvb/dvb-s/*                 transponders per satellite
                                                          (LGPL-2.1+)

Rerunnable: every run replaces the generated files and nothing else. Standard library
only. Every line written is read back and checked before the run reports success.
"""

import argparse
import collections
import math
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import unicodedata
from pathlib import Path

PACKAGES = {
    "kstars-data": "/usr/share/kstars/citydb.sqlite",
    "tzdata": "/usr/share/zoneinfo/zone.tab",
    "dtv-scan-tables": "/usr/share/dvb/dvb-s",
}
CITY_DB = Path("/usr/share/kstars/citydb.sqlite")
ZONE_TAB = Path("/usr/share/zoneinfo/zone.tab")
ISO3166_TAB = Path("/usr/share/zoneinfo/iso3166.tab")
SCAN_TABLES = Path("/usr/share/dvb/dvb-s")
LICENSES = {
    "GPL-2": Path("/usr/share/common-licenses/GPL-2"),
    "LGPL-2.1": Path("/usr/share/common-licenses/LGPL-2.1"),
}

# Positions the simulated sky and the page's users count on; a run that loses one of
# them fails.
POPULAR_CODES = ["0192", "0130", "0282", "0235", "0090", "0070", "3550", "3300", "2630", "0685", "1005"]

# A zone city closer than this to a listed city of the same country adds nothing.
ZONE_CITY_MIN_KM = 30.0


class Counts:
    """What the run dropped or mended, by reason, for the README and the console."""

    def __init__(self):
        self.items = collections.Counter()

    def add(self, reason, n=1):
        self.items[reason] += n

    def lines(self):
        return [f"- {reason}: {n}" for reason, n in sorted(self.items.items())]


# ---------------------------------------------------------------------------------------
# Text

SPECIAL_LETTERS = {
    "ß": "ss", "ø": "o", "Ø": "O", "æ": "ae", "Æ": "AE", "œ": "oe", "Œ": "OE", "ł": "l",
    "Ł": "L", "đ": "d", "Đ": "D", "ð": "d", "Ð": "D", "þ": "th", "Þ": "Th", "ı": "i",
    "’": "'", "‘": "'", "`": "'",
}


def ascii_text(text, counts):
    """Folds a name to ASCII: the files are read as 8-bit text in whatever code page the
    system uses, and ASCII reads the same in every one of them."""
    out = []
    for ch in unicodedata.normalize("NFKD", text):
        if ord(ch) < 128:
            out.append(ch)
        elif unicodedata.combining(ch):
            continue
        elif ch in SPECIAL_LETTERS:
            out.append(SPECIAL_LETTERS[ch])
        else:
            counts.add("cities: characters without an ASCII form dropped")
    folded = "".join(out)
    # Tabs cut fields and line ends cut lines: neither may stand inside a name.
    folded = re.sub(r"[\t\r\n]", " ", folded)
    return re.sub(r" {2,}", " ", folded).strip()


def fold_key(text):
    return re.sub(r"[^a-z0-9]", "", text.lower())


# ---------------------------------------------------------------------------------------
# Packages


def package_versions():
    versions = {}
    missing = []
    for package, path in PACKAGES.items():
        result = subprocess.run(
            ["dpkg-query", "-W", "-f=${Status}\t${Version}", package],
            capture_output=True, text=True, check=False)
        status, _, version = result.stdout.partition("\t")
        if result.returncode != 0 or "install ok installed" not in status or not Path(path).exists():
            missing.append(package)
        else:
            versions[package] = version
    if missing:
        sys.exit("make_data: install the source packages first: apt-get install " + " ".join(missing))
    return versions


# ---------------------------------------------------------------------------------------
# Countries

# Friendlier forms of the time-zone database's country names.
COUNTRY_NAMES = {
    "AG": "Antigua and Barbuda", "AS": "American Samoa", "BA": "Bosnia and Herzegovina",
    "BL": "Saint Barthelemy", "BQ": "Caribbean Netherlands", "CD": "Congo (Democratic Republic)",
    "CF": "Central African Republic", "CG": "Congo (Republic)", "GB": "United Kingdom",
    "GS": "South Georgia and the South Sandwich Islands", "HM": "Heard Island and McDonald Islands",
    "KN": "Saint Kitts and Nevis", "KP": "North Korea", "KR": "South Korea", "LC": "Saint Lucia",
    "MF": "Saint Martin", "MM": "Myanmar", "PM": "Saint Pierre and Miquelon", "SH": "Saint Helena",
    "SJ": "Svalbard and Jan Mayen", "ST": "Sao Tome and Principe", "SX": "Sint Maarten",
    "SZ": "Eswatini", "TC": "Turks and Caicos Islands", "TF": "French Southern Territories",
    "TT": "Trinidad and Tobago", "UM": "US Minor Outlying Islands", "US": "United States",
    "VC": "Saint Vincent and the Grenadines", "VG": "British Virgin Islands",
    "VI": "US Virgin Islands", "WF": "Wallis and Futuna", "WS": "Samoa",
}

# The city database's spellings that differ from every name above, by ISO code.
CITY_DB_COUNTRIES = {
    "Antigua and Barbuda": "AG", "Ascension Island": "SH", "Bosnia and Herzegovina": "BA",
    "Benin": "BJ", "Central African Republic": "CF", "Congo": "CG",
    "Congo (Democratic Republic)": "CD", "Dem rep of Congo": "CD", "Czechia": "CZ",
    "Guinea Bissau": "GW", "Ivory coast": "CI", "Macedonia": "MK", "Myanmar": "MM",
    "North Korea": "KP", "South Korea": "KR", "Pitcairn Islands": "PN", "Samoa": "WS",
    "St. Lucia": "LC", "Swaziland": "SZ", "Trinidad and Tobago": "TT",
    "Turks and Caicos Islands": "TC", "USA": "US", "United Kingdom": "GB", "Vatican": "VA",
    "Virgin Islands": "VI", "Western sahara": "EH",
    # Belgrade, listed under a state that no longer exists.
    "Yugoslavia": "RS",
}

# "US Territory" covers places of several codes.
US_TERRITORY_CITIES = {
    "Diego Garcia": "IO", "Johnston Atoll": "UM", "Midway Island": "UM", "Wake Island": "UM",
    "Pagan Island": "MP", "Rota Island": "MP", "Saipan Island": "MP", "Tinian Island": "MP",
}


def load_country_names(counts):
    names = {}
    for line in ISO3166_TAB.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        code, name = line.split("\t")[:2]
        names[code] = COUNTRY_NAMES.get(code, ascii_text(name.replace(" & ", " and "), counts))
    return names


# ---------------------------------------------------------------------------------------
# Cities

DMS = re.compile(r"""^\s*([+-]?)\s*(\d+)\s*°\s*(\d+)\s*'\s*(\d+(?:\.\d+)?)\s*"\s*$""")
DECIMAL = re.compile(r"^\s*[+-]?\d+(?:\.\d+)?\s*$")


def parse_angle(text):
    """Degrees from the city database's text. The sign belongs to the whole angle: it sits
    on the degrees, so "-0° 10' 01"" is 0.167 degrees west, not east."""
    match = DMS.match(text)
    if match:
        sign, d, m, s = match.groups()
        value = int(d) + int(m) / 60 + float(s) / 3600
        return -value if sign == "-" else value
    if DECIMAL.match(text):
        return float(text)
    return None


def zone_angle(text):
    """Degrees from zone.tab's ISO 6709 form: sign, degrees, minutes, optional seconds."""
    sign = -1 if text[0] == "-" else 1
    digits = text[1:]
    degree_digits = 2 if len(digits) in (4, 6) else 3
    d = int(digits[:degree_digits])
    m = int(digits[degree_digits:degree_digits + 2])
    s = int(digits[degree_digits + 2:] or 0)
    return sign * (d + m / 60 + s / 3600)


def format_degrees(value):
    text = f"{value:.4f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def distance_km(a, b):
    lat1, lon1, lat2, lon2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    h = math.sin((lat2 - lat1) / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin((lon2 - lon1) / 2) ** 2
    return 2 * 6371 * math.asin(min(1.0, math.sqrt(h)))


def city_db_rows(names, counts):
    known = {fold_key(name): code for code, name in names.items()}
    connection = sqlite3.connect(f"file:{CITY_DB}?mode=ro", uri=True)
    try:
        rows = connection.execute("SELECT Name, Province, Country, Latitude, Longitude FROM city").fetchall()
    finally:
        connection.close()
    for name, province, country, latitude, longitude in rows:
        country = (country or "").strip()
        folded_country = ascii_text(country, counts)
        if country == "US Territory":
            code = US_TERRITORY_CITIES.get(name)
        else:
            code = CITY_DB_COUNTRIES.get(folded_country) or known.get(fold_key(folded_country))
        if code is None:
            counts.add("cities: country not recognised, dropped")
            continue
        if code != known.get(fold_key(folded_country)):
            counts.add("cities: country spelled another way, normalised")
        lat, lon = parse_angle(latitude or ""), parse_angle(longitude or "")
        if lat is None or lon is None or not (-90 <= lat <= 90 and -180 <= lon <= 180):
            counts.add("cities: coordinates unreadable or out of range, dropped")
            continue
        if not DMS.match(latitude) or not DMS.match(longitude):
            counts.add("cities: coordinates in another notation, converted")
        city = ascii_text(name or "", counts)
        if not city:
            counts.add("cities: empty name, dropped")
            continue
        yield code, city, ascii_text(province or "", counts), lat, lon


def zone_rows():
    for line in ZONE_TAB.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t")
        code, coordinates, zone = fields[0], fields[1], fields[2]
        split = max(coordinates.rfind("+"), coordinates.rfind("-"))
        lat, lon = zone_angle(coordinates[:split]), zone_angle(coordinates[split:])
        city = zone.rsplit("/", 1)[-1].replace("_", " ")
        yield code, city, lat, lon


def build_cities(counts):
    names = load_country_names(counts)
    by_country = collections.defaultdict(list)  # code -> [city, province, lat, lon]
    for code, city, province, lat, lon in city_db_rows(names, counts):
        by_country[code].append([city, province, lat, lon])

    for code, city, lat, lon in zone_rows():
        entries = by_country[code]
        if any(fold_key(e[0]) == fold_key(city) or distance_km((lat, lon), (e[2], e[3])) < ZONE_CITY_MIN_KM
               for e in entries):
            counts.add("cities: zone city already listed, skipped")
            continue
        entries.append([ascii_text(city, counts), "", lat, lon])
        counts.add("cities: added from the time-zone database")

    lines = []
    for code, entries in by_country.items():
        country = names[code]
        # The same name twice in one country: tell them apart by province, drop true repeats.
        by_name = collections.defaultdict(list)
        for entry in entries:
            by_name[entry[0].lower()].append(entry)
        seen = set()
        for group in by_name.values():
            for city, province, lat, lon in group:
                label = f"{city} ({province})" if len(group) > 1 and province else city
                if label.lower() in seen:
                    counts.add("cities: repeated city, dropped")
                    continue
                seen.add(label.lower())
                lines.append((country, label, format_degrees(lat), format_degrees(lon)))
    # Sorted like the page's sorted lists, so a country's first line is also the city the
    # page selects first and the coordinates it shows belong to that city.
    lines.sort(key=lambda l: (l[0].lower(), l[0], l[1].lower(), l[1]))
    return lines


def write_city_list(path, lines):
    with open(path, "w", encoding="ascii", newline="\n") as out:
        for fields in lines:
            out.write("\t".join(fields) + "\n")


def check_city_list(path):
    problems = []
    finished = set()
    current = None
    pairs = set()
    data = path.read_bytes()
    if not data.endswith(b"\n"):
        problems.append("CityList.txt: the last line has no line end")
    for number, line in enumerate(data.split(b"\n")[:-1], 1):
        where = f"CityList.txt line {number}"
        if b"\r" in line or any(b > 127 for b in line):
            problems.append(f"{where}: carriage return or non-ASCII byte")
        fields = line.decode("ascii", "replace").split("\t")
        if len(fields) != 4 or not fields[0] or not fields[1]:
            problems.append(f"{where}: not four fields")
            continue
        country, city, lat, lon = fields
        for text, limit in ((lat, 90), (lon, 180)):
            if not re.fullmatch(r"-?\d+(\.\d+)?", text) or abs(float(text)) > limit:
                problems.append(f"{where}: bad coordinate {text!r}")
        if country != current:
            if country in finished:
                problems.append(f"{where}: {country} lines are not together")
            if current is not None:
                finished.add(current)
            current = country
        if (country, city) in pairs:
            problems.append(f"{where}: {city} listed twice")
        pairs.add((country, city))
    return problems


# ---------------------------------------------------------------------------------------
# Satellites

FILE_POSITION = re.compile(r"[-_]?(\d+(?:\.\d+)?)([EW])$")

# Legacy file names that run words together or use old spellings.
SATELLITE_NAMES = {
    "ExpressAM1": "Express AM1", "ExpressAM2": "Express AM2", "ExpressAM22": "Express AM22",
    "OptusC1": "Optus C1", "OptusD1": "Optus D1", "Intel4": "Intelsat 4", "Intel904": "Intelsat 904",
    "Trksat-3A": "Turksat 3A", "Trksat-4A": "Turksat 4A", "Trksat-4B": "Turksat 4B",
    "Telecom2": "Telecom 2", "PalapaC2": "Palapa C2", "Asiasat4": "AsiaSat 4", "JCSat3A": "JCSAT 3A",
    "Echostar-10+11": "EchoStar 10/EchoStar 11", "EchoStar-105SES-11": "EchoStar 105/SES 11",
    "BrasilsatB4": "BrasilSat B4", "IA7": "Intelsat Americas 7", "SBS6": "SBS 6", "ST1": "ST 1", "Eutelsat5": "Eutelsat 5 West A",
    "Eutelsat9": "Eutelsat 9", "EutelsatW2": "Eutelsat W2", "TurkmenlemMonacoSat": "TurkmenAlem MonacoSat",
    "Amazonas3": "Amazonas 3", "Yamal201": "Yamal 201", "Nilesat101+102": "Nilesat 101/Nilesat 102", "Intelsat-10-02": "Intelsat 10-02",
}

FEC_DIGITS = {"1/2": "12", "2/3": "23", "3/4": "34", "3/5": "35", "4/5": "45", "5/6": "56",
              "6/7": "67", "7/8": "78", "8/9": "89", "9/10": "910"}
MODULATIONS = {"QPSK": "QPSK", "PSK/8": "8PSK", "APSK/16": "16APSK", "APSK/32": "32APSK"}
# Code rates each system and modulation defines.
VALID_FEC = {
    ("DVB-S", "QPSK"): {"12", "23", "34", "56", "78"},
    ("DVB-S2", "QPSK"): {"12", "35", "23", "34", "45", "56", "89", "910"},
    ("DVB-S2", "8PSK"): {"35", "23", "34", "56", "89", "910"},
    ("DVB-S2", "16APSK"): {"23", "34", "45", "56", "89", "910"},
    ("DVB-S2", "32APSK"): {"34", "45", "56", "89", "910"},
}
# The code rate written where the tables say AUTO: the one most used with that system and
# modulation. A receiver finds the real one itself; the simulated one reports this one.
USUAL_FEC = {("DVB-S", "QPSK"): "34", ("DVB-S2", "QPSK"): "34", ("DVB-S2", "8PSK"): "23",
             ("DVB-S2", "16APSK"): "34", ("DVB-S2", "32APSK"): "34"}
# Satellite downlink bands in MHz: S, C (planned band included), Ku, Ka.
BANDS = [(2500, 2700), (3400, 4800), (10700, 12750), (17300, 22000)]
SYMBOL_RATE_KS = (100, 72000)  # narrow feeds to wide-band carriers
TRANSPONDER = re.compile(
    r"^(\d{4,5}),([HV]),(\d+),(12|23|34|35|45|56|67|78|89|910),(DVB-S|DVB-S2),(QPSK|8PSK|16APSK|32APSK)"
    r"((?:,(?:isi=\d+(?:;\d+)+|pls=(?:root|gold):\d+))*)$")


def display_name(stem):
    """The satellite names in a scan table's file name, "/" between two satellites."""
    base = re.sub(r"_C$", "", stem)  # the C-band half of a satellite is the same satellite
    name = SATELLITE_NAMES.get(base)
    if name is None:
        name = re.sub(r"^G-Sat-", "GSAT-", base)
        if "-" not in name:
            name = re.sub(r"(?<=[A-Za-z])(?=\d)", " ", name)  # "Galaxy19", "SES2"
        name = name.replace("-", " ")
        # Two satellites at one slot joined in one file name: "Galaxy 13Horizons 1".
        name = re.sub(r"(?<=\d)(?=[A-Z][a-z]{2,})", "/", name)
    return re.sub(r"\s+", " ", name).strip()


def position_name(names):
    """One name for the satellites of a position: "Astra 1KR/1L/1M/1N",
    "BrasilSat B2, Eutelsat 65 West A, Star One C1"."""
    unique = {}
    for name in names:
        for single in name.split("/"):
            unique.setdefault(fold_key(single), single.strip())
    singles = list(unique.values())
    # A bare family name ("Astra") says nothing next to "Astra 1KR".
    singles = [n for n in singles
               if not any(o != n and o.lower().startswith(n.lower() + " ") for o in singles)]
    families = collections.defaultdict(list)
    for single in singles:
        families[single.split(" ")[0].lower()].append(single.split(" "))
    groups = []
    for members in families.values():
        members.sort(key=lambda words: [w.lower() for w in words])
        common = 0
        while all(len(words) > common + 1 and words[common].lower() == members[0][common].lower()
                  for words in members):
            common += 1
        if len(members) == 1:
            common = 0
        head = " ".join(members[0][:common])
        tails = "/".join(" ".join(words[common:]) for words in members)
        groups.append(f"{head} {tails}" if head else tails)
    return ", ".join(sorted(groups, key=str.lower))


def read_scan_table(path):
    channels = []
    current = None
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        text = line.split("#", 1)[0].strip()
        if text.startswith("["):
            current = {}
            channels.append(current)
        elif "=" in text and current is not None:
            key, value = (part.strip() for part in text.split("=", 1))
            current[key] = value
    return channels


def convert_channel(channel, counts):
    """One scan-table channel as our fields, mended where it can be, None when dropped."""
    try:
        frequency = int(channel["FREQUENCY"])
        symbol_rate = int(channel["SYMBOL_RATE"])
    except (KeyError, ValueError):
        counts.add("transponders: frequency or symbol rate missing, dropped")
        return None
    if 0 < frequency < 100000:
        frequency *= 1000
        counts.add("transponders: frequency given in MHz instead of kHz, corrected")
    mhz = round(frequency / 1000)
    if mhz * 1000 != frequency:
        counts.add("transponders: frequency rounded to whole MHz")
    if not any(low <= mhz <= high for low, high in BANDS):
        counts.add("transponders: frequency outside every satellite band, dropped")
        return None
    ks = round(symbol_rate / 1000)
    if not SYMBOL_RATE_KS[0] <= ks <= SYMBOL_RATE_KS[1]:
        counts.add("transponders: impossible symbol rate, dropped")
        return None

    polarisation = {"HORIZONTAL": "H", "VERTICAL": "V", "LEFT": "H", "RIGHT": "V"}.get(channel.get("POLARIZATION"))
    if polarisation is None:
        counts.add("transponders: polarisation missing, dropped")
        return None
    if channel["POLARIZATION"] in ("LEFT", "RIGHT"):
        counts.add("transponders: circular polarisation, written as the LNB voltage that selects it")

    system = {"DVBS": "DVB-S", "DVBS2": "DVB-S2"}.get(channel.get("DELIVERY_SYSTEM"))
    if system is None:
        counts.add("transponders: unknown delivery system, dropped")
        return None
    raw_modulation = channel.get("MODULATION", "QPSK")
    modulation = MODULATIONS.get(raw_modulation)
    if modulation is None:
        counts.add("transponders: modulation unknown, written as QPSK")
        modulation = "QPSK"
    if system == "DVB-S" and modulation != "QPSK":
        system = "DVB-S2"
        counts.add("transponders: DVB-S with a DVB-S2 modulation, written as DVB-S2")

    fec = FEC_DIGITS.get(channel.get("INNER_FEC", "AUTO"))
    if fec is None:
        fec = USUAL_FEC[(system, modulation)]
        counts.add("transponders: code rate AUTO, written as the usual rate")
    elif fec not in VALID_FEC[(system, modulation)]:
        if system == "DVB-S" and fec in VALID_FEC[("DVB-S2", "QPSK")]:
            system = "DVB-S2"
            counts.add("transponders: DVB-S with a DVB-S2 code rate, written as DVB-S2")
        else:
            fec = USUAL_FEC[(system, modulation)]
            counts.add("transponders: code rate impossible for its modulation, written as the usual rate")

    pls = None
    if "PLS_CODE" in channel and system == "DVB-S2":
        mode = {"0": "root", "1": "gold"}.get(channel.get("PLS_MODE", ""))
        if mode is None:
            counts.add("transponders: scrambling code without its mode, dropped")
        else:
            pls = f"{mode}:{int(channel['PLS_CODE'])}"
    stream = int(channel.get("STREAM_ID", "0") or 0) if system == "DVB-S2" else None
    return {"mhz": mhz, "pol": polarisation, "ks": ks, "fec": fec, "system": system,
            "modulation": modulation, "pls": pls, "stream": stream}


def merge_transponders(channels, counts):
    """One line per frequency and polarisation; several input streams become one list."""
    merged = {}
    for channel in channels:
        key = (channel["mhz"], channel["pol"])
        kept = merged.get(key)
        if kept is None:
            merged[key] = dict(channel, streams=[channel["stream"]] if channel["stream"] is not None else [])
            continue
        same = all(kept[f] == channel[f] for f in ("ks", "fec", "system", "modulation"))
        if same and channel["stream"] is not None and channel["stream"] not in kept["streams"]:
            kept["streams"].append(channel["stream"])
            kept["pls"] = kept["pls"] or channel["pls"]
        else:
            counts.add("transponders: listed again (same frequency and polarisation), dropped")
    lines = []
    for (mhz, pol), t in sorted(merged.items()):
        line = f"{mhz},{pol},{t['ks']},{t['fec']},{t['system']},{t['modulation']}"
        if len(t["streams"]) > 1:
            line += ",isi=" + ";".join(str(s) for s in t["streams"])
            if t["pls"]:
                line += f",pls={t['pls']}"
        elif t["pls"]:
            counts.add("transponders: scrambling code on a single stream, dropped")
        lines.append(line)
    return lines


def position_code(degrees, hemisphere):
    tenths = round(degrees * 10)
    return (3600 - tenths) % 3600 if hemisphere == "W" else tenths % 3600


def build_satellites(counts):
    by_code = collections.defaultdict(list)  # code -> [(stem, channels)]
    for path in sorted(SCAN_TABLES.iterdir()):
        match = FILE_POSITION.search(path.name)
        if not match:
            counts.add("satellites: file name without a position, skipped")
            continue
        code = position_code(float(match.group(1)), match.group(2))
        by_code[code].append((path.name[:match.start()], read_scan_table(path)))

    # The same satellite filed at positions a few hundredths apart (93.0 W and 93.1 W):
    # one position, the one with more transponders.
    for code in sorted(by_code):
        for other in (code + 1, code + 2):
            if other in by_code and code in by_code:
                names = {fold_key(display_name(s)) for s, _ in by_code[code]}
                others = {fold_key(display_name(s)) for s, _ in by_code[other]}
                if names & others:
                    keep, drop = ((code, other) if sum(len(c) for _, c in by_code[code]) >=
                                  sum(len(c) for _, c in by_code[other]) else (other, code))
                    by_code[keep].extend(by_code.pop(drop))
                    counts.add("satellites: same satellite under a neighbouring position, merged")

    satellites = []
    for code, files in sorted(by_code.items()):
        if len(files) > 1:
            counts.add("satellites: files at an already listed position, merged", len(files) - 1)
        # The fullest table of a position speaks first when two disagree.
        files.sort(key=lambda f: -len(f[1]))
        channels = []
        for _, table in files:
            for channel in table:
                converted = convert_channel(channel, counts)
                if converted:
                    channels.append(converted)
        lines = merge_transponders(channels, counts)
        if not lines:
            counts.add("satellites: no usable transponder, dropped")
            continue
        name = position_name([display_name(stem) for stem, _ in files])
        satellites.append((f"{code:04d}", name, lines))
    return satellites


def file_stem(code, name):
    return code + "_" + re.sub(r"[^A-Za-z0-9]+", "-", name).strip("-")


def write_satellites(folder, satellites):
    for old in folder.glob("*.ini"):
        old.unlink()
    for code, name, lines in satellites:
        text = ["[SATTYPE]", f"1={code}", f"2={name}", "", "[DVB]", f"0={len(lines)}"]
        text += [f"{n}={line}" for n, line in enumerate(lines, 1)]
        (folder / (file_stem(code, name) + ".ini")).write_text("\n".join(text) + "\n", encoding="ascii")


def check_satellites(folder):
    problems = []
    codes = set()
    for path in sorted(folder.glob("*.ini")):
        sections = collections.defaultdict(dict)
        section = None
        raw = path.read_bytes()
        if b"\r" in raw or any(b > 127 for b in raw):
            problems.append(f"{path.name}: carriage return or non-ASCII byte")
        for line in raw.decode("ascii", "replace").splitlines():
            if line.startswith("["):
                section = line.strip("[]")
            elif "=" in line and section:
                key, value = line.split("=", 1)
                sections[section][key] = value
        code = sections["SATTYPE"].get("1", "")
        if not re.fullmatch(r"\d{4}", code) or int(code) >= 3600:
            problems.append(f"{path.name}: position code {code!r}")
        if code in codes:
            problems.append(f"{path.name}: position {code} listed twice")
        codes.add(code)
        if not sections["SATTYPE"].get("2") or len(sections["SATTYPE"]["2"]) > 259:
            problems.append(f"{path.name}: name missing or too long")
        dvb = sections["DVB"]
        count = int(dvb.get("0", "0"))
        if count < 1 or sorted(dvb) != sorted(str(n) for n in range(count + 1)):
            problems.append(f"{path.name}: transponder count does not match the keys")
        for n in range(1, count + 1):
            match = TRANSPONDER.match(dvb.get(str(n), ""))
            if not match:
                problems.append(f"{path.name}: transponder {n} unreadable: {dvb.get(str(n))!r}")
                continue
            mhz, ks = int(match.group(1)), int(match.group(3))
            if not any(low <= mhz <= high for low, high in BANDS) or not SYMBOL_RATE_KS[0] <= ks <= SYMBOL_RATE_KS[1]:
                problems.append(f"{path.name}: transponder {n} out of range")
    for code in POPULAR_CODES:
        if code not in codes:
            problems.append(f"position {code} is missing")
    return problems


# ---------------------------------------------------------------------------------------
# README and licences


def copy_licenses(folder):
    if folder.exists():
        shutil.rmtree(folder)
    folder.mkdir()
    for name, path in LICENSES.items():
        shutil.copyfile(path, folder / name)
    for package in PACKAGES:
        shutil.copyfile(f"/usr/share/doc/{package}/copyright", folder / f"{package}.copyright")


def write_readme(path, versions, cities, satellites, counts):
    countries = len({c[0] for c in cities})
    transponders = sum(len(lines) for _, _, lines in satellites)
    text = f"""Data shipped beside Kavro-TScap
===============================

Generated by tools/make_data.py; do not edit by hand, run the generator again.

CityList.txt
    {len(cities)} cities in {countries} countries, one a line: country TAB city TAB
    latitude TAB longitude, in decimal degrees, north and east positive. Each country's
    lines stand together, sorted by city. ASCII only, LF line ends.

Transponders/*.ini
    {len(satellites)} orbital positions, {transponders} transponders. One file per position:
    [SATTYPE] 1 = four-digit position code in tenths of a degree east (3600 minus the
    tenths for a western position), 2 = name; [DVB] 0 = count, 1..n =
    "frequency MHz,H|V,symbol rate kS/s,FEC,DVB-S|DVB-S2,modulation" with modulation
    QPSK, 8PSK, 16APSK or 32APSK and, for a multistream signal, ",isi=a;b;c" and
    ",pls=root:N" or ",pls=gold:N".

Sources
-------

- kstars-data {versions['kstars-data']}: /usr/share/kstars/citydb.sqlite, cities with
  their countries and coordinates. GPL-2+.
- tzdata {versions['tzdata']}: /usr/share/zoneinfo/zone.tab and iso3166.tab, the cities
  of the time zones and the country names. Public domain.
- dtv-scan-tables {versions['dtv-scan-tables']}: /usr/share/dvb/dvb-s/*, the
  transponders of each satellite. LGPL-2.1+.

CityList.txt is derived from the KStars city database (GPL version 2 or later) and the
time-zone database (public domain); the Transponders files are derived from the DVB scan
tables (LGPL version 2.1 or later). licenses/ holds the licence texts (GPL-2, LGPL-2.1)
and each package's copyright notice.

How the sources were mended
---------------------------

- A sign written on the degrees (-0° 10' 01" for Accra) belongs to the whole angle:
  places just west of Greenwich or south of the equator stay there.
- Country names spelled several ways (Dem rep of Congo, Congo (Democratic Republic)),
  renamed (Swaziland) or gone (Yugoslavia) are written with one current name each; city
  names are folded to ASCII. A city name used twice in one country carries its province.
- Zone cities of the time-zone database fill in countries the city database lacks; one
  within {ZONE_CITY_MIN_KM:.0f} km of a listed city is left out.
- Several scan tables for one position (Astra 1KR, 1L, 1M, 1N at 19.2 E) make one file;
  a satellite filed at two neighbouring positions is kept at the fuller one; a frequency
  and polarisation listed twice keeps the fuller table's line, and channels that differ
  only by input stream become one multistream line.
- Frequencies written in MHz where kHz belong are corrected; frequencies outside the S,
  C, Ku and Ka downlink bands and symbol rates outside {SYMBOL_RATE_KS[0]} to {SYMBOL_RATE_KS[1]} kS/s are dropped.
- Circular polarisation is written as the LNB voltage that selects it (left as H,
  right as V). DVB-S entries with a DVB-S2 modulation or code rate are DVB-S2.
- The tables give the code rate of most transponders as AUTO; those carry the usual
  rate for their modulation (DVB-S QPSK 3/4, DVB-S2 QPSK 3/4, 8PSK 2/3, 16APSK and
  32APSK 3/4). A real tuner finds the actual rate itself.

Counts of the last run:

""" + "\n".join(counts.lines()) + "\n"
    path.write_text(text, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", type=Path, default=Path(__file__).resolve().parent.parent / "data")
    args = parser.parse_args()

    versions = package_versions()
    counts = Counts()
    out = args.out
    (out / "Transponders").mkdir(parents=True, exist_ok=True)

    cities = build_cities(counts)
    write_city_list(out / "CityList.txt", cities)
    satellites = build_satellites(counts)
    write_satellites(out / "Transponders", satellites)
    copy_licenses(out / "licenses")
    write_readme(out / "README", versions, cities, satellites, counts)

    problems = check_city_list(out / "CityList.txt") + check_satellites(out / "Transponders")
    for line in counts.lines():
        print(line)
    print(f"make_data: {len(cities)} cities, {len(satellites)} positions written to {out}")
    if problems:
        for problem in problems[:50]:
            print("make_data: " + problem, file=sys.stderr)
        sys.exit(f"make_data: {len(problems)} problems in the written files")


if __name__ == "__main__":
    main()
