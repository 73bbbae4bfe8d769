#!/usr/bin/env python3
"""Seeds for the fuzz targets, made from the game's own generated data files.

The data files of a build (build/data) are cut down so that each stays a
valid file of its kind and a few kilobytes small: every picture keeps its
name, graphic class, depth, compression and pattern settings, but shrinks to
a sixteenth of its size; every sound keeps its format and settings but only
its first frames; the music keeps one pattern and two instruments. The tool
ironkeel-dat lists, extracts and packs the files, so the seeds go through the
same writer as the game's data.

usage: fuzz/make-seeds.py BUILD_DIR
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import wave
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SHRINK = 16
SOUND_FRAMES = 64


def write_png(path, width, height, colour_of):
    rows = b"".join(
        b"\0" + b"".join(bytes(colour_of(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows)))
        out.write(chunk(b"IEND", b""))


def listing(tool, data_file):
    out = subprocess.run([tool, "list", data_file], check=True, capture_output=True, text=True).stdout
    return [json.loads(line) for line in out.splitlines()]


def shrunk(value):
    return -(-value // SHRINK) if value > 0 else value


def picture_seed(tool, data_file, out_file, work):
    items = []
    for entry in listing(tool, data_file):
        png = os.path.join(work, "%03d.png" % entry["index"])
        width, height = shrunk(entry["width"]), shrunk(entry["height"])
        # Four colours, magenta among them: fits 8 bits and keys the transparency.
        palette = [(255, 0, 255), (0, 0, 0), (200, 120, 40), (255, 255, 255)]
        write_png(png, width, height, lambda x, y: palette[(x + 2 * y) % 4])
        items.append({
            "name": entry["name"], "file": png, "graphic": entry["graphic"] or "TDIB",
            "bits": entry["bitcount"] or 24, "rle": entry["compression"] == 1,
            "pattern_width": shrunk(entry["pattern_width"]), "pattern_height": shrunk(entry["pattern_height"]),
            "skip_width": shrunk(entry["skip_width"]), "skip_height": shrunk(entry["skip_height"]),
            "system_memory": entry["system_memory"], "transparent": entry["transparent"],
            "transparent_color": entry["transparent_color"],
        })
    pack(tool, {"kind": "pictures", "items": items}, out_file, work)


def wave_seed(tool, data_file, out_file, work):
    subprocess.run([tool, "extract", data_file, work], check=True)
    items = []
    for entry in listing(tool, data_file):
        name = entry["name"]
        stem = "%03d-%s" % (entry["index"], name)
        source = os.path.join(work, stem + ".wav")
        short = os.path.join(work, stem + "-short.wav")
        with wave.open(source, "rb") as full, wave.open(short, "wb") as cut:
            cut.setparams(full.getparams())
            cut.writeframes(full.readframes(SOUND_FRAMES))
        items.append({"name": name, "file": short, "looped": entry["looped"],
                      "max_playing_count": entry["max_playing_count"]})
    pack(tool, {"kind": "waves", "items": items}, out_file, work)
    return [item["file"] for item in items]


def pack(tool, manifest, out_file, work):
    manifest_file = os.path.join(work, "manifest.json")
    with open(manifest_file, "w") as out:
        json.dump(manifest, out)
    subprocess.run([tool, "pack", manifest_file, out_file], check=True)


def module_seed(module_file, out_file):
    """The first pattern and the first two instruments of an XM module."""
    data = open(module_file, "rb").read()
    header_end = 60 + struct.unpack_from("<I", data, 60)[0]
    patterns, instruments = struct.unpack_from("<HH", data, 70)
    position = header_end
    pattern_ends = []
    for _ in range(patterns):
        length = struct.unpack_from("<I", data, position)[0]
        packed = struct.unpack_from("<H", data, position + 7)[0]
        position += length + packed
        pattern_ends.append(position)
    first_pattern = data[header_end:pattern_ends[0]]
    kept_instruments = b""
    for index in range(instruments):
        size = struct.unpack_from("<I", data, position)[0]
        samples = struct.unpack_from("<H", data, position + 27)[0]
        end = position + size
        sample_bytes = 0
        if samples:
            header_size = struct.unpack_from("<I", data, position + 29)[0]
            for s in range(samples):
                sample_bytes += struct.unpack_from("<I", data, end + s * header_size)[0]
            end += samples * header_size + sample_bytes
        if index < 2:
            kept_instruments += data[position:end]
        position = end
    header = bytearray(data[:header_end])
    struct.pack_into("<HHHHH", header, 64, 1, 0, struct.unpack_from("<H", data, 68)[0], 1,
                     min(instruments, 2))
    header[80:80 + 256] = bytes(256)  # the order table: pattern 0 once
    with open(out_file, "wb") as out:
        out.write(bytes(header) + first_pattern + kept_instruments)


def main():
    build = sys.argv[1]
    tool = os.path.join(build, "ironkeel-dat")
    data = os.path.join(build, "data")
    fuzz = os.path.join(ROOT, "fuzz")
    for name in ("general", "series1", "series2", "series3", "series4"):
        with tempfile.TemporaryDirectory() as work:
            picture_seed(tool, os.path.join(data, name + ".dat"),
                         os.path.join(fuzz, "assets", "corpus-pictures", "game-%s.dat" % name), work)
    with tempfile.TemporaryDirectory() as work:
        sounds = wave_seed(tool, os.path.join(data, "waves.dat"),
                           os.path.join(fuzz, "assets", "corpus-waves", "game-waves.dat"), work)
        for sound in sounds:
            with open(sound, "rb") as image, open(os.path.join(
                    fuzz, "assets", "corpus-wave_reader",
                    "game-" + os.path.basename(sound).replace("-short", "")), "wb") as out:
                out.write(image.read())
    os.makedirs(os.path.join(fuzz, "audio", "corpus-module"), exist_ok=True)
    module_seed(os.path.join(data, "music.dat"), os.path.join(fuzz, "audio", "corpus-module", "game-music.xm"))


if __name__ == "__main__":
    main()
