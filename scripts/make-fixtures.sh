#!/usr/bin/env bash
# Regenerates the LZH archives the extraction tests read (tests/fixtures/archives). The archives are
# committed: neither the build nor CI runs this. It needs g++, python3, Java with jlha-utils (a real LZH
# archiver) and lhasa to list what was made.
#
# The members are one race record and one horse record made with the project's record builder. Archives
# a real archiver cannot make (hostile names, an unsupported method, a header that lies about the size)
# are written or patched byte by byte below.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/tests/fixtures/archives"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in g++ python3 jlha lhasa; do
    command -v "$tool" >/dev/null || { echo "make-fixtures: $tool is missing" >&2; exit 1; }
done

# --- Members -----------------------------------------------------------------------------------------
cat >"$work/gen.cpp" <<'CPP'
#include <fstream>
#include <string>

#include "common/Cp932.h"
#include "data/RdxRecordBuilder.h"

using namespace talpo;

static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int main(int, char** argv) {
    const std::string dir = argv[1];
    const char* names[] = {"サクラハナコ", "ミドリノカゼ", "ハヤテボーイ", "シロガネスター", "クロフネマル",
                           "アオゾラキッド", "ユキノヒカリ", "モミジガリ", "ホシノオウジ", "ツキミソウ",
                           "カミナリオー", "ソラノハテ"};
    DenRaceSpec race;
    race.Title = Sj("皐月特別");
    race.WeightRule = Sj("定量");
    for (int i = 0; i < 12; ++i) {
        DenRunnerSpec r;
        r.HorseCode = "00000" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1);
        r.Bracket = std::to_string(i / 2 + 1);
        r.HorseName = Sj(names[i]);
        r.Jockey = Sj(i % 2 ? "岡部" : "武");
        r.Trainer = Sj(i % 3 ? "藤沢" : "伊藤");
        race.Runners.push_back(r);
    }
    Write(dir + "/rdx_den.dat", BuildDenRecord(race));
    Write(dir + "/rdx_uma.dat", BuildUmaRecord(UmaHorseSpec{"0000001", {" 98", "102", "   ", " 87", "110"}}));
}
CPP
g++ -std=c++20 -O1 -I"$root/src" -o "$work/gen" "$work/gen.cpp" "$root/src/data/RdxRecordBuilder.cpp" \
    "$root/src/common/Cp932.cpp" "$root/src/common/TalpoError.cpp"
mkdir -p "$work/m" "$out/members"
"$work/gen" "$work/m"
cp "$work/m/rdx_den.dat" "$work/m/rdx_uma.dat" "$out/members/"

# jlha stores each file's time: fix it so that the archives come out the same on every run.
stamp() { touch -d '1998-05-23 21:00:00' "$@"; }

# --- Archives from the real archiver -------------------------------------------------------------------
# jlha's switches: c = create, digit = header level, o5/o7 = method, z = store, y = Shift-JIS names.
lzh() {  # lzh SWITCHES ARCHIVE FILES... (run inside the folder that holds FILES)
    local sw=$1 name=$2
    shift 2
    rm -f "$work/$name"
    jlha "$sw" "$work/$name" "$@" >/dev/null
}

cd "$work/m"
stamp rdx_den.dat rdx_uma.dat
lzh c1z day_lh0.lzh rdx_den.dat rdx_uma.dat
lzh c1o5 day_lh5.lzh rdx_den.dat rdx_uma.dat
lzh c2o7 day_lh7.lzh rdx_den.dat rdx_uma.dat
lzh c2o5 day_no_uma.lzh rdx_den.dat

mkdir -p "$work/sub/RDX0524" "$work/sub/old"
cp -p rdx_den.dat rdx_uma.dat "$work/sub/RDX0524/"
cp -p rdx_den.dat "$work/sub/old/RDX_DEN.DAT"
stamp "$work/sub/RDX0524" "$work/sub/old"
cd "$work/sub"
lzh c2o5 day_subdir.lzh RDX0524/rdx_den.dat RDX0524/rdx_uma.dat
lzh c2o5 day_twice.lzh RDX0524/rdx_den.dat RDX0524/rdx_uma.dat old/RDX_DEN.DAT

