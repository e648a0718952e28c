#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (tests/fuzz/corpus/TARGET/): a few
small files of each kind, sane and slightly damaged, as the readers meet
them. Run from anywhere; the files are committed."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CUT = b"\n----\n"


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def record(size, fields):
    r = bytearray(size)
    for offset, kind, value in fields:
        if kind == "i":
            r[offset:offset + 4] = struct.pack("<i", value)
        elif kind == "d":
            r[offset:offset + 8] = struct.pack("<d", value)
        elif kind == "b":
            r[offset] = value
        else:
            r[offset:offset + len(value)] = value
    return bytes(r)


def dbd(size, records, count=None, header_size=None):
    header = bytearray(56)
    header[16:20] = struct.pack("<i", len(records) if count is None else count)
    header[20:24] = struct.pack("<i", size if header_size is None else header_size)
    return bytes(header) + b"".join(records)


def database():
    waypoints = [record(105, [(0, "i", 1), (4, "t", b"WPK1"), (14, "t", b"ABBEY"), (40, "t", b"LF"),
                              (51, "i", 3), (55, "d", 176400.0), (63, "d", 8400.0)]),
                 record(105, [(0, "i", 2), (4, "t", b"WPK2"), (14, "t", b"HIDDEN"), (46, "b", 1),
                              (55, "d", 177000.0), (63, "d", 1295000.0)])]
    airports = [record(260, [(0, "i", 1), (4, "t", b"APT1"), (18, "t", b"LFPG"), (23, "t", b"Roissy \xe9"),
                             (63, "t", b"LF"), (93, "d", 176400.0), (101, "d", 9000.0), (109, "i", 392),
                             (174, "i", 390)])]
    ils = [record(130, [(0, "i", 1), (4, "t", b"ILS1"), (14, "t", b"APT1"), (24, "t", b"09L"), (28, "t", b"IGG"),
                        (34, "t", b"Roissy loc"), (74, "i", 64), (78, "d", 176500.0), (86, "d", 9100.0),
                        (98, "d", 110.1)]),
           record(130, [(0, "i", 2), (74, "i", 512), (78, "d", 176600.0), (86, "d", 9200.0)])]
    navaids = [record(129, [(0, "i", 1), (4, "t", b"NAV1"), (14, "t", b"CGN"), (19, "t", b"Charles"),
                            (59, "d", 115.35), (83, "t", b"LF"), (89, "i", 17), (101, "d", 176450.0),
                            (109, "d", 9050.0), (117, "i", 387)]),
               record(129, [(0, "i", 2), (14, "t", b"BT"), (59, "d", 325.0), (89, "i", 8),
                            (101, "d", 181800.0), (109, "d", 5400.0)])]
    runways = [record(271, [(14, "t", b"APT1"), (24, "i", 4215), (59, "t", b"09L"), (63, "d", 176400.0),
                            (71, "d", 8900.0), (155, "t", b"27R"), (159, "d", 176420.0), (167, "d", 9300.0)])]
    files = [dbd(105, waypoints), dbd(260, airports), dbd(130, ils), dbd(129, navaids), dbd(271, runways)]
    put("database", "sane", CUT.join(files))
    put("database", "short-records", CUT.join([dbd(80, [w[:80] for w in waypoints])] + files[1:]))
    put("database", "long-records", CUT.join(files[:3] + [dbd(140, [n + b"\0" * 11 for n in navaids])] + files[4:]))
    put("database", "truncated", CUT.join(files[:4] + [files[4][:200]]))
    put("database", "far-count", CUT.join([dbd(105, waypoints, count=1 << 30)] + files[1:]))


def outline():
    pairs = [(8400.0, 176400.0), (9000.0, 177000.0), (0.0, 0.0), (647640.0, 10.0), (-647640.0, 20.0),
             (-600000.0, -300000.0), (0.0, 0.0), (1.0, 0.0)]
    data = b"".join(struct.pack("<ff", lon, lat) for lon, lat in pairs)
    put("outline", "polylines", data)
    put("outline", "odd-tail", data + b"\x01\x02\x03")


def tag_list():
    lines = []
    fixed = {12: b"<altd>", 29: b"<dbky>", 39: b"<endo>", 73: b"<indx>", 77: b"<llps>", 89: b"<name>",
             114: b"<sped>", 142: b"<type>", 150: b"<warp>", 157: b"<wpnt>"}
    for i in range(158):
        lines.append(fixed.get(i, b"<t%d>" % i))
    put("tag_list", "crlf", b"\r\n".join(lines) + b"\r\n")
    put("tag_list", "mixed-breaks", b"\n".join(lines[:80]) + b"\r" + b"\r".join(lines[80:]))
    put("tag_list", "short", b"\n".join(lines[:100]))
    return lines


