#!/usr/bin/env python3
"""Writes examples/europe: a week of road freight for a fleet based in Poland.

Deterministic: the same script always writes the same files. Places carry real
coordinates; order windows are laid out from the planner's own distance and speed
rules (road km = great-circle km x DETOUR_FACTOR, driven at AVERAGE_SPEED) so that a
truck driving straight from pickup to delivery meets them, and prices cover the costs
of the loaded trip with a margin. Which orders are drawn depends on the great-circle
distance only, so changing the road rule changes windows and prices, not the orders.

Usage: python3 tools/make_europe_example.py [OUTPUT_DIR]
"""
import datetime
import math
import os
import random
import struct
import sys

SEED = 20240304
FIRST_DAY = datetime.datetime(2024, 3, 4)  # a Monday, well clear of daylight-saving changes
PICKUP_MINUTES = 30
UNLOAD_MINUTES = 45
FUZZINESS = 0.1
ORDER_COUNT = 180
# Roads are about 1.3 times the straight line in Europe; a loaded truck averages 70 km/h.
DETOUR_FACTOR = 1.3
AVERAGE_SPEED = 70.0  # km/h

# The [params] lines of europe.cfg in order: add a parameter here and the example has it.
PARAMS = [
    ("checkCapacity", "1"),
    ("driverRules", "1"),
    ("pickupTime", str(PICKUP_MINUTES)),
    ("unloadTime", str(UNLOAD_MINUTES)),
    ("minimalSat", "0.5"),
    ("travelTimeFuzzines", str(FUZZINESS)),
    ("detourFactor", str(DETOUR_FACTOR)),
    ("averageSpeed", f"{AVERAGE_SPEED:g}"),
    ("placeInPoland", "WARSZAWA"),
]

# country: (cost per day, cost per km, third figure)
COUNTRIES = {
    "POLAND": (210.0, 0.95, 0.0),
    "GERMANY": (340.0, 1.35, 0.0),
    "CZECHIA": (230.0, 1.05, 0.0),
    "SLOVAKIA": (220.0, 1.02, 0.0),
    "AUSTRIA": (330.0, 1.40, 0.0),
    "HUNGARY": (215.0, 1.00, 0.0),
    "FRANCE": (320.0, 1.30, 0.0),
    "NETHERLANDS": (335.0, 1.32, 0.0),
    "BELGIUM": (325.0, 1.31, 0.0),
    "ITALY": (300.0, 1.28, 0.0),
    "SPAIN": (270.0, 1.15, 0.0),
    "DENMARK": (360.0, 1.45, 0.0),
    "LITHUANIA": (190.0, 0.90, 0.0),
}