mkdir -p "$work/up"
cp -p "$work/m/rdx_den.dat" "$work/up/RDX_DEN.DAT"
cp -p "$work/m/rdx_uma.dat" "$work/up/RDX_UMA.DAT"
cd "$work/up"
lzh c1o5 day_upper.lzh RDX_DEN.DAT RDX_UMA.DAT

# Shift-JIS names, one of them with 0x5C as its second byte (表), and the members in such a folder.
mkdir -p "$work/sj/表データ"
cp -p "$work/m/rdx_den.dat" "$work/m/rdx_uma.dat" "$work/sj/表データ/"
printf '%s\r\n' 'read me' >"$work/sj/お知らせソフト.txt"
stamp "$work/sj/表データ" "$work/sj/お知らせソフト.txt"
cd "$work/sj"
lzh c1o5y day_sjis.lzh お知らせソフト.txt 表データ/rdx_den.dat 表データ/rdx_uma.dat

# A folder entry named like a wanted member is not the member.
mkdir -p "$work/dir/rdx_uma.dat"
cp -p "$work/m/rdx_den.dat" "$work/dir/"
printf 'x\r\n' >"$work/dir/rdx_uma.dat/note.txt"
stamp "$work/dir/rdx_uma.dat/note.txt" "$work/dir/rdx_uma.dat"
cd "$work/dir"
lzh c2o5 day_dir_entry.lzh rdx_den.dat rdx_uma.dat

# A race-card member of 64 MiB and one byte (zeros pack to about a kilobyte).
mkdir -p "$work/big"
head -c $((64 * 1024 * 1024 + 1)) /dev/zero >"$work/big/rdx_den.dat"
cp -p "$work/m/rdx_uma.dat" "$work/big/"
stamp "$work/big/rdx_den.dat" "$work/big/rdx_uma.dat"
cd "$work/big"
lzh c1o5 day_huge.lzh rdx_den.dat rdx_uma.dat

# --- Archives written or patched byte by byte ---------------------------------------------------------
cd "$work"
python3 - "$work" <<'PY'
import struct, sys

work = sys.argv[1]
den = open(f"{work}/m/rdx_den.dat", "rb").read()
uma = open(f"{work}/m/rdx_uma.dat", "rb").read()

def crc16(data, crc=0):
    # CRC-16 of LHa (polynomial 0xA001 reflected, start 0).
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc

DOS_TIME = 0x24B7A800  # 1998-05-23 21:00:00

def level0(name, data, method=b"-lh0-", packed=None, orig=None):
    """A level-0 header: the oldest form, name bytes taken as they are."""
    packed = data if packed is None else packed
    orig = len(data) if orig is None else orig
    body = method + struct.pack("<IIIBB", len(packed), orig, DOS_TIME, 0x20, 0)
    body += bytes([len(name)]) + name + struct.pack("<H", crc16(data))
    return bytes([len(body), sum(body) & 0xFF]) + body + packed

def write(name, members):
    open(f"{work}/{name}", "wb").write(b"".join(members) + b"\0")

# Names that try to leave the folder: "..", absolute, DOS separators. The wanted members among them
# are still the day's two files; the others must not land anywhere.
write("day_hostile.lzh", [
    level0(b"../x.dat", b"outside\r\n"),
    level0(b"/tmp/talpo-hostile-abs.dat", b"absolute\r\n"),
    level0(b"..\\..\\x2.dat", b"dos\r\n"),
    level0(b"../../rdx_den.dat", den),
    level0(b"/tmp/talpo-hostile/rdx_uma.dat", uma),
])