def sit(tags):
    def block(depth, row):
        t = b"\t" * depth
        return [t + b"<wpnt>", t + row[b"type"], t + b"<t16>", t + b"\t<name>", t + b"\t" + row[b"name"],
                t + b"\t<llps>", t + b"\t" + row[b"llps"], t + b"\t<dbky>", t + b"\t" + row[b"dbky"],
                t + b"\t<type>", t + b"\t" + row[b"type"], t + b"\t<altd>", t + b"\t" + row[b"alt"],
                t + b"\t<sped>", t + b"\t-1", t + b"\t<t111>", t + b"\t<warp>", t + b"\t0", t + b"<endo>"]
    rows = [{b"type": b"sarw", b"name": b"Roissy", b"llps": b"176400.000000,9000.000000,392.000000,",
             b"dbky": b"APT1", b"alt": b"-99999."},
            {b"type": b"usrw", b"name": b"WPT0001", b"llps": b"177000.000000,8400.000000,0.000000,0.0",
             b"dbky": b"", b"alt": b"0.000000"}]
    lines = [b"<t16>", b"\t<t146>", b"\t100"]
    for r in rows:
        lines += block(3, r)
    lines += [b"\t\t\t<indx>", b"\t\t\t0", b"\t\t<endo>", b"\t<endo>", b"<endo>"]
    put("sit", "two-waypoints", b"\r\n".join(lines) + b"\r\n")
    put("sit", "no-index", b"\n".join(lines[:-5]))
    put("sit", "tags-inline", b"<wpnt>\nx\n<name><llps>\n1,2,3,4,5\n<dbky>\n<type>\n<altd>\n<sped>\n<warp>\n0<endo>\n<indx>")


AIRPORTS = (b'"id","ident","type","name","latitude_deg","longitude_deg","elevation_ft","iso_country","gps_code",'
            b'"icao_code"\n'
            b'4185,"LFPG","large_airport","A\xc3\xa9roport Paris-Charles de Gaulle",49.0,2.55,392,"FR","LFPG","LFPG"\n'
            b'50,"FR-0001","heliport","H\xc3\xa9liport",48.75,2.25,100,"FR","LF99",\n'
            b'70,"K12A","small_airport","Line ""one""\r\ntwo",30.25,-90.5,12,"US","K12A",\n')
RUNWAYS = (b'"id","airport_ref","airport_ident","length_ft","closed","le_ident","le_latitude_deg","le_longitude_deg",'
           b'"he_ident","he_latitude_deg","he_longitude_deg"\n'
           b'1001,4185,"LFPG",13829,0,"09L",49,2.25,"27R",49,2.75\n'
           b'1005,,"K12A",,0,"04",30.2,-90.5,"22",30.3,-90.4\n')
NAVAIDS = (b'"id","ident","name","type","frequency_khz","latitude_deg","longitude_deg","elevation_ft","iso_country"\n'
           b'85001,"CGN","Charles-de-Gaulle","VOR-DME",115350,49,2.5,387,"FR"\n'
           b'85002,"BT","Boulogne","NDB",325,50.5,1.5,20,"FR"\n')


def csv():
    put("csv", "airports", AIRPORTS)
    put("csv", "broken-quote", b'"a","b"\n"1,2\n3,"x"y\n')


def ourairports():
    put("ourairports", "three-files", CUT.join([AIRPORTS, RUNWAYS, NAVAIDS]))
    put("ourairports", "airports-only", AIRPORTS)


def topojson():
    put("topojson", "quantized",
        b'{"type":"Topology","transform":{"scale":[0.001,0.001],"translate":[-180,-90]},'
        b'"arcs":[[[180000,135000],[100,50],[-20,10]],[[359000,90000],[2000,0]]]}')
    put("topojson", "plain", b'{"type":"Topology","arcs":[[[2.5,49.0],[2.6,49.1]],[[179.9,0],[-179.9,0]]]}')


def airports_json():
    put("airports_json", "list",
        b'[{"id":"1","ident":"LFPO","gps_code":"LFPO","name":"Orly","latitude_deg":"48.7","longitude_deg":"2.4",'
        b'"elevation_ft":"291","iso_country":"FR"},'
        b'{"id":2,"ident":"EGLL","name":"Heathrow","latitude_deg":51.47,"longitude_deg":-0.46,"elevation_ft":83}]')