# region: (country, average waiting minutes, average profit, places); the first place represents the region
REGIONS = {
    "MAZOWIECKIE": ("POLAND", 95, 310, [("WARSZAWA", 52.2297, 21.0122), ("RADOM", 51.4027, 21.1471), ("PLOCK", 52.5463, 19.7065)]),
    "WIELKOPOLSKIE": ("POLAND", 90, 295, [("POZNAN", 52.4064, 16.9252), ("KALISZ", 51.7611, 18.0910), ("KONIN", 52.2230, 18.2511)]),
    "MALOPOLSKIE": ("POLAND", 100, 280, [("KRAKOW", 50.0647, 19.9450), ("TARNOW", 50.0121, 20.9858)]),
    "SLASKIE": ("POLAND", 85, 300, [("KATOWICE", 50.2649, 19.0238), ("CZESTOCHOWA", 50.8118, 19.1203), ("GLIWICE", 50.2945, 18.6714)]),
    "POMORSKIE": ("POLAND", 110, 270, [("GDANSK", 54.3520, 18.6466), ("GDYNIA", 54.5189, 18.5305), ("SLUPSK", 54.4641, 17.0285)]),
    "DOLNOSLASKIE": ("POLAND", 90, 290, [("WROCLAW", 51.1079, 17.0385), ("LEGNICA", 51.2070, 16.1553)]),
    "LODZKIE": ("POLAND", 80, 285, [("LODZ", 51.7592, 19.4560)]),
    "BAYERN": ("GERMANY", 120, 360, [("MUENCHEN", 48.1351, 11.5820), ("NUERNBERG", 49.4521, 11.0767), ("AUGSBURG", 48.3705, 10.8978), ("REGENSBURG", 49.0134, 12.1016)]),
    "NORDRHEIN_WESTFALEN": ("GERMANY", 115, 380, [("KOELN", 50.9375, 6.9603), ("DUESSELDORF", 51.2277, 6.7735), ("DORTMUND", 51.5136, 7.4653), ("ESSEN", 51.4556, 7.0116)]),
    "BERLIN_BRANDENBURG": ("GERMANY", 105, 350, [("BERLIN", 52.5200, 13.4050), ("POTSDAM", 52.3906, 13.0645), ("FRANKFURT_ODER", 52.3471, 14.5506)]),
    "HESSEN": ("GERMANY", 110, 365, [("FRANKFURT_MAIN", 50.1109, 8.6821), ("KASSEL", 51.3127, 9.4797)]),
    "NORDDEUTSCHLAND": ("GERMANY", 125, 370, [("HAMBURG", 53.5511, 9.9937), ("BREMEN", 53.0793, 8.8017), ("HANNOVER", 52.3759, 9.7320)]),
    "BADEN_WUERTTEMBERG": ("GERMANY", 115, 375, [("STUTTGART", 48.7758, 9.1829), ("MANNHEIM", 49.4875, 8.4660), ("KARLSRUHE", 49.0069, 8.4037)]),
    "SACHSEN": ("GERMANY", 100, 340, [("LEIPZIG", 51.3397, 12.3731), ("DRESDEN", 51.0504, 13.7373), ("CHEMNITZ", 50.8278, 12.9214)]),
    "PRAHA_REGION": ("CZECHIA", 95, 300, [("PRAHA", 50.0755, 14.4378), ("KLADNO", 50.1473, 14.1029)]),
    "MORAVIA": ("CZECHIA", 90, 290, [("BRNO", 49.1951, 16.6068), ("OSTRAVA", 49.8209, 18.2625), ("OLOMOUC", 49.5938, 17.2509)]),
    "ZAPADNE_CECHY": ("CZECHIA", 90, 285, [("PLZEN", 49.7384, 13.3736)]),
    "ZAPADNE_SLOVENSKO": ("SLOVAKIA", 95, 280, [("BRATISLAVA", 48.1486, 17.1077), ("TRNAVA", 48.3774, 17.5872), ("NITRA", 48.3069, 18.0865)]),
    "VYCHODNE_SLOVENSKO": ("SLOVAKIA", 100, 260, [("KOSICE", 48.7164, 21.2611), ("PRESOV", 48.9984, 21.2339), ("ZILINA", 49.2231, 18.7394)]),
    "OSTOESTERREICH": ("AUSTRIA", 110, 350, [("WIEN", 48.2082, 16.3738), ("LINZ", 48.3069, 14.2858), ("GRAZ", 47.0707, 15.4395)]),
    "WESTOESTERREICH": ("AUSTRIA", 120, 340, [("SALZBURG", 47.8095, 13.0550), ("INNSBRUCK", 47.2692, 11.4041)]),
    "KOZEP_MAGYARORSZAG": ("HUNGARY", 95, 290, [("BUDAPEST", 47.4979, 19.0402)]),
    "DUNANTUL": ("HUNGARY", 90, 275, [("GYOR", 47.6875, 17.6504), ("PECS", 46.0727, 18.2323)]),
    "ALFOLD": ("HUNGARY", 100, 265, [("DEBRECEN", 47.5316, 21.6273), ("SZEGED", 46.2530, 20.1414)]),
    "ILE_DE_FRANCE": ("FRANCE", 130, 370, [("PARIS", 48.8566, 2.3522)]),
    "HAUTS_DE_FRANCE": ("FRANCE", 115, 345, [("LILLE", 50.6292, 3.0573), ("AMIENS", 49.8941, 2.2958)]),
    "AUVERGNE_RHONE_ALPES": ("FRANCE", 120, 355, [("LYON", 45.7640, 4.8357), ("GRENOBLE", 45.1885, 5.7245)]),
    "GRAND_EST": ("FRANCE", 110, 340, [("STRASBOURG", 48.5734, 7.7521), ("METZ", 49.1193, 6.1757), ("REIMS", 49.2583, 4.0317)]),
    "NORMANDIE": ("FRANCE", 115, 335, [("ROUEN", 49.4432, 1.0999), ("LE_HAVRE", 49.4944, 0.1079)]),
    "RANDSTAD": ("NETHERLANDS", 125, 385, [("ROTTERDAM", 51.9244, 4.4777), ("AMSTERDAM", 52.3676, 4.9041), ("DEN_HAAG", 52.0705, 4.3007), ("UTRECHT", 52.0907, 5.1214)]),
    "NOORD_BRABANT_LIMBURG": ("NETHERLANDS", 110, 360, [("EINDHOVEN", 51.4416, 5.4697), ("VENLO", 51.3704, 6.1724)]),
    "VLAANDEREN": ("BELGIUM", 120, 370, [("ANTWERPEN", 51.2194, 4.4025), ("GENT", 51.0543, 3.7174)]),
    "WALLONIE": ("BELGIUM", 110, 340, [("LIEGE", 50.6326, 5.5797), ("CHARLEROI", 50.4108, 4.4446)]),
    "BRUSSEL": ("BELGIUM", 130, 355, [("BRUXELLES", 50.8503, 4.3517)]),
    "LOMBARDIA": ("ITALY", 120, 360, [("MILANO", 45.4642, 9.1900), ("BERGAMO", 45.6983, 9.6773), ("BRESCIA", 45.5416, 10.2118)]),
    "VENETO": ("ITALY", 115, 345, [("VERONA", 45.4384, 10.9916), ("VENEZIA", 45.4408, 12.3155), ("PADOVA", 45.4064, 11.8768)]),
    "PIEMONTE": ("ITALY", 110, 335, [("TORINO", 45.0703, 7.6869)]),
    "EMILIA_ROMAGNA": ("ITALY", 110, 340, [("BOLOGNA", 44.4949, 11.3426)]),
    "CATALUNYA": ("SPAIN", 120, 330, [("BARCELONA", 41.3851, 2.1734), ("TARRAGONA", 41.1189, 1.2445)]),
    "COMUNIDAD_DE_MADRID": ("SPAIN", 125, 320, [("MADRID", 40.4168, -3.7038)]),
    "COMUNITAT_VALENCIANA": ("SPAIN", 115, 310, [("VALENCIA", 39.4699, -0.3763)]),
    "HOVEDSTADEN": ("DENMARK", 130, 390, [("KOBENHAVN", 55.6761, 12.5683)]),
    "MIDTJYLLAND": ("DENMARK", 120, 375, [("AARHUS", 56.1629, 10.2039)]),
    "SYDDANMARK": ("DENMARK", 120, 370, [("ODENSE", 55.4038, 10.4024), ("KOLDING", 55.4904, 9.4722)]),
    "VILNIAUS_APSKRITIS": ("LITHUANIA", 90, 260, [("VILNIUS", 54.6872, 25.2797)]),
    "KAUNO_KLAIPEDOS": ("LITHUANIA", 95, 255, [("KAUNAS", 54.8985, 23.9036), ("KLAIPEDA", 55.7033, 21.1443)]),
}

