#!/usr/bin/env python3
"""Writes the self-test's two tones into audio/: 150 ms sine waves at 400 Hz
and 800 Hz, 16-bit mono at 44,100 Hz, with 5 ms ramps at both ends so that
they start and stop without a click. Run it again after a change; the WAV
files are kept in the repository."""
import math
import os
import struct
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
RATE = 44100
LENGTH_MS = 150
RAMP_MS = 5
AMPLITUDE = 0.6


def tone(path, frequency):
    count = RATE * LENGTH_MS // 1000
    ramp = RATE * RAMP_MS // 1000
    frames = bytearray()
    for n in range(count):
        gain = min(1.0, n / ramp, (count - 1 - n) / ramp)
        value = AMPLITUDE * gain * math.sin(2 * math.pi * frequency * n / RATE)
        frames += struct.pack('<h', int(round(value * 32767)))
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


os.makedirs(os.path.join(HERE, 'audio'), exist_ok=True)
for hz in (400, 800):
    tone(os.path.join(HERE, 'audio', '%dHz150ms.wav' % hz), hz)