def nav_ini():
    put("nav_ini", "saved",
        b"[View]\r\nidealDist=139\r\nshowGrid=1\r\nshowMaps=1\r\nplanning=1\r\nvor=1\r\nils=0\r\nndb=1\r\n"
        b"airport=1\r\nmarker=0\r\nobstruct=0\r\nwaypoint=1\r\nhiway=0\r\nloway=0\r\nidway=0\r\nid=1\r\nname=1\r\n"
        b"freq=0\r\nshowAirportZones=0\r\nlargeSymbols=1\r\nleft=-2000,5\r\nright=20000\r\ntop=180000\r\n"
        b"bottom=170000\r\nmag=7\r\nmag2=3\r\n")
    put("nav_ini", "odd", b"\xef\xbb\xbf; comment\n[Other]\nvor=0\n[view]\n  VOR = 0x1 \nmag=$9\nleft=1e308\n")


def recovery():
    row = b"row\tA\xe9roport\t176446.070000\t9180.000000" + b"\t" * 12
    put("recovery", "two-rows",
        b"plandevol plan non enregistre 1\ncurrent\t0\nrouteShown\t1\nsaveEnabled\t1\n"
        b"userPointCounter\t3\n" + row + b"\nrow" + b"\t" * 14 + b"\nfin\n")
    put("recovery", "crlf-bom",
        b"\xef\xbb\xbfplandevol plan non enregistre 1\r\ncurrent\t0\r\nrouteShown\t0\r\nsaveEnabled\t0\r\n"
        b"userPointCounter\t2147483647\r\nrow\t\\t\\r\\n" + b"\t" * 14 + b"\r\nfin\r\n")


def route_file():
    fixtures = os.path.join(HERE, "..", "exchange", "fixtures")
    for name in ("lfpn-lfot.gpx", "lfpn-lfot.fms", "lfpn-lfot.pln"):
        with open(os.path.join(fixtures, name), "rb") as f:
            put("route_file", name, f.read())
    put("route_file", "route.fpl",
        b'<?xml version="1.0" encoding="utf-8"?>\n<flight-plan xmlns="http://www8.garmin.com/xmlschemas/FlightPlan/v1">\n'
        b"<waypoint-table><waypoint><identifier>LFPN</identifier><type>AIRPORT</type><country-code>LF</country-code>"
        b"<lat>48.7519</lat><lon>2.1062</lon><comment>TOUSSUS</comment></waypoint>\n<waypoint><identifier>MAISON</identifier>"
        b"<type>USER WAYPOINT</type><country-code/><lat>48.1</lat><lon>-1.5</lon><comment/></waypoint></waypoint-table>\n"
        b"<route><route-name>LFPN MAISON</route-name><flight-plan-index>1</flight-plan-index>\n"
        b"<route-point><waypoint-identifier>LFPN</waypoint-identifier><waypoint-type>AIRPORT</waypoint-type>"
        b"<waypoint-country-code>LF</waypoint-country-code></route-point>\n<route-point><waypoint-identifier>MAISON"
        b"</waypoint-identifier><waypoint-type>USER WAYPOINT</waypoint-type><waypoint-country-code/></route-point>"
        b"</route></flight-plan>\n")
    put("route_file", "route.kml",
        b'<?xml version="1.0" encoding="UTF-8"?>\n<kml xmlns="http://www.opengis.net/kml/2.2"><Document><name>r</name>\n'
        b"<Placemark><name>r</name><LineString><coordinates>2.1062,48.7519,0 1.9942,48.6539,1066.8</coordinates>"
        b"</LineString></Placemark>\n<Folder><Placemark><name>RBT</name><ExtendedData><Data name=\"type\"><value>VOR"
        b"</value></Data></ExtendedData><Point><altitudeMode>absolute</altitudeMode><coordinates>1.9942,48.6539,1066.8"
        b"</coordinates></Point></Placemark></Folder></Document></kml>\n")
    put("route_file", "track.gpx",
        b'<gpx version="1.1" creator="x"><trk><name>t</name><trkseg><trkpt lat="48.1" lon="2.2"/>'
        b'<trkpt lat="48.2" lon="179.99999999"/></trkseg></trk><wpt lat="1" lon="2"><name>W</name></wpt></gpx>')


database()
outline()
sit(tag_list())
csv()
ourairports()
topojson()
airports_json()
nav_ini()
recovery()
route_file()