# Every unit weighs WEIGHT kg; an industrial pallet takes the floor space of one euro pallet.
ARTICLE_TYPES = [
    ("PALLET_EUR", [("LENGTH", 120), ("WIDTH", 80), ("HEIGHT", 150), ("WEIGHT", 400)]),
    ("PALLET_IND", [("LENGTH", 120), ("WIDTH", 100), ("HEIGHT", 150), ("WEIGHT", 500), ("PALLET_EUR", 1)]),
    ("BOX", [("LENGTH", 60), ("WIDTH", 40), ("HEIGHT", 40), ("WEIGHT", 15)]),
    ("DRUM", [("DIAMETER", 60), ("HEIGHT", 90), ("WEIGHT", 220)]),
    ("ROLL", [("DIAMETER", 120), ("LENGTH", 250), ("WEIGHT", 300)]),
    ("CAGE", [("LENGTH", 80), ("WIDTH", 70), ("HEIGHT", 180), ("WEIGHT", 60)]),
]

# Goods of an order, drawn apart from everything else so that the places, windows and
# prices stay as they were before goods mattered: (article, smallest, largest quantity).
GOODS_KINDS = [
    [("PALLET_EUR", 4, 26)],
    [("PALLET_EUR", 6, 20)],
    [("PALLET_IND", 4, 16)],
    [("PALLET_EUR", 2, 10), ("BOX", 20, 160)],
    [("DRUM", 10, 70)],
    [("ROLL", 6, 40)],
    [("CAGE", 10, 50)],
    [("BOX", 10, 70)],
    [("PALLET_EUR", 1, 3)],
]
# One order is too heavy for any vehicle of the fleet (90 rolls weigh 27 t).
OVERSIZED_ORDER = 57
OVERSIZED_GOODS = "ROLL 90"

