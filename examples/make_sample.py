#!/usr/bin/env python3
"""Writes the synthetic sample observations to standard output.

A circular orbit seen edge-on: component 1 moves as gamma + K1 sin(phase),
component 2 as gamma - K2 sin(phase), with K1 = 0.91 K2 so that the mass ratio
M2/M1 is the tool's 0.91. Each velocity gets uniform noise of at most
0.05 km/s, and is written with three decimals; the centre-of-mass velocity of
every row is then gamma to within that noise.
"""
import math
import random

GAMMA = -12.3           # systemic velocity, km/s
K2 = 80.0               # semi-amplitude of component 2, km/s
K1 = 0.91 * K2          # semi-amplitude of component 1, km/s
PERIOD = 3.4567         # days
EPOCH = 2460000.0       # Julian date of phase zero
NOISE = 0.05            # km/s, the largest error of one velocity
COUNT = 40

rng = random.Random(12)
times = sorted(EPOCH + rng.uniform(0.0, 60.0) for _ in range(COUNT))
for t in times:
    phase = 2.0 * math.pi * (t - EPOCH) / PERIOD
    v1 = GAMMA + K1 * math.sin(phase) + rng.uniform(-NOISE, NOISE)
    v2 = GAMMA - K2 * math.sin(phase) + rng.uniform(-NOISE, NOISE)
    print(f"{t:.5f} {v1:9.3f} {v2:9.3f}")
