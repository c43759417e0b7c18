#!/usr/bin/env python3
"""Where a spoken word starts and ends, and the gain that brings it to the common
loudness. Reads the word as raw 32-bit float samples on standard input and prints
"START LENGTH GAIN" (seconds, seconds, dB) for sox's trim and gain.

The word starts a few milliseconds before its first sample that will be at least
AUDIBLE_DB (dBFS) once the gain is applied, so that a key's echo is heard at once
and as much as possible of a weak first consonant (the f of "five") is kept. It
ends 30 ms after the last sample within END_DB of the peak, so that a word's dying
sound is kept. The gain brings the kept part's RMS to RMS_DB unless that would take
its peak above PEAK_DB.

usage: word_edges.py RATE RMS_DB PEAK_DB < samples.f32
"""
import array
import math
import operator
import sys

START_DB = -36.0
AUDIBLE_DB = -34.0
END_DB = -50.0
LEAD = 0.003
TAIL = 0.030


def edges(samples, rate, rms_db, peak_db):
    size = list(map(abs, samples))
    peak = max(size, default=0.0)
    if peak == 0.0:
        raise ValueError("the word is silent")
    end_level = peak * 10 ** (END_DB / 20)
    last = len(size) - next(i for i, v in enumerate(reversed(size)) if v >= end_level) - 1
    last = min(len(size) - 1, last + int(TAIL * rate))
    # The gain is reckoned from where the word is heard by the peak; the start then
    # moves on to the first sample that the gain makes loud enough.
    first = next(i for i, v in enumerate(size) if v >= peak * 10 ** (START_DB / 20))
    gain = loudness_gain(samples[first:last + 1], peak, rms_db, peak_db)
    audible = 10 ** ((AUDIBLE_DB - gain) / 20)
    first = next(i for i, v in enumerate(size) if v >= audible)
    first = max(0, first - int(LEAD * rate))
    kept = samples[first:last + 1]
    return first / rate, len(kept) / rate, loudness_gain(kept, peak, rms_db, peak_db)


def loudness_gain(kept, peak, rms_db, peak_db):
    """The gain that brings KEPT to RMS_DB, or its PEAK to PEAK_DB if that is less."""
    rms = math.sqrt(math.fsum(map(operator.mul, kept, kept)) / len(kept))
    return min(rms_db - 20 * math.log10(rms), peak_db - 20 * math.log10(peak))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    rate, rms_db, peak_db = int(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3])
    samples = array.array("f")
    samples.frombytes(sys.stdin.buffer.read())
    try:
        start, length, gain = edges(samples, rate, rms_db, peak_db)
    except ValueError as error:
        sys.exit(f"word_edges.py: {error}")
    print(f"{start:.6f} {length:.6f} {gain:.2f}")


if __name__ == "__main__":
    main()