# type: (mass range in kg, quantity lists)
VEHICLE_TYPES = {
    "TRUCK_40T": ((14000, 16500), [("CAPACITY", [("PALLET_EUR", 33), ("WEIGHT", 24000)]), ("EQUIPMENT", [("TAIL_LIFT", 0), ("STRAPS", 24)])]),
    "TRUCK_18T": ((8500, 10000), [("CAPACITY", [("PALLET_EUR", 18), ("WEIGHT", 8000)]), ("EQUIPMENT", [("TAIL_LIFT", 1), ("STRAPS", 12)])]),
    "VAN_3_5T": ((2100, 2400), [("CAPACITY", [("PALLET_EUR", 8), ("WEIGHT", 1200)])]),
}

# start place, vehicle type
FLEET = [
    ("WARSZAWA", "TRUCK_40T"), ("WARSZAWA", "TRUCK_40T"), ("WARSZAWA", "TRUCK_18T"), ("POZNAN", "TRUCK_40T"),
    ("POZNAN", "TRUCK_40T"), ("WROCLAW", "TRUCK_40T"), ("WROCLAW", "TRUCK_18T"), ("KATOWICE", "TRUCK_40T"),
    ("KRAKOW", "TRUCK_18T"), ("GDANSK", "TRUCK_40T"), ("LODZ", "TRUCK_40T"), ("LODZ", "VAN_3_5T"),
    ("BERLIN", "TRUCK_40T"), ("HAMBURG", "TRUCK_40T"), ("KOELN", "TRUCK_40T"), ("MUENCHEN", "TRUCK_18T"),
    ("LEIPZIG", "TRUCK_40T"), ("PRAHA", "TRUCK_40T"), ("BRNO", "VAN_3_5T"), ("WIEN", "TRUCK_40T"),
    ("BUDAPEST", "TRUCK_18T"), ("ROTTERDAM", "TRUCK_40T"), ("PARIS", "TRUCK_40T"), ("MILANO", "TRUCK_40T"),
    ("KAUNAS", "TRUCK_40T"), ("BRATISLAVA", "VAN_3_5T"),
]