# A method the reader knows but cannot unpack.
write("day_lh1.lzh", [level0(b"rdx_den.dat", den, method=b"-lh1-", packed=den[:600]),
                      level0(b"rdx_uma.dat", uma)])

def members(buf):
    """(offset, header length, level) of each member of an archive jlha wrote."""
    pos = 0
    while pos < len(buf) and buf[pos] != 0:
        level = buf[pos + 20]
        if level == 2:
            hlen = struct.unpack_from("<H", buf, pos)[0]
            packed = struct.unpack_from("<I", buf, pos + 7)[0]
            yield pos, hlen, level
            pos += hlen + packed
        elif level == 1:
            hlen = buf[pos] + 2
            skip = struct.unpack_from("<I", buf, pos + 7)[0]  # extended headers and data
            yield pos, hlen, level
            pos += hlen + skip
        else:
            raise SystemExit("unexpected header level %d" % level)

def ext_headers(buf, pos, hlen, level):
    """Offsets and sizes of the extended headers of a member."""
    if level == 2:
        p, end = pos + 26, pos + hlen
        size = struct.unpack_from("<H", buf, pos + 24)[0]
    else:
        p, end = pos + hlen, None
        size = struct.unpack_from("<H", buf, pos + hlen - 2)[0]
    while size:
        yield p, size
        p += size
        size = struct.unpack_from("<H", buf, p - 2)[0]

def data_start(buf, pos, hlen, level):
    if level == 2:
        return pos + hlen
    return pos + hlen + sum(s for _, s in ext_headers(buf, pos, hlen, level))

def fix_header(buf, pos, hlen, level):
    """Makes the header's checksum and CRC agree with its bytes again."""
    if level == 1:
        buf[pos + 1] = sum(buf[pos + 2:pos + hlen]) & 0xFF
    for p, size in ext_headers(buf, pos, hlen, level):
        if buf[p] == 0x00:  # common header: CRC-16 of the whole header with this field zero
            buf[p + 1:p + 3] = b"\0\0"
            end = pos + hlen if level == 2 else data_start(buf, pos, hlen, level)
            struct.pack_into("<H", buf, p + 1, crc16(buf[pos:end]))

# Bad data CRC: one byte of the first member's packed data changed. The packed stream still decodes;
# only the check at its end fails.
lh0 = bytearray(open(f"{work}/day_lh0.lzh", "rb").read())
pos, hlen, level = next(members(lh0))
lh0[data_start(lh0, pos, hlen, level) + 100] ^= 0x01
open(f"{work}/day_badcrc.lzh", "wb").write(lh0)

lh5 = bytearray(open(f"{work}/day_lh5.lzh", "rb").read())
pos, hlen, level = next(members(lh5))
start = data_start(lh5, pos, hlen, level)
packed = struct.unpack_from("<I", lh5, pos + 7)[0] - (start - pos - hlen)
lh5[start + packed // 2] ^= 0x10
open(f"{work}/day_baddata.lzh", "wb").write(lh5)

# Truncated inside the second member's packed data.
lh7 = open(f"{work}/day_lh7.lzh", "rb").read()
second = list(members(lh7))[1]
open(f"{work}/day_truncated.lzh", "wb").write(lh7[:second[0] + second[1] + 5])

# A header that says 1537 bytes in front of a member of 64 MiB and one byte: the reader does not hold
# the data to the header's size, so the extractor must count.
huge = bytearray(open(f"{work}/day_huge.lzh", "rb").read())
pos, hlen, level = next(members(huge))
struct.pack_into("<I", huge, pos + 11, len(den))
fix_header(huge, pos, hlen, level)
open(f"{work}/day_huge_lying.lzh", "wb").write(huge)
PY

# --- Check and copy ------------------------------------------------------------------------------------
for a in "$work"/*.lzh; do
    [ -e "$a" ] || continue
    echo "== $(basename "$a")"
    lhasa v "$a" 2>&1 | sed -n '3,/^----/p' | grep -v '^----' || true
    cp "$a" "$out/"
done
