#!/usr/bin/env python3
"""Measures an arranged song against the file it came from, reading both through midicsv and
knowing nothing of how the arrangement was made. Prints JSON.

The melody is the top voice of the melody track: at each onset of that track, its highest note.
The melody track is the one, drums aside (every note on channel 10), whose top voice has the most
onsets; of equal ones the higher mean key. A melody onset is kept when the song has a note of the
same pitch class at the same time (within a pixel of the song's canvas; after the song's one
transposition, the shift that keeps most), and on top when that note is the highest one there. The bass: at each bar's first beat where the
file strikes a note below the melody (the melody note struck last), the song must strike the lowest
such note's pitch class below its own note at that melody onset.

Usage: arrange_probe.py ORIGINAL.mid SONG.mid BOXES.json [MAX_CHORD]
BOXES.json is what `zembra boxes --json` prints."""

import json
import re
import subprocess
import sys
from collections import defaultdict

DRUM_CHANNEL = 9  # midicsv counts channels from 0


def read(path):
    rows = subprocess.run(["midicsv", path], check=True, capture_output=True, text=True).stdout.splitlines()
    division = 480
    beats = 4
    texts = []
    notes = []  # (tick, key, track, channel)
    for row in rows:
        cells = [c.strip() for c in row.split(",", 3)]
        if len(cells) < 3:
            continue
        track, tick, kind = int(cells[0]), int(cells[1]), cells[2]
        if kind == "Header":
            division = int(cells[3].split(",")[2])
        elif kind == "Time_signature":
            beats = int(cells[3].split(",")[0])
        elif kind in ("Text_t", "Title_t") and len(cells) > 3:
            texts.append(cells[3])
        elif kind == "Note_on_c":
            channel, key, velocity = (int(v) for v in cells[3].split(","))
            if velocity > 0:
                notes.append((tick, key, track, channel))
    return division, beats, " ".join(texts), sorted(notes)


def tag(text, name):
    match = re.search("<%s>([^<]*)</%s>" % (name, name), text)
    return match.group(1) if match else None


def melody_of(notes):
    by_track = defaultdict(list)
    for note in notes:
        by_track[note[2]].append(note)
    best = None
    for track, own in by_track.items():
        if all(n[3] == DRUM_CHANNEL for n in own):
            continue
        top = {}
        for tick, key, _, _ in own:
            top[tick] = max(top.get(tick, -1), key)
        score = (len(top), sum(top.values()) / len(top))
        if best is None or score > best[0]:
            best = (score, track, top)
    if best is None:
        return None, []
    return best[1], sorted(best[2].items())


def main(original_path, song_path, boxes_path, max_chord=4):
    division, beats, _, original = read(original_path)
    out_division, out_beats, text, song = read(song_path)
    original = [n for n in original if n[3] != DRUM_CHANNEL]
    box_id = tag(text, "BX") or "33"
    bar_mm = float(tag(text, "LP") or 0)
    # The same time: within one pixel of the song's canvas, the grid its notes were placed on.
    tolerance_quarters = 1.0 / int(tag(text, "HP") or 24) + 1e-9
    boxes = {b["id"]: b for b in json.load(open(boxes_path))}
    box = boxes[box_id]
    rows = set(box["notes"])
    repeat_mm = box["shortestRepeatMm"]

    groups = defaultdict(list)  # the song's onsets: tick -> keys
    for tick, key, _, _ in song:
        groups[tick].append(key)
    song_ticks = sorted(groups)

    def song_groups_near(original_tick):
        """The song's onsets within a pixel of the original's: the canvas's grid moves a note by
        less than that, one way or the other."""
        quarters = original_tick / division
        return [tick for tick in song_ticks if abs(tick / out_division - quarters) <= tolerance_quarters]

    track, melody = melody_of(original)
    near_song = {tick: song_groups_near(tick) for tick in {n[0] for n in original}}

    def melody_counts(shift):
        kept = on_top = 0
        for tick, key in melody:
            found = top = False
            for group in (groups[t] for t in near_song[tick]):
                same = [k for k in group if (k - key - shift) % 12 == 0]
                found = found or bool(same)
                top = top or (bool(same) and max(same) == max(group))
            kept += found
            on_top += top
        return kept, on_top

    shift = max(range(-24, 25), key=lambda s: (melody_counts(s)[0], -abs(s)))
    kept, on_top = melody_counts(shift)

    bar = division * beats
    tolerance = division * tolerance_quarters
    melody_ticks = [t for t, _ in melody]
    melody_key = dict(melody)
    bass_beats = bass_kept = 0
    last = max((n[0] for n in original), default=0)
    for line in range(0, last + bar, bar):
        # The bar's first beat: what starts on its line (a file may strike a tick or two off it).
        near = [n for n in original if abs(n[0] - line) <= tolerance]
        if not near:
            continue
        earlier = [t for t in melody_ticks if t <= line + tolerance]
        ceiling = melody_key[earlier[-1]] if earlier else 128
        below = [n[1] for n in near if n[1] < ceiling]
        if not below:
            continue
        bass_beats += 1
        pitch_class = (min(below) + shift) % 12
        # The song's melody there: its highest note where the file's melody note was struck.
        song_ceiling = max((max(groups[t]) for t in near_song[earlier[-1]]), default=128) if earlier else 128
        here = [k for t in song_groups_near(line) for k in groups[t]]
        if any(k % 12 == pitch_class and k < song_ceiling for k in here):
            bass_kept += 1

    too_close = 0
    by_key = defaultdict(list)
    for tick, key, _, _ in song:
        by_key[key].append(tick)
    for ticks in by_key.values():
        ticks.sort()
        for a, b in zip(ticks, ticks[1:]):
            mm = (b - a) / out_division / out_beats * bar_mm
            too_close += mm < repeat_mm - 1e-9
    semitones = sum(1 for keys in groups.values() for a in keys for b in keys if b - a == 1)
    print(json.dumps({
        "melodyTrack": track,
        "melodyOnsets": len(melody),
        "melodyKept": kept,
        "melodyOnTop": on_top,
        "shift": shift,
        "bassBeats": bass_beats,
        "bassKept": bass_kept,
        "notes": len(song),
        "offComb": sum(1 for n in song if n[1] not in rows),
        "tooClose": too_close,
        "semitonePairs": semitones,
        "overChord": sum(1 for keys in groups.values() if len(keys) > max_chord),
        "doubled": sum(len(keys) - len(set(keys)) for keys in groups.values()),
        "box": box_id,
        "barLengthMm": bar_mm,
    }))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3], *(int(a) for a in sys.argv[4:5]))