# Slower legs on longer roads keep every truck busy longer: the week needs more of them.
ROAD_FLEET = [
    ("WARSZAWA", "TRUCK_40T"), ("POZNAN", "TRUCK_40T"), ("WROCLAW", "TRUCK_40T"), ("KATOWICE", "TRUCK_40T"),
    ("LODZ", "TRUCK_18T"), ("GDANSK", "TRUCK_40T"), ("BERLIN", "TRUCK_40T"), ("LEIPZIG", "TRUCK_18T"),
    ("PRAHA", "TRUCK_40T"), ("KRAKOW", "TRUCK_40T"),
]

# A driver may drive about 9 of 24 hours: with the driving and rest times the week needs more
# trucks again.
RULES_FLEET = [
    ("WARSZAWA", "TRUCK_40T"), ("POZNAN", "TRUCK_40T"), ("WROCLAW", "TRUCK_40T"), ("KATOWICE", "TRUCK_40T"),
    ("LODZ", "TRUCK_40T"), ("GDANSK", "TRUCK_18T"), ("KRAKOW", "TRUCK_40T"), ("POZNAN", "TRUCK_18T"),
    ("BERLIN", "TRUCK_40T"), ("LEIPZIG", "TRUCK_40T"), ("DRESDEN", "TRUCK_18T"), ("PRAHA", "TRUCK_40T"),
    ("OSTRAVA", "TRUCK_40T"), ("WIEN", "TRUCK_18T"), ("HAMBURG", "TRUCK_40T"), ("MUENCHEN", "TRUCK_40T"),
]
# Each delivery window's full part ends 20 hours later than a straight drive with its breaks and
# rests needs, so that a driver who rests on the way or serves another order first still
# meets it.
RULES_SLACK_MINUTES = 1200

CLIENTS = [
    ("POLMLEK", "strategic"), ("ORLEN_LOGISTYKA", "strategic"), ("BOSCH_RETAIL", "strategic"),
    ("IKEA_SUPPLY", "strategic"), ("MAKRO_CASH", "strategic"), ("VOLVO_PARTS", "strategic"),
    ("AMBER_FOODS", "regular"), ("BALTIC_WOOD", "regular"), ("CERAMIKA_NOVA", "regular"),
    ("DUNA_STEEL", "regular"), ("ELBE_CHEMIE", "regular"), ("FLANDERS_FRESH", "regular"),
    ("GALICJA_FURNITURE", "regular"), ("HANSA_PAPER", "regular"), ("ISTRIA_WINE", "occasional"),
    ("JURA_TEXTIL", "regular"), ("KARPATY_GLASS", "regular"), ("LOMBARD_PLAST", "regular"),
    ("MORAVIA_AGRO", "occasional"), ("NORDIC_TIMBER", "regular"), ("ODRA_CEMENT", "regular"),
    ("PANNONIA_PHARMA", "regular"), ("RHEIN_AUTOTEILE", "regular"), ("RHONE_COSMETIQUE", "occasional"),
    ("TATRA_MACHINES", "regular"), ("UTRECHT_FLOWERS", "occasional"), ("VISTULA_ELECTRONICS", "regular"),
    ("WEICHSEL_DRINKS", "regular"), ("ZEELAND_FISH", "occasional"), ("CATALAN_TILES", "occasional"),
]


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def distance(a, b):
    """Kilometres exactly as the planner computes them (latitude and longitude legs)."""
    def wrap(d):
        if d < -180.0:
            d += 360.0
        if d > 180.0:
            d -= 360.0
        return d
    dlon = wrap(f32(a[2]) - f32(b[2])) * 3.1415926535 / 180.0
    dlat = wrap(f32(a[1]) - f32(b[1])) * 3.1415926535 / 180.0
    c = math.cos(dlon) * math.cos(dlat)
    return f32(2.0 * 6378.0 * math.asin(math.sqrt((1.0 - c) / 2.0)))


def road_km(a, b):
    """Road kilometres as the planner computes them without a distances file."""
    return f32(distance(a, b) * DETOUR_FACTOR)


def travel_minutes(km):
    return int(km / (AVERAGE_SPEED / 60.0))


