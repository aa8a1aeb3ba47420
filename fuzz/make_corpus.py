#!/usr/bin/env python3
"""Writes the seed corpus of the SMF reader's fuzz target into tests/data/midi/fuzz-corpus.

Files named bad-* must be refused by the reader, damaged-* read up to their damage, ok-* read
whole; the test suite replays them all. Run it again after adding a case; the files are committed.
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "midi", "fuzz-corpus")
END = b"\x00\xff\x2f\x00"


def chunk(cid, body):
    return cid + struct.pack(">I", len(body)) + body


def header(fmt, tracks, division):
    return chunk(b"MThd", struct.pack(">HHH", fmt, tracks, division))


def smf(fmt, division, *tracks):
    return header(fmt, len(tracks), division) + b"".join(chunk(b"MTrk", t) for t in tracks)


def riff(inner):
    body = b"RMID" + b"data" + struct.pack("<I", len(inner)) + inner
    return b"RIFF" + struct.pack("<I", len(body)) + body


NOTES = b"\x00\x90\x3c\x40\x60\x3e\x40\x60\x80\x3c\x00"
TEMPO = b"\x00\xff\x51\x03\x07\xa1\x20"

CASES = {
    # refused
    "bad-not-midi.txt": b"This is not a MIDI file at all.\n",
    "bad-empty.mid": b"",
    "bad-truncated-header.mid": b"MThd\x00\x00\x00\x06\x00\x01",
    "bad-header-too-short.mid": chunk(b"MThd", b"\x00\x00"),
    "damaged-truncated-track-chunk.mid": header(0, 1, 96) + b"MTrk\x00\x00\x00\x10" + NOTES[:5],
    "damaged-track-length-past-eof.mid": header(0, 1, 96) + b"MTrk\x7f\xff\xff\xff" + NOTES + END,
    "damaged-65535-tracks.mid": header(1, 65535, 96) + chunk(b"MTrk", NOTES + END),
    "bad-division-zero.mid": smf(0, 0, NOTES + END),
    "bad-format-7.mid": smf(7, 96, NOTES + END),
    "damaged-running-status-first.mid": smf(0, 96, b"\x00\x3c\x40" + END),
    "damaged-unterminated-sysex.mid": smf(0, 96, b"\x00\xf0\x7f\x01\x02\x03"),
    "damaged-sysex-length-past-chunk.mid": smf(0, 96, b"\x00\xf0\x81\x00\x01" + END),
    "damaged-meta-length-past-chunk.mid": smf(0, 96, b"\x00\xff\x01\x8f\xff\xff\x7f" + b"abc"),
    "damaged-meta-without-length.mid": smf(0, 96, b"\x00\xff\x03"),
    "damaged-delta-five-bytes.mid": smf(0, 96, b"\x81\x82\x83\x84\x05\x90\x3c\x40" + END),
    "damaged-event-cut-off.mid": smf(0, 96, b"\x00\x90\x3c"),
    "damaged-system-status.mid": smf(0, 96, b"\x00\xf2\x00\x00" + END),
    "bad-smpte-frame-rate.mid": smf(0, 0xE50A, NOTES + END),
    "bad-smpte-zero-ticks.mid": smf(0, 0xE200, NOTES + END),
    "bad-riff-without-data.mid": b"RIFF\x04\x00\x00\x00RMID",
    "bad-riff-data-past-eof.mid": b"RIFF\x10\x00\x00\x00RMIDdata\xff\x00\x00\x00MThd",
    "damaged-second-track-missing.mid": header(1, 2, 96) + chunk(b"MTrk", NOTES + END),
    # read
    "ok-format0.mid": smf(0, 96, TEMPO + NOTES + END),
    "ok-format1.mid": smf(1, 480, TEMPO + END, NOTES + END, b"\x00\xc1\x0a\x10\x91\x40\x7f" + END),
    "ok-format2.mid": smf(2, 120, NOTES + END, NOTES + END),
    "ok-running-status-and-sysex.mid": smf(0, 96, b"\x00\x90\x3c\x40\x10\x3e\x40\x05\xf0\x03\x7e\x01\xf7\x05\x40\x40" + END),
    "ok-no-end-of-track.mid": smf(0, 96, NOTES),
    "ok-unknown-chunk.mid": header(0, 1, 96) + chunk(b"XFIH", b"\x01\x02\x03\x04") + chunk(b"MTrk", NOTES + END),
    "ok-riff.rmi": riff(smf(0, 96, NOTES + END)),
    "ok-smpte-25fps.mid": smf(0, 0xE728, TEMPO + NOTES + END),
    "ok-smpte-2997fps.mid": smf(0, 0xE350, NOTES + END),
    "ok-trailing-garbage.mid": smf(0, 96, NOTES + END) + b"\x00\x00\x00",
    "ok-long-delta.mid": smf(0, 96, b"\xff\xff\xff\x7f\x90\x3c\x40" + END),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, data in CASES.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    print(f"{len(CASES)} files in {os.path.normpath(OUT)}")


if __name__ == "__main__":
    main()