def legal_minutes(drive):
    """At most the minutes a rested driver needs for `drive` minutes of driving under the EU
    driving and rest times: a 45-minute break after each 4 h 30 and an 11-hour rest after each
    9 hours of driving."""
    if drive <= 0:
        return drive
    return drive + 45 * ((drive - 1) // 270) + 660 * ((drive - 1) // 540)


def stamp(minutes):
    return (FIRST_DAY + datetime.timedelta(minutes=minutes)).strftime("%Y-%m-%d %H:%M")


def window(start, full_end, end):
    return f"{stamp(start)} {stamp(full_end)} {stamp(end)}"


def write(folder, name, header, lines):
    with open(os.path.join(folder, name), "w", encoding="ascii", newline="\n") as out:
        for h in header:
            out.write(f"# {h}\n")
        for line in lines:
            out.write(line + "\n")


def places_by_name():
    places = {}
    for region, (country, _, _, members) in REGIONS.items():
        for name, lat, lon in members:
            places[name] = (name, lat, lon, country, region)
    return places


def draw_goods(cargo_rng, number):
    if number == OVERSIZED_ORDER:
        return "1 " + OVERSIZED_GOODS
    kind = cargo_rng.choice(GOODS_KINDS)
    entries = [f"{a} {cargo_rng.randint(low, high)}" for a, low, high in kind]
    return f"{len(kind)} " + " ".join(entries)


def make_orders(rng, cargo_rng, places):
    names = sorted(places)
    # The fleet is Polish: most loads start or end in Poland or its neighbours.
    home = [n for n in names if places[n][3] in ("POLAND", "GERMANY", "CZECHIA")]
    clients = [c for c, _ in CLIENTS]
    orders = []
    while len(orders) < ORDER_COUNT:
        pickup = rng.choice(home if rng.random() < 0.7 else names)
        delivery = rng.choice(names)
        if pickup == delivery or not 120.0 <= distance(places[pickup], places[delivery]) <= 1300.0:
            continue
        km = road_km(places[pickup], places[delivery])
        drive = travel_minutes(km)
        day = rng.randrange(4)
        pickup_start = day * 1440 + rng.randrange(6 * 60, 16 * 60, 30)
        pickup_full = pickup_start + rng.choice((180, 240, 300, 360))
        pickup_end = pickup_full + 120
        # Driving straight from a pickup at its full end, with the slowest travel time and
        # the breaks and rests the driver needs on the way, still arrives within the delivery
        # window's full part.
        slowest = legal_minutes(int(drive * (1.0 + FUZZINESS)) + 1)
        delivery_start = (pickup_start + drive + PICKUP_MINUTES) // 30 * 30
        delivery_full = pickup_full + PICKUP_MINUTES + slowest + rng.choice((120, 240, 360, 480)) + RULES_SLACK_MINUTES
        delivery_full = (delivery_full + 29) // 30 * 30
        delivery_end = delivery_full + 180
        a, b = COUNTRIES[places[pickup][3]], COUNTRIES[places[delivery][3]]
        per_km = (a[1] + b[1]) / 2
        per_day = (a[0] + b[0]) / 2
        trip_cost = km * per_km + (drive + PICKUP_MINUTES + UNLOAD_MINUTES) / 1440 * per_day
        price = round((2.0 + rng.random()) * trip_cost + 150, -1)
        # The goods of the first version of this week: drawn and dropped, so that the
        # draws of the later orders stay those of the same seed.
        for a in rng.sample([a for a, _ in ARTICLE_TYPES], rng.choice((1, 1, 2))):
            rng.randrange(1, 34) if a.startswith("PALLET") else rng.randrange(5, 120)
        goods = draw_goods(cargo_rng, len(orders) + 1)
        name = f"O{len(orders) + 1:03d}"
        orders.append(f"{name} {rng.choice(clients)} {price:.2f} {pickup} {delivery} \\\n"
                      f"    {window(pickup_start, pickup_full, pickup_end)}   "
                      f"{window(delivery_start, delivery_full, delivery_end)}   GOODS {goods}")
    return orders


def quantity_list(name, pairs):
    return f"{name} {len(pairs)} " + " ".join(f"{k} {q}" for k, q in pairs)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "examples", "europe")
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(SEED)
    places = places_by_name()
    banner = "Generated by tools/make_europe_example.py; edit the script, not this file."

    write(folder, "countries.txt", [banner, "name  cost-per-day  cost-per-km  third-figure"],
          [f"{n} {d:.2f} {k:.2f} {t:.2f}" for n, (d, k, t) in COUNTRIES.items()])
    write(folder, "regions.txt", [banner, "name  representing-place  country  average-waiting-minutes  average-profit"],
          [f"{r} {m[0][0]} {c} {w} {p}" for r, (c, w, p, m) in REGIONS.items()])
    write(folder, "places.txt", [banner, "name  latitude  longitude  country  region"],
          [f"{n} {lat:.4f} {lon:.4f} {c} {r}" for n, lat, lon, c, r in places.values()])
    write(folder, "article_types.txt", [banner, "name  pair-count  key quantity ..."],
          [quantity_list(n, pairs) for n, pairs in ARTICLE_TYPES])
    write(folder, "vehicle_types.txt", [banner, "name  list-count  then per list: name pair-count key quantity ..."],
          [f"{t} {len(lists)} " + " ".join(quantity_list(n, p) for n, p in lists)
           for t, (_, lists) in VEHICLE_TYPES.items()])
    vehicles, positions = [], []
    # The trucks added for the roads and for the driving times draw from generators of their
    # own, so that the orders stay those of the same seed.
    fleet_rng = random.Random(SEED + 2)
    rules_rng = random.Random(SEED + 3)
    for i, (start, vtype) in enumerate(FLEET + ROAD_FLEET + RULES_FLEET):
        draw = rng if i < len(FLEET) else (fleet_rng if i < len(FLEET) + len(ROAD_FLEET) else rules_rng)
        low, high = VEHICLE_TYPES[vtype][0]
        name = f"{start[:3]}-{i + 1:02d}"
        vehicles.append(f"{name} {vtype} {draw.randrange(low, high, 50)}")
        likely = draw.randrange(0, 2) * 1440 + draw.randrange(5 * 60, 10 * 60, 15)
        spread = draw.choice((30, 60, 90))
        positions.append(f"{name} {stamp(likely - spread)} {stamp(likely)} {stamp(likely + spread)} {start}")
    write(folder, "vehicles.txt", [banner, "name  vehicle-type  mass-kg"], vehicles)
    write(folder, "vehicle_positions.txt", [banner, "vehicle  start: earliest likely latest  start-place"], positions)
    write(folder, "clients.txt", [banner, "name  kind (a kind beginning with s marks a priority client)"],
          [f"{n} {k}" for n, k in CLIENTS])
    write(folder, "orders.txt",
          [banner, "name client price pickup-place delivery-place \\",
           "    pickup-window (start full-end end)  delivery-window  goods-list"],
          make_orders(rng, random.Random(SEED + 1), places))
    with open(os.path.join(folder, "europe.cfg"), "w", encoding="ascii", newline="\n") as cfg:
        cfg.write(f"# {banner}\n# A week of freight across {len(COUNTRIES)} countries for a fleet based in Poland.\n")
        cfg.write("[params]\n" + "".join(f"{key}={value}\n" for key, value in PARAMS) + "\n[files]\n")
        for key, name in (("vehicleTypes", "vehicle_types.txt"), ("vehicles", "vehicles.txt"),
                          ("clients", "clients.txt"), ("countries", "countries.txt"), ("regions", "regions.txt"),
                          ("places", "places.txt"), ("orders", "orders.txt"), ("articleTypes", "article_types.txt"),
                          ("vehiclesPositions", "vehicle_positions.txt")):
            cfg.write(f"{key}={name}\n")


if __name__ == "__main__":
    main()
