#!/usr/bin/env python3
"""Synthesises the game's sound effects and its music.

Everything is made from oscillators, noise and filters written here in plain
Python; SoX adds room reverb and encodes Ogg Vorbis. The outputs are committed,
so only whoever changes a sound needs this script and SoX
(Debian: sox libsox-fmt-all).

    tools/make_audio.py                 # every effect and the music
    tools/make_audio.py coin crit       # just these (stems, or "bgm_calm")

Each effect is mono, 44.1 kHz, normalised to one loudness (weighted short-term
maximum) plus a per-effect offset, peak held below -1 dBFS, with short fades
at both ends. The music is stereo and rendered on a circle: whatever rings past
the loop point is folded back onto its start, and the reverb runs over three
copies of which the middle one is kept, so the loop has no seam.
"""

import argparse
import array
import math
import multiprocessing
import os
import random
import subprocess
import sys

SR = 44100
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "assets", "audio")

TARGET_LOUDNESS = -15.0  # dB, weighted short-term maximum of an effect at offset 0
PEAK_CEILING = 10 ** (-1.5 / 20)  # leaves room for the codec's overshoot
MUSIC_RMS = -19.0  # dBFS


# ---------------------------------------------------------------- basics

def secs(t):
    return int(round(t * SR))


def midi(n):
    return 440.0 * 2 ** ((n - 69) / 12.0)


def zeros(n):
    return [0.0] * n


def mix_into(dst, src, at=0.0, gain=1.0):
    """Adds src into dst starting at `at` seconds, growing dst as needed.

    The last few milliseconds of src are tapered, so a part that is cut off
    while still sounding does not click.
    """
    start = secs(at)
    end = start + len(src)
    if end > len(dst):
        dst.extend([0.0] * (end - len(dst)))
    taper = min(secs(0.004), len(src) // 4)
    tail = len(src) - taper
    for i, v in enumerate(src):
        if i >= tail:
            v *= 0.5 + 0.5 * math.cos(math.pi * (i - tail + 1) / (taper + 1))
        dst[start + i] += v * gain
    return dst


def mul(a, b):
    return [x * y for x, y in zip(a, b)]


def scale(a, g):
    return [x * g for x in a]


def path(n, points, exp=False):
    """Per-sample curve through (seconds, value) breakpoints; held past the ends."""
    out = [0.0] * n
    pts = [(secs(t), v) for t, v in points]
    j = 0
    for i in range(n):
        while j + 1 < len(pts) and pts[j + 1][0] <= i:
            j += 1
        t0, v0 = pts[j]
        if i <= t0 or j + 1 == len(pts):
            out[i] = v0
            continue
        t1, v1 = pts[j + 1]
        u = (i - t0) / (t1 - t0)
        out[i] = v0 * (v1 / v0) ** u if exp else v0 + (v1 - v0) * u
    return out


def smooth_env(n, points):
    """Like path, but each segment eases with a raised cosine (no corners)."""
    lin = path(n, [(t, i) for i, (t, _) in enumerate(points)])
    vals = [v for _, v in points]
    out = [0.0] * n
    last = len(vals) - 1
    for i, p in enumerate(lin):
        k = min(int(p), last)
        u = p - k
        if k >= last:
            out[i] = vals[last]
        else:
            w = 0.5 - 0.5 * math.cos(math.pi * u)
            out[i] = vals[k] + (vals[k + 1] - vals[k]) * w
    return out


def decay_env(n, tau, attack=0.002):
    """Raised-cosine attack, exponential decay, and a taper to zero at the end."""
    a = max(1, secs(attack))
    out = [0.0] * n
    k = math.exp(-1.0 / (tau * SR))
    v = 1.0
    for i in range(n):
        if i < a:
            out[i] = 0.5 - 0.5 * math.cos(math.pi * i / a)
        else:
            v *= k
            out[i] = v
    taper = min(max(secs(0.01), n * 15 // 100), n // 3)
    for i in range(taper):
        out[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / taper)
    return out


def soft_clip(a, drive):
    norm = math.tanh(drive)
    return [math.tanh(x * drive) / norm for x in a]


# ---------------------------------------------------------------- sources

_TABLES = {}
TABLE_BITS = 16
TABLE_N = 1 << TABLE_BITS


def table(harmonics):
    """One cycle of a waveform given as ((harmonic, amplitude), ...)."""
    key = tuple(harmonics)
    if key not in _TABLES:
        t = [0.0] * TABLE_N
        for h, a in harmonics:
            w = 2 * math.pi * h / TABLE_N
            for i in range(TABLE_N):
                t[i] += a * math.sin(w * i)
        peak = max(abs(v) for v in t) or 1.0
        _TABLES[key] = [v / peak for v in t]
    return _TABLES[key]


SINE = ((1, 1.0),)


def soft_saw(f, rolloff=1.0, limit=16000.0, top=40):
    n = max(1, min(top, int(limit / f)))
    return tuple((h, 1.0 / h ** rolloff) for h in range(1, n + 1))


def soft_square(f, rolloff=1.0, limit=16000.0, top=31):
    n = max(1, min(top, int(limit / f)))
    return tuple((h, 1.0 / h ** rolloff) for h in range(1, n + 1, 2))


def osc(n, freq, harmonics=SINE, phase=0.0):
    """Wavetable oscillator at a fixed frequency."""
    tab = table(harmonics)
    inc = freq * TABLE_N / SR
    p = phase * TABLE_N
    mask = TABLE_N - 1
    return [tab[int(p + i * inc) & mask] for i in range(n)]


def osc_path(freqs, harmonics=SINE, phase=0.0):
    """Wavetable oscillator following a per-sample frequency list."""
    tab = table(harmonics)
    mask = TABLE_N - 1
    k = TABLE_N / SR
    p = phase * TABLE_N
    out = [0.0] * len(freqs)
    for i, f in enumerate(freqs):
        out[i] = tab[int(p) & mask]
        p += f * k
    return out


def sweep(dur, f0, f1, harmonics=SINE):
    n = secs(dur)
    return osc_path(path(n, [(0, f0), (dur, f1)], exp=True), harmonics)


def white(n, rng):
    return [rng.uniform(-1.0, 1.0) for _ in range(n)]


def brown(n, rng):
    out = [0.0] * n
    v = 0.0
    for i in range(n):
        v = 0.98 * v + rng.uniform(-1.0, 1.0) * 0.2
        out[i] = v
    return out


def partials(dur, f, parts, attack=0.002):
    """Sum of decaying sines: parts = ((ratio, amplitude, tau), ...)."""
    n = secs(dur)
    out = zeros(n)
    for ratio, amp, tau in parts:
        fr = f * ratio
        if fr >= SR * 0.45:
            continue
        tone = osc(n, fr)
        env = decay_env(n, tau, attack)
        for i in range(n):
            out[i] += tone[i] * env[i] * amp
    return out


def bell(dur, f, bright=1.0):
    """Struck metal: a few inharmonic partials, the high ones die first."""
    return partials(dur, f, ((1.0, 1.0, 0.45 * dur), (2.76, 0.45 * bright, 0.16 * dur),
                             (5.40, 0.22 * bright, 0.07 * dur), (8.93, 0.1 * bright, 0.035 * dur)))


def mallet(dur, f, tau=0.35):
    """Tuned bar (marimba / vibraphone): fundamental, a fourth partial, a faint tenth."""
    return partials(dur, f, ((1.0, 1.0, tau), (4.0, 0.22, tau * 0.22), (10.0, 0.05, tau * 0.06),
                             (2.0, 0.06, tau * 0.5)), attack=0.003)


def pluck(dur, f, rng, t60=1.5, bright=0.5):
    """Karplus-Strong string with an allpass for exact tuning."""
    n = secs(dur)
    period = SR / f
    length = int(period - 0.5)
    frac = period - 0.5 - length
    c = (1 - frac) / (1 + frac)
    loss = 0.001 ** (1.0 / (t60 * f))
    buf = []
    lp = 0.0
    for _ in range(length):
        lp += bright * (rng.uniform(-1.0, 1.0) - lp)
        buf.append(lp)
    mean = sum(buf) / length
    peak = max(abs(v - mean) for v in buf) or 1.0
    buf = [(v - mean) / peak for v in buf]
    out = [0.0] * n
    idx = 0
    prev = 0.0
    ax = ay = 0.0
    for i in range(n):
        x = buf[idx]
        out[i] = x
        y = loss * 0.5 * (x + prev)
        prev = x
        ap = c * y + ax - c * ay
        ax, ay = y, ap
        buf[idx] = ap
        idx += 1
        if idx == length:
            idx = 0
    return out


# ---------------------------------------------------------------- filters

def _coeffs(kind, f, q, gain_db=0.0):
    f = min(max(f, 10.0), SR * 0.45)
    w = 2 * math.pi * f / SR
    cw, sw = math.cos(w), math.sin(w)
    alpha = sw / (2 * q)
    if kind == "lp":
        b = ((1 - cw) / 2, 1 - cw, (1 - cw) / 2)
        a = (1 + alpha, -2 * cw, 1 - alpha)
    elif kind == "hp":
        b = ((1 + cw) / 2, -(1 + cw), (1 + cw) / 2)
        a = (1 + alpha, -2 * cw, 1 - alpha)
    elif kind == "bp":  # peak gain 1
        b = (alpha, 0.0, -alpha)
        a = (1 + alpha, -2 * cw, 1 - alpha)
    elif kind == "hs":
        A = 10 ** (gain_db / 40)
        sa = 2 * math.sqrt(A) * alpha
        b = (A * ((A + 1) + (A - 1) * cw + sa), -2 * A * ((A - 1) + (A + 1) * cw),
             A * ((A + 1) + (A - 1) * cw - sa))
        a = ((A + 1) - (A - 1) * cw + sa, 2 * ((A - 1) - (A + 1) * cw), (A + 1) - (A - 1) * cw - sa)
    else:
        raise ValueError(kind)
    return (b[0] / a[0], b[1] / a[0], b[2] / a[0], a[1] / a[0], a[2] / a[0])


def biquad(x, kind, f, q=0.707, gain_db=0.0):
    """RBJ biquad; f may be a per-sample list (coefficients refreshed every 16 samples)."""
    varying = isinstance(f, list)
    b0, b1, b2, a1, a2 = _coeffs(kind, f[0] if varying else f, q, gain_db)
    x1 = x2 = y1 = y2 = 0.0
    out = [0.0] * len(x)
    for i, v in enumerate(x):
        if varying and (i & 15) == 0:
            b0, b1, b2, a1, a2 = _coeffs(kind, f[i], q, gain_db)
        y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, v
        y2, y1 = y1, y
        out[i] = y
    return out


def resonate(x, f, tau):
    """Two-pole resonator ringing at f with decay time tau; unity gain at f."""
    r = math.exp(-1.0 / (tau * SR))
    c1 = 2 * r * math.cos(2 * math.pi * f / SR)
    c2 = -r * r
    g = (1 - r * r) * 0.5
    y1 = y2 = 0.0
    out = [0.0] * len(x)
    for i, v in enumerate(x):
        y = g * v + c1 * y1 + c2 * y2
        y2, y1 = y1, y
        out[i] = y
    return out


def burst(dur, rng, tau):
    """A short noise tick, the excitation of knocks and clicks."""
    n = secs(dur)
    return mul(white(n, rng), decay_env(n, tau, 0.0005))


def knock(rng, modes, dur=0.25, tick=0.003, noise=0.15, dull=7000.0):
    """A struck body: a noise tick through resonators ((freq, tau, gain), ...).

    dull is the low-pass on the tick: soft materials take a low one.
    """
    exc = biquad(burst(dur, rng, tick), "lp", dull)
    out = zeros(len(exc))
    for f, tau, g in modes:
        r = resonate(exc, f, tau)
        for i in range(len(out)):
            out[i] += r[i] * g
    return mix_into(out, exc, 0, noise)


def whoosh(dur, rng, centres, q, env_points):
    n = secs(dur)
    nz = white(n, rng)
    band = biquad(nz, "bp", path(n, centres, exp=True), q)
    return mul(band, smooth_env(n, env_points))


# ---------------------------------------------------------------- effects

EFFECTS = {}


def effect(stem, level=0.0, reverb=None):
    """Registers a recipe; level is a loudness offset in dB, reverb a room name."""
    def wrap(fn):
        EFFECTS[stem] = (fn, level, reverb)
        return fn
    return wrap


ROOMS = {
    # reverberance, HF damping, room scale, stereo depth, pre-delay ms, wet gain dB, tail s
    "small": (30, 60, 35, 0, 0, -8, 0.5),
    "hall": (45, 55, 70, 0, 8, -7, 1.0),
    "cathedral": (60, 45, 90, 0, 15, -6, 1.4),
}


@effect("arrow")
def _arrow(rng):
    out = zeros(secs(0.5))
    string = pluck(0.2, 92, rng, t60=0.15, bright=0.7)
    mix_into(out, mul(string, decay_env(len(string), 0.05)), 0, 0.35)
    mix_into(out, knock(rng, ((1500, 0.008, 1.0),), dur=0.05), 0, 0.4)
    air = whoosh(0.42, rng, [(0, 3400), (0.12, 2600), (0.42, 800)], 1.6,
                 [(0, 0), (0.05, 1), (0.16, 0.65), (0.42, 0)])
    return mix_into(out, air, 0.015, 1.6)


@effect("bomb", level=1.0, reverb="hall")
def _bomb(rng):
    dur = 1.4
    n = secs(dur)
    boom = sweep(dur, 120, 32, soft_saw(120, 2.0, top=4))
    boom = soft_clip(mul(boom, decay_env(n, 0.38, 0.004)), 2.5)
    blast = biquad(white(n, rng), "lp", path(n, [(0, 5000), (0.15, 1200), (1.2, 150)], exp=True), 0.8)
    blast = mul(blast, decay_env(n, 0.22, 0.002))
    out = mix_into(zeros(n), boom, 0, 0.9)
    mix_into(out, blast, 0, 1.2)
    crackle = zeros(n)
    t = 0.04
    while t < 0.8:
        mix_into(crackle, knock(rng, ((rng.uniform(1800, 3200), 0.006, 1.0),), dur=0.03),
                 t, rng.uniform(0.2, 0.6) * (1 - t / 0.9))
        t += rng.uniform(0.015, 0.07)
    return mix_into(out, crackle, 0, 0.7)


@effect("buff", reverb="small")
def _buff(rng):
    out = zeros(secs(0.8))
    for k, note in enumerate((69, 73, 76, 81)):  # A major, upwards
        tone = partials(0.6, midi(note), ((1, 1.0, 0.28), (2, 0.25, 0.12), (3, 0.12, 0.06)), 0.008)
        mix_into(out, tone, 0.065 * k, 0.5)
    glow = osc_path(path(secs(0.7), [(0, 440), (0.7, 880)], exp=True), SINE)
    glow = mul(glow, smooth_env(len(glow), [(0, 0), (0.25, 1), (0.7, 0)]))
    mix_into(out, glow, 0, 0.25)
    shimmer = biquad(white(secs(0.7), rng), "hp", 6500.0, 0.7)
    shimmer = mul(shimmer, smooth_env(len(shimmer), [(0, 0), (0.3, 1), (0.7, 0)]))
    return mix_into(out, shimmer, 0, 0.12)


@effect("card_flip", level=-3.0)
def _card_flip(rng):
    out = zeros(secs(0.14))
    flick = biquad(burst(0.03, rng, 0.004), "bp", 3800.0, 0.9)
    mix_into(out, flick, 0, 1.0)
    slap = biquad(burst(0.06, rng, 0.009), "bp", 1700.0, 0.7)
    mix_into(out, slap, 0.045, 1.4)
    body = knock(rng, ((880, 0.012, 1.0), (1450, 0.008, 0.6)), dur=0.06, noise=0.0)
    return mix_into(out, body, 0.045, 0.8)


@effect("cast_arcane", reverb="hall")
def _cast_arcane(rng):
    dur = 0.9
    n = secs(dur)
    carrier = path(n, [(0, 330), (0.6, 660), (0.9, 620)], exp=True)
    wobble = [1 + 0.012 * math.sin(2 * math.pi * 7 * i / SR) for i in range(n)]
    tone = osc_path([f * w for f, w in zip(carrier, wobble)], ((1, 1.0), (2, 0.3), (3, 0.35), (5, 0.12)))
    tritone = osc_path([f * w * 1.4142 for f, w in zip(carrier, wobble)], ((1, 1.0), (3, 0.2)))
    env = smooth_env(n, [(0, 0), (0.18, 1), (0.55, 0.7), (0.9, 0)])
    out = [(a + 0.5 * b) * e * 0.5 for a, b, e in zip(tone, tritone, env)]
    t = 0.08
    while t < 0.7:
        mix_into(out, bell(0.25, rng.uniform(2200, 4200), 0.6), t, 0.08)
        t += rng.uniform(0.05, 0.11)
    return out


@effect("cast_fire", reverb="small")
def _cast_fire(rng):
    dur = 0.9
    n = secs(dur)
    roar = biquad(white(n, rng), "lp", path(n, [(0, 300), (0.18, 3200), (0.9, 600)], exp=True), 0.9)
    roar = mul(roar, smooth_env(n, [(0, 0), (0.14, 1), (0.4, 0.6), (0.9, 0)]))
    rumble = biquad(brown(n, rng), "lp", 220.0)
    rumble = mul(rumble, smooth_env(n, [(0, 0), (0.1, 1), (0.9, 0)]))
    out = mix_into(scale(roar, 1.2), rumble, 0, 1.5)
    t = 0.05
    while t < 0.8:
        mix_into(out, biquad(burst(0.02, rng, 0.002), "hp", 1500.0), t, rng.uniform(0.15, 0.5))
        t += rng.uniform(0.02, 0.08)
    return out


def choir(dur, notes, rng, attack=0.2, vowel=(800, 1150)):
    """Soft voices on an 'ah': saw-like tones through two formant bands, with vibrato."""
    n = secs(dur)
    out = zeros(n)
    for k, note in enumerate(notes):
        f = midi(note)
        rate = 4.8 + 0.4 * k
        vib = [f * (1 + 0.005 * math.sin(2 * math.pi * rate * i / SR + k)) for i in range(n)]
        src = osc_path(vib, soft_saw(f, 1.2), rng.random())
        voice = [a * 0.35 + b + c * 0.7 for a, b, c in
                 zip(src, biquad(src, "bp", float(vowel[0]), 2.0), biquad(src, "bp", float(vowel[1]), 2.5))]
        for i in range(n):
            out[i] += voice[i]
    env = smooth_env(n, [(0, 0), (attack, 1), (dur * 0.6, 0.85), (dur, 0)])
    return scale(mul(out, env), 1.0 / len(notes))


@effect("cast_holy", reverb="cathedral")
def _cast_holy(rng):
    out = choir(1.1, (62, 66, 69, 74), rng, attack=0.22)
    mix_into(out, bell(1.0, midi(98), 0.5), 0.04, 0.18)
    mix_into(out, bell(0.8, midi(93), 0.5), 0.2, 0.12)
    return out


@effect("cast_ice", reverb="hall")
def _cast_ice(rng):
    out = zeros(secs(0.9))
    crack = knock(rng, ((1600, 0.02, 0.8), (2750, 0.015, 0.6), (4300, 0.01, 0.5)), dur=0.12, tick=0.002, noise=0.5)
    mix_into(out, crack, 0, 0.9)
    for k, f in enumerate((3520, 3136, 2637, 2349, 2093)):  # glassy, falling
        glass = partials(0.5, f, ((1, 1.0, 0.16), (1.41, 0.5, 0.08), (2.83, 0.25, 0.04)))
        mix_into(out, glass, 0.04 + 0.055 * k, 0.35)
    frost = biquad(white(secs(0.8), rng), "hp", 5000.0, 0.7)
    frost = mul(frost, smooth_env(len(frost), [(0, 0), (0.15, 1), (0.8, 0)]))
    return mix_into(out, frost, 0, 0.25)


@effect("cast_lightning")
def _cast_lightning(rng):
    dur = 1.0
    n = secs(dur)
    out = zeros(n)
    mix_into(out, biquad(burst(0.06, rng, 0.008), "hp", 800.0), 0, 1.4)
    buzz_src = [a * 0.6 + b * 0.5 for a, b in zip(osc(n, 62, soft_saw(62)), white(n, rng))]
    gate = zeros(n)
    i = 0
    while i < n:
        length = int(SR / rng.uniform(25, 90))
        level = 1.0 if rng.random() < 0.65 else 0.15
        for j in range(i, min(n, i + length)):
            gate[j] = level
        i += length
    gate = biquad(gate, "lp", 400.0)
    buzz = biquad(mul(buzz_src, gate), "bp", path(n, [(0, 3000), (0.45, 1200)], exp=True), 0.8)
    buzz = mul(buzz, smooth_env(n, [(0, 0), (0.02, 1), (0.3, 0.7), (0.5, 0)]))
    mix_into(out, buzz, 0, 1.3)
    rumble = biquad(brown(n, rng), "lp", 160.0)
    rumble = mul(rumble, smooth_env(n, [(0, 0), (0.12, 1), (1.0, 0)]))
    return mix_into(out, rumble, 0, 1.6)


@effect("cast_nature", reverb="small")
def _cast_nature(rng):
    out = zeros(secs(0.9))
    for k, note in enumerate((67, 69, 72, 74, 79)):  # pentatonic, like wood chimes
        mix_into(out, mallet(0.5, midi(note), 0.18), 0.07 * k, 0.45)
    n = secs(0.8)
    flutter = biquad([rng.uniform(0, 1) for _ in range(n)], "lp", 30.0)
    rustle = mul(biquad(white(n, rng), "bp", 3200.0, 0.8), flutter)
    rustle = mul(rustle, smooth_env(n, [(0, 0), (0.2, 1), (0.8, 0)]))
    mix_into(out, rustle, 0, 1.2)
    breeze = biquad(white(n, rng), "lp", 700.0)
    breeze = mul(breeze, smooth_env(n, [(0, 0), (0.3, 1), (0.8, 0)]))
    return mix_into(out, breeze, 0, 0.25)


@effect("chest_open", level=-2.0)
def _chest_open(rng):
    out = zeros(secs(0.8))
    latch = knock(rng, ((2250, 0.03, 1.0), (3700, 0.02, 0.6), (5100, 0.012, 0.3)), dur=0.12, noise=0.3)
    mix_into(out, latch, 0, 0.7)
    # A rusty hinge: stick-slip pulses whose rate wanders, ringing the lid's wood.
    n = secs(0.5)
    rate = path(n, [(0, 70), (0.15, 150), (0.35, 120), (0.5, 85)], exp=True)
    pulses = zeros(n)
    p = 0.0
    for i in range(n):
        p += rate[i] / SR
        if p >= 1.0:
            p -= rng.uniform(0.85, 1.0)
            pulses[i] = rng.uniform(0.5, 1.0)
    creak = [a * 0.7 + b + c * 0.4 for a, b, c in
             zip(resonate(pulses, 690, 0.02), resonate(pulses, 1380, 0.012), resonate(pulses, 2150, 0.008))]
    creak = mul(creak, smooth_env(n, [(0, 0), (0.08, 1), (0.4, 0.8), (0.5, 0)]))
    mix_into(out, creak, 0.06, 1.4)
    thud = knock(rng, ((130, 0.06, 1.0), (310, 0.03, 0.4)), dur=0.25, noise=0.05, dull=1500.0)
    return mix_into(out, thud, 0.55, 1.2)


@effect("chest_pop", reverb="hall")
def _chest_pop(rng):
    out = zeros(secs(1.0))
    pop = sweep(0.06, 260, 760)
    mix_into(out, mul(pop, decay_env(len(pop), 0.02)), 0, 0.6)
    for k, note in enumerate((84, 88, 91, 96)):  # C major upwards
        mix_into(out, bell(0.7, midi(note), 0.7), 0.03 + 0.06 * k, 0.4)
    sparkle = biquad(white(secs(0.6), rng), "hp", 7000.0)
    sparkle = mul(sparkle, smooth_env(len(sparkle), [(0, 0), (0.1, 1), (0.6, 0)]))
    return mix_into(out, sparkle, 0.05, 0.15)


@effect("click", level=-5.0)
def _click(rng):
    out = knock(rng, ((1750, 0.006, 1.0), (900, 0.01, 0.7), (3300, 0.003, 0.3)), dur=0.045, tick=0.001,
                noise=0.2)
    return out


def clink(f, dur=0.4):
    return partials(dur, f, ((1.0, 1.0, 0.14), (1.51, 0.6, 0.1), (2.23, 0.4, 0.06), (2.91, 0.25, 0.04)))


@effect("coin")
def _coin(rng):
    out = zeros(secs(0.5))
    mix_into(out, clink(2400), 0, 0.7)
    mix_into(out, clink(2750, 0.35), 0.075, 0.45)
    return mix_into(out, burst(0.01, rng, 0.001), 0, 0.2)


@effect("coin_flip")
def _coin_flip(rng):
    n = secs(0.75)
    ring = partials(0.75, 2900, ((1.0, 1.0, 0.3), (1.51, 0.5, 0.2), (2.23, 0.3, 0.1)))
    spin = [0.55 + 0.45 * math.cos(2 * math.pi * (18 * i / SR - 4 * (i / SR) ** 2)) for i in range(n)]
    out = mul(ring, spin)
    mix_into(out, biquad(burst(0.02, rng, 0.003), "bp", 2500.0, 0.8), 0, 0.8)
    return out


@effect("coin_land")
def _coin_land(rng):
    out = zeros(secs(0.7))
    mix_into(out, knock(rng, ((240, 0.03, 1.0), (620, 0.015, 0.5)), dur=0.12, noise=0.2, dull=3000.0), 0, 0.8)
    mix_into(out, clink(2600, 0.3), 0, 0.6)
    t, gap, amp = 0.09, 0.07, 0.45
    while gap > 0.008 and t < 0.6:
        mix_into(out, clink(2600 * rng.uniform(0.97, 1.03), 0.08), t, amp)
        t += gap
        gap *= 0.78
        amp *= 0.88
    return out


@effect("crit", level=2.0, reverb="small")
def _crit(rng):
    dur = 0.6
    n = secs(dur)
    thump = sweep(dur, 115, 38, soft_saw(115, 2.0, top=3))
    thump = soft_clip(mul(thump, decay_env(n, 0.14, 0.002)), 3.0)
    out = scale(thump, 0.9)
    mix_into(out, biquad(burst(0.05, rng, 0.01), "bp", 2600.0, 0.6), 0, 1.6)
    punch = mul(osc(secs(0.15), 185, ((1, 1.0), (2, 0.3))), decay_env(secs(0.15), 0.04))
    mix_into(out, punch, 0, 0.5)
    ring = partials(0.5, 1120, ((1.0, 1.0, 0.11), (1.59, 0.7, 0.08), (2.33, 0.5, 0.05), (3.7, 0.3, 0.03)))
    return mix_into(out, ring, 0.003, 0.3)


@effect("death", reverb="small")
def _death(rng):
    dur = 1.0
    n = secs(dur)
    fall = path(n, [(0, 330), (0.85, 85)], exp=True)
    wob = [f * (1 + 0.02 * math.sin(2 * math.pi * 6 * i / SR)) for i, f in enumerate(fall)]
    tone = osc_path(wob, soft_saw(330, 1.6, top=8))
    tone = biquad(tone, "lp", 1400.0)
    tone = mul(tone, smooth_env(n, [(0, 0), (0.03, 1), (0.5, 0.6), (0.95, 0)]))
    out = scale(tone, 0.8)
    breath = biquad(white(n, rng), "lp", path(n, [(0, 2000), (0.9, 300)], exp=True))
    mix_into(out, mul(breath, smooth_env(n, [(0, 0), (0.05, 1), (0.8, 0)])), 0, 0.3)
    return mix_into(out, knock(rng, ((95, 0.08, 1.0), (210, 0.04, 0.5)), dur=0.3, noise=0.1, dull=1200.0),
                    0.62, 1.0)


def horn(dur, f, attack=0.06):
    """Soft brass: a rich tone whose low-pass opens with the attack."""
    n = secs(dur)
    tone = osc(n, f, soft_saw(f, 1.1))
    cut = path(n, [(0, f * 1.5), (attack * 2, f * 5), (dur, f * 2.5)], exp=True)
    tone = biquad(tone, "lp", cut, 0.8)
    return mul(tone, smooth_env(n, [(0, 0), (attack, 1), (dur * 0.7, 0.8), (dur, 0)]))


@effect("defeat", reverb="cathedral")
def _defeat(rng):
    out = zeros(secs(2.7))
    for k, note in enumerate((69, 67, 64)):  # A G E, falling
        mix_into(out, horn(0.55, midi(note), 0.08), 0.42 * k, 0.45)
    for note in (50, 57, 62, 65):  # D minor to close
        mix_into(out, horn(1.5, midi(note), 0.35), 1.2, 0.28)
    return out


@effect("dice_land")
def _dice_land(rng):
    out = zeros(secs(0.4))
    t, amp = 0.0, 1.0
    for gap in (0.075, 0.055, 0.04, 0.03, 0.0):
        modes = tuple((f * rng.uniform(0.92, 1.08), 0.018, g) for f, g in ((1900, 1.0), (3100, 0.7), (4700, 0.4)))
        mix_into(out, knock(rng, modes, dur=0.08, noise=0.4), t, amp)
        if t == 0.0:
            mix_into(out, knock(rng, ((430, 0.02, 1.0),), dur=0.1, noise=0.0, dull=2000.0), t, 0.8)
        t += gap
        amp *= 0.62
    return out


@effect("dice_roll")
def _dice_roll(rng):
    dur = 0.55
    n = secs(dur)
    out = zeros(n)
    t = 0.0
    while t < 0.48:
        f = rng.uniform(2400, 4600)
        mix_into(out, knock(rng, ((f, 0.008, 1.0), (f * 1.6, 0.005, 0.5)), dur=0.03, noise=0.3),
                 t, rng.uniform(0.3, 1.0))
        t += rng.uniform(0.008, 0.035)
    roll = biquad(white(n, rng), "lp", 450.0)
    roll = mul(roll, [0.6 + 0.4 * math.sin(2 * math.pi * 13 * i / SR) for i in range(n)])
    mix_into(out, roll, 0, 0.8)
    return mul(out, smooth_env(n, [(0, 0.5), (0.05, 1), (0.4, 0.9), (0.55, 0)]))


@effect("error", level=-2.0)
def _error(rng):
    out = zeros(secs(0.3))
    for k, note in enumerate((64, 61)):  # E, C-sharp: a falling "no"
        f = midi(note)
        n = secs(0.12)
        tone = biquad(osc(n, f, soft_square(f, 1.3)), "lp", 1500.0)
        mix_into(out, mul(tone, smooth_env(n, [(0, 0), (0.01, 1), (0.08, 0.8), (0.12, 0)])), 0.13 * k, 0.6)
    return out


@effect("gate_bad", reverb="hall")
def _gate_bad(rng):
    dur = 1.3
    n = secs(dur)
    bend = path(n, [(0, 1.0), (1.3, 0.94)])
    out = zeros(n)
    for f in (55.0, 58.27, 82.4):  # a semitone rub over the fifth
        tone = osc_path([f * b for b in bend], soft_saw(f, 1.3, top=20), rng.random())
        for i in range(n):
            out[i] += tone[i]
    out = biquad(out, "lp", path(n, [(0, 300), (0.4, 900), (1.3, 250)], exp=True), 1.2)
    out = mul(out, smooth_env(n, [(0, 0), (0.35, 1), (0.9, 0.7), (1.3, 0)]))
    dark = biquad(white(n, rng), "bp", path(n, [(0, 600), (1.3, 200)], exp=True), 1.0)
    return mix_into(scale(out, 0.5), mul(dark, smooth_env(n, [(0, 0), (0.4, 1), (1.3, 0)])), 0, 0.6)


@effect("gate_good", reverb="hall")
def _gate_good(rng):
    out = zeros(secs(1.3))
    for k, note in enumerate((67, 71, 74, 79, 83)):  # G major upwards
        mix_into(out, bell(0.8, midi(note), 0.6), 0.07 * k, 0.35)
    pad = zeros(secs(1.2))
    for note in (55, 62, 67, 71):
        mix_into(pad, osc(secs(1.2), midi(note), ((1, 1.0), (2, 0.2), (3, 0.1)), rng.random()), 0, 0.25)
    mix_into(out, mul(pad, smooth_env(len(pad), [(0, 0), (0.4, 1), (1.2, 0)])), 0, 0.8)
    air = biquad(white(secs(1.0), rng), "hp", 5000.0)
    return mix_into(out, mul(air, smooth_env(len(air), [(0, 0), (0.5, 1), (1.0, 0)])), 0.1, 0.08)


@effect("heal", reverb="hall")
def _heal(rng):
    dur = 1.0
    n = secs(dur)
    rise = path(n, [(0, 1.0), (1.0, 1.03)])
    trem = [1 + 0.15 * math.sin(2 * math.pi * 6 * i / SR) for i in range(n)]
    out = zeros(n)
    for note in (77, 81, 84):  # F major, warm and open
        tone = osc_path([midi(note) * r for r in rise], ((1, 1.0), (2, 0.15)), rng.random())
        for i in range(n):
            out[i] += tone[i] * trem[i] / 3
    out = mul(out, smooth_env(n, [(0, 0), (0.15, 1), (0.6, 0.7), (1.0, 0)]))
    for t, note in ((0.12, 88), (0.28, 93), (0.44, 96)):
        mix_into(out, bell(0.5, midi(note), 0.4), t, 0.12)
    return out


@effect("hint", level=-3.0, reverb="small")
def _hint(rng):
    out = zeros(secs(0.55))
    mix_into(out, mallet(0.4, midi(76), 0.2), 0, 0.6)
    return mix_into(out, mallet(0.4, midi(81), 0.22), 0.12, 0.6)


@effect("hit_phys")
def _hit_phys(rng):
    n = secs(0.28)
    thump = sweep(0.28, 165, 55, soft_saw(165, 2.0, top=3))
    thump = soft_clip(mul(thump, decay_env(n, 0.06, 0.002)), 2.0)
    body = mul(biquad(white(n, rng), "lp", 1500.0), decay_env(n, 0.025, 0.001))
    out = mix_into(scale(thump, 0.9), body, 0, 0.9)
    return mix_into(out, biquad(burst(0.01, rng, 0.0015), "hp", 3000.0), 0, 0.5)


@effect("item", level=-3.0)
def _item(rng):
    n = secs(0.2)
    glide = path(n, [(0, 880), (0.03, 1320)], exp=True)
    tone = osc_path(glide, ((1, 1.0), (2, 0.3), (3, 0.1)))
    out = mul(tone, decay_env(n, 0.06, 0.003))
    return mix_into(out, bell(0.18, 2640, 0.3), 0.02, 0.15)


@effect("levelup", level=1.0, reverb="hall")
def _levelup(rng):
    out = zeros(secs(1.6))
    for k, note in enumerate((72, 76, 79, 84, 88, 91)):  # C major, two octaves up
        f = midi(note)
        blip = osc(secs(0.3), f, soft_square(f, 1.6, top=7))
        mix_into(out, mul(blip, decay_env(len(blip), 0.09, 0.003)), 0.06 * k, 0.3)
        mix_into(out, bell(0.5, f * 2, 0.3), 0.06 * k, 0.06)
    n = secs(1.2)
    chord = zeros(n)
    trem = [0.85 + 0.15 * math.sin(2 * math.pi * 7 * i / SR) for i in range(n)]
    for note in (72, 76, 79, 84):
        f = midi(note)
        tone = osc(n, f, soft_square(f, 1.7, top=9), rng.random())
        for i in range(n):
            chord[i] += tone[i] * trem[i] * 0.25
    chord = mul(chord, smooth_env(n, [(0, 0), (0.05, 1), (0.5, 0.7), (1.2, 0)]))
    mix_into(out, chord, 0.36, 0.6)
    sparkle = biquad(white(n, rng), "hp", 6000.0)
    return mix_into(out, mul(sparkle, smooth_env(n, [(0, 0), (0.2, 1), (1.2, 0)])), 0.3, 0.1)


@effect("lifesteal", reverb="small")
def _lifesteal(rng):
    out = zeros(secs(0.9))
    suck = whoosh(0.5, rng, [(0, 2600), (0.5, 380)], 2.2, [(0, 0), (0.35, 1), (0.5, 0)])
    mix_into(out, suck, 0, 1.5)
    dark = sweep(0.5, 220, 110, soft_saw(220, 1.8, top=6))
    mix_into(out, mul(dark, smooth_env(len(dark), [(0, 0), (0.3, 1), (0.5, 0)])), 0, 0.35)
    n = secs(0.4)
    warm = osc_path(path(n, [(0, 330), (0.25, 440)], exp=True), ((1, 1.0), (2, 0.25)))
    return mix_into(out, mul(warm, smooth_env(n, [(0, 0), (0.06, 1), (0.4, 0)])), 0.45, 0.45)


@effect("match", reverb="small")
def _match(rng):
    out = zeros(secs(0.7))
    mix_into(out, bell(0.55, midi(76), 0.5), 0, 0.45)
    mix_into(out, bell(0.55, midi(83), 0.5), 0.09, 0.45)
    return mix_into(out, mallet(0.5, midi(88), 0.15), 0.09, 0.2)


@effect("node_select", level=-2.0)
def _node_select(rng):
    out = zeros(secs(0.4))
    mix_into(out, knock(rng, ((520, 0.015, 1.0),), dur=0.05, noise=0.1, dull=3000.0), 0, 0.5)
    mix_into(out, mallet(0.3, midi(67), 0.12), 0, 0.5)
    return mix_into(out, mallet(0.3, midi(74), 0.13), 0.07, 0.5)


NOTE_SCALE = (72, 74, 76, 77, 79, 81, 83, 84, 86, 88, 89, 91)  # C major from C5


def _note_recipe(step):
    def make(rng):
        f = midi(NOTE_SCALE[step])
        n = secs(1.0)
        tone = mallet(1.3, f, 0.42)
        trem = [1 - 0.12 * (1 - math.cos(2 * math.pi * 5.5 * i / SR)) / 2 for i in range(n)]
        return mul(tone, trem)
    return make


for _step in range(12):
    effect("note%d" % _step, reverb="small")(_note_recipe(_step))


@effect("place", level=-3.0)
def _place(rng):
    return knock(rng, ((420, 0.03, 1.0), (1100, 0.012, 0.5), (190, 0.02, 0.4)), dur=0.16, noise=0.2,
                 dull=2500.0)


@effect("pop", level=-1.0)
def _pop(rng):
    n = secs(0.14)
    tone = osc_path(path(n, [(0, 260), (0.05, 950)], exp=True), ((1, 1.0), (2, 0.15)))
    out = mul(tone, smooth_env(n, [(0, 0), (0.004, 1), (0.05, 0.6), (0.14, 0)]))
    return mix_into(out, burst(0.008, rng, 0.001), 0, 0.15)


@effect("remove", level=-2.0)
def _remove(rng):
    out = whoosh(0.12, rng, [(0, 3200), (0.12, 1000)], 1.4, [(0, 0), (0.03, 1), (0.12, 0)])
    blip = sweep(0.1, 520, 260, ((1, 1.0), (2, 0.2)))
    return mix_into(out, mul(blip, decay_env(len(blip), 0.035)), 0.06, 0.6)


@effect("rest", level=-2.0, reverb="hall")
def _rest(rng):
    dur = 2.2
    n = secs(dur)
    out = zeros(n)
    for note in (53, 57, 60, 64):  # F major seventh, low and soft
        tone = osc(n, midi(note), ((1, 1.0), (2, 0.12), (3, 0.05)), rng.random())
        for i in range(n):
            out[i] += tone[i] * 0.22
    out = mul(out, smooth_env(n, [(0, 0), (0.35, 1), (1.2, 0.6), (2.2, 0)]))
    for k, note in enumerate((84, 81, 77)):
        mix_into(out, pluck(1.2, midi(note), rng, t60=1.0, bright=0.35), 0.15 + 0.22 * k, 0.09)
    t = 0.1
    while t < 1.9:
        mix_into(out, biquad(burst(0.02, rng, 0.002), "lp", 3000.0), t, rng.uniform(0.05, 0.18))
        t += rng.uniform(0.05, 0.25)
    return out


@effect("revive", level=1.0, reverb="cathedral")
def _revive(rng):
    out = zeros(secs(1.6))
    rise = sweep(0.6, 220, 880, ((1, 1.0), (2, 0.2), (3, 0.1)))
    mix_into(out, mul(rise, smooth_env(len(rise), [(0, 0), (0.3, 1), (0.6, 0.4)])), 0, 0.4)
    mix_into(out, choir(1.0, (69, 73, 76, 81), rng, attack=0.15), 0.5, 0.9)
    for k, note in enumerate((93, 97, 100)):
        mix_into(out, bell(0.7, midi(note), 0.5), 0.55 + 0.08 * k, 0.12)
    return out


@effect("shuffle", level=-2.0)
def _shuffle(rng):
    dur = 0.4
    n = secs(dur)
    friction = biquad([rng.uniform(0.3, 1.0) for _ in range(n)], "lp", 60.0)
    slide = mul(biquad(white(n, rng), "bp", path(n, [(0, 900), (0.3, 1500)], exp=True), 0.7), friction)
    out = mul(slide, smooth_env(n, [(0, 0), (0.06, 1), (0.25, 0.8), (0.33, 0)]))
    out = scale(out, 2.0)
    return mix_into(out, knock(rng, ((180, 0.025, 1.0), (420, 0.012, 0.4)), dur=0.08, noise=0.1, dull=2000.0),
                    0.3, 0.6)


@effect("slash")
def _slash(rng):
    out = whoosh(0.26, rng, [(0, 1400), (0.08, 5200), (0.26, 2400)], 1.2,
                 [(0, 0), (0.06, 1), (0.14, 0.5), (0.26, 0)])
    out = scale(out, 1.5)
    shing = partials(0.35, 3100, ((1.0, 1.0, 0.12), (1.42, 0.7, 0.09), (2.0, 0.4, 0.06)), 0.004)
    return mix_into(out, shing, 0.05, 0.18)


def twinkle(rng, notes, gap):
    out = zeros(secs(0.4 + gap * len(notes)))
    for k, note in enumerate(notes):
        mix_into(out, bell(0.45, midi(note), 0.7), gap * k, 0.5)
    sparkle = biquad(white(len(out), rng), "hp", 7500.0)
    return mix_into(out, mul(sparkle, smooth_env(len(out), [(0, 0), (0.08, 1), (len(out) / SR, 0)])), 0, 0.06)


@effect("star1", reverb="small")
def _star1(rng):
    return twinkle(rng, (96,), 0.0)


@effect("star2", reverb="small")
def _star2(rng):
    return twinkle(rng, (91, 96), 0.08)


@effect("star3", reverb="hall")
def _star3(rng):
    return twinkle(rng, (88, 91, 96, 100), 0.07)


@effect("success", reverb="small")
def _success(rng):
    out = zeros(secs(0.85))
    mix_into(out, bell(0.5, midi(79), 0.5), 0, 0.4)
    mix_into(out, mallet(0.3, midi(79), 0.12), 0, 0.3)
    for note in (84, 88):
        mix_into(out, bell(0.65, midi(note), 0.5), 0.11, 0.35)
        mix_into(out, mallet(0.5, midi(note), 0.2), 0.11, 0.25)
    return out


@effect("whack", level=1.0)
def _whack(rng):
    n = secs(0.26)
    bonk = osc_path(path(n, [(0, 520), (0.06, 170)], exp=True), ((1, 1.0), (2, 0.3), (3, 0.15)))
    out = mul(bonk, decay_env(n, 0.05, 0.001))
    mix_into(out, knock(rng, ((720, 0.02, 1.0), (1650, 0.01, 0.5)), dur=0.1, noise=0.3), 0, 0.7)
    return mix_into(out, biquad(burst(0.01, rng, 0.0015), "lp", 2500.0), 0, 0.5)


@effect("win_glare", level=1.0, reverb="hall")
def _win_glare(rng):
    out = zeros(secs(1.7))
    for note in (48, 55, 60, 64, 67):  # C major, brass-like swell
        mix_into(out, horn(1.5, midi(note), 0.09), 0, 0.2)
    for k, note in enumerate((84, 86, 88, 91, 93, 96)):  # a bright run up the pentatonic
        mix_into(out, bell(0.6, midi(note), 0.6), 0.05 + 0.04 * k, 0.18)
    n = secs(1.4)
    glare = biquad(white(n, rng), "hp", path(n, [(0, 3000), (1.4, 9000)], exp=True), 0.7)
    return mix_into(out, mul(glare, smooth_env(n, [(0, 0), (0.08, 1), (1.4, 0)])), 0, 0.12)


@effect("xp", level=-2.0, reverb="small")
def _xp(rng):
    out = zeros(secs(0.55))
    for k, note in enumerate((84, 86, 88, 91, 93)):  # C pentatonic upwards
        n = secs(0.2)
        mix_into(out, mul(osc(n, midi(note), ((1, 1.0), (2, 0.2))), decay_env(n, 0.06, 0.003)), 0.045 * k, 0.4)
    air = whoosh(0.4, rng, [(0, 2000), (0.4, 6000)], 1.0, [(0, 0), (0.2, 1), (0.4, 0)])
    return mix_into(out, air, 0, 0.2)


# ---------------------------------------------------------------- finishing

def k_weighted(x):
    # Approximates the loudness weighting of BS.1770: a treble shelf and a low cut.
    return biquad(biquad(x, "hs", 1682.0, 0.7072, 4.0), "hp", 38.0, 0.5003)


def momentary_max(x):
    """Largest mean square over 200 ms windows (10 ms steps) of the weighted signal, in dB.

    Shorter than the usual 400 ms, so that a quick knock and a long swell that
    sound equally loud also measure so.
    """
    w = k_weighted(x)
    win = secs(0.2)
    hop = secs(0.01)
    sq = [v * v for v in w] + [0.0] * win
    acc = sum(sq[:win])
    best = acc
    for start in range(hop, len(w), hop):
        acc += sum(sq[start - hop + win:start + win]) - sum(sq[start - hop:start])
        best = max(best, acc)
    return 10 * math.log10(max(best / win, 1e-12))


def sox(args, data, channels):
    """Runs SoX over raw 32-bit float samples and returns the result the same way."""
    raw = array.array("f", data).tobytes()
    cmd = ["sox", "-R", "-t", "f32", "-r", str(SR), "-c", str(channels), "-", "-t", "f32", "-"] + args
    res = subprocess.run(cmd, input=raw, capture_output=True, check=True)
    return array.array("f", res.stdout)


def add_room(x, room):
    rev, damp, size, depth, pre, wet, tail = ROOMS[room]
    return sox(["pad", "0", str(tail), "reverb", str(rev), str(damp), str(size), str(depth), str(pre), str(wet)],
               x, 1).tolist()


def trim_tail(x, floor_db=-50.0):
    floor = 10 ** (floor_db / 20) * max(abs(v) for v in x)
    end = len(x)
    while end > 1 and abs(x[end - 1]) < floor:
        end -= 1
    return x[:min(len(x), end + secs(0.01))]


def fade_ends(x, fade_in=0.0015, fade_out=0.04):
    n = len(x)
    a = min(secs(fade_in), n // 4)
    b = min(secs(fade_out), n // 3)
    y = list(x)
    for i in range(a):
        y[i] *= 0.5 - 0.5 * math.cos(math.pi * i / a)
    for i in range(b):
        y[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / b)
    return y


def finish_effect(x, level, room):
    x = biquad(x, "hp", 28.0, 0.7)  # no DC or sub-bass rumble
    if room:
        x = add_room(x, room)
    x = fade_ends(trim_tail(x))
    gain = 10 ** ((TARGET_LOUDNESS + level - momentary_max(x)) / 20)
    peak = max(abs(v) for v in x)
    gain = min(gain, PEAK_CEILING / peak)
    return [v * gain for v in x]


def encode(x, channels, path_out, quality):
    raw = array.array("f", x).tobytes()
    cmd = ["sox", "-R", "-t", "f32", "-r", str(SR), "-c", str(channels), "-", "-C", str(quality), path_out]
    subprocess.run(cmd, input=raw, check=True)


def render_effect(stem):
    fn, level, room = EFFECTS[stem]
    rng = random.Random("velmorandine-" + stem)
    x = finish_effect(fn(rng), level, room)
    encode(x, 1, os.path.join(OUT_DIR, "sfx_%s.ogg" % stem), 5)
    peak = max(abs(v) for v in x)
    return "%-15s %5.2f s  peak %6.1f dBFS  loudness %6.1f" % (
        stem, len(x) / SR, 20 * math.log10(peak), momentary_max(x))


# ---------------------------------------------------------------- music

BPM = 64
BEAT = 60.0 / BPM
BAR = 4 * BEAT
BARS = 16
LOOP = secs(BARS * BAR)
LEAD = 0.05  # the loop point sits just before the downbeat, away from any note onset

# Two bars per chord: D major, gently around the circle and home again.
CHORDS = [
    # pad voicing,           bass roots (bar 1, bar 2), harp tones (low to high)
    ((50, 57, 61, 64, 66), (38, 45), (62, 66, 69, 73, 76, 78)),  # Dmaj9
    ((54, 57, 62, 64, 66), (35, 42), (59, 62, 66, 69, 71, 74)),  # Bm11
    ((55, 59, 62, 66, 69), (43, 50), (59, 62, 66, 67, 71, 74)),  # Gmaj9
    ((57, 62, 64, 69, 71), (45, 45), (57, 62, 64, 69, 71, 76)),  # Asus2/4
    ((54, 57, 62, 64, 69), (42, 38), (57, 62, 66, 69, 74, 76)),  # D/F#
    ((52, 55, 59, 62, 66), (40, 47), (59, 62, 64, 67, 71, 74)),  # Em9
    ((55, 59, 62, 66, 71), (43, 43), (62, 66, 67, 71, 74, 78)),  # Gmaj7
    ((57, 61, 64, 67, 69), (45, 40), (57, 61, 64, 67, 69, 73)),  # A7
]

# (start beat, length in beats, note); the tune rests every other phrase end.
MELODY = [
    (0, 2, 78), (2, 1, 76), (3, 1, 74),
    (4, 3, 81),
    (8, 1.5, 83), (9.5, 0.5, 81), (10, 2, 78),
    (12, 3, 74),
    (16, 1, 71), (17, 1, 74), (18, 2, 79),
    (20, 2, 78), (22, 2, 76),
    (24, 1, 76), (25, 1, 78), (26, 2, 81),
    (28, 3.5, 76),
    (32, 2, 78), (34, 1, 81), (35, 1, 86),
    (36, 2, 85), (38, 2, 81),
    (40, 2, 83), (42, 1, 79), (43, 1, 76),
    (44, 1, 74), (45, 1, 76), (46, 2, 79),
    (48, 1.5, 78), (49.5, 0.5, 79), (50, 2, 81),
    (52, 2, 83), (54, 1, 81), (55, 1, 78),
    (56, 3, 76), (59, 1, 74),
    (60, 2, 73), (62, 2, 76),
]

HARP_PATTERNS = ((0, 1, 2, 3, 4, 3, 2, 1), (0, 2, 3, 5, 4, 2, 3, 1))


class Track:
    """A stereo loop: sound added past the end wraps round to the start."""

    def __init__(self):
        self.left = [0.0] * LOOP
        self.right = [0.0] * LOOP

    def add(self, x, at, gain, pan=0.0):
        start = secs(at + LEAD) % LOOP
        gl = gain * math.cos((pan + 1) * math.pi / 4)
        gr = gain * math.sin((pan + 1) * math.pi / 4)
        left, right = self.left, self.right
        for i, v in enumerate(x):
            j = (start + i) % LOOP
            left[j] += v * gl
            right[j] += v * gr


def pad_voice(f, dur, rng):
    """Two slightly detuned soft tones, one per side, for a wide, calm pad."""
    n = secs(dur)
    harm = soft_saw(f, 1.9, limit=5000.0, top=10)
    a = osc(n, f * 2 ** (4 / 1200), harm, rng.random())
    b = osc(n, f * 2 ** (-4 / 1200), harm, rng.random())
    env = smooth_env(n, [(0, 0), (1.4, 1), (dur - 2.2, 0.85), (dur, 0)])
    return mul(a, env), mul(b, env)


def flute(dur, f, rng):
    n = secs(dur)
    vib = [f * (1 + 0.004 * min(1.0, max(0.0, (i / SR - 0.25) * 3)) * math.sin(2 * math.pi * 5 * i / SR))
           for i in range(n)]
    tone = osc_path(vib, ((1, 1.0), (2, 0.22), (3, 0.07), (4, 0.02)), rng.random())
    breath = biquad(white(n, rng), "bp", f * 2, 3.0)
    release = min(0.35, dur * 0.4)
    env = smooth_env(n, [(0, 0), (0.09, 0.85), (0.2, 1.0), (dur - release, 0.8), (dur, 0)])
    return [(t + 0.05 * b) * e for t, b, e in zip(tone, breath, env)]


def bass_note(dur, f):
    n = secs(dur)
    tone = osc(n, f, ((1, 1.0), (2, 0.3), (3, 0.08)))
    return mul(tone, smooth_env(n, [(0, 0), (0.06, 1), (dur * 0.5, 0.55), (dur, 0)]))


def render_music():
    rng = random.Random("velmorandine-bgm")
    track = Track()
    for c, (pad, bass, harp) in enumerate(CHORDS):
        t0 = c * 2 * BAR
        for note in pad:
            a, b = pad_voice(midi(note), 2 * BAR + 2.4, rng)
            track.add(a, t0 - 0.6, 0.06, -0.6)
            track.add(b, t0 - 0.6, 0.06, 0.6)
        for k, note in enumerate(bass):
            track.add(bass_note(BAR + 0.6, midi(note)), t0 + k * BAR, 0.22)
        pattern = HARP_PATTERNS[0 if c < 4 else 1]
        for step in range(16):
            note = harp[pattern[step % 8]] + (12 if step == 8 and c % 2 else 0)
            accent = 1.0 if step % 8 == 0 else (0.75 if step % 2 == 0 else 0.55)
            at = t0 + step * BEAT / 2 + rng.uniform(-0.006, 0.006)
            track.add(pluck(2.6, midi(note), rng, t60=2.2, bright=0.3), at, 0.65 * accent, -0.35)
    for beat, beats, note in MELODY:
        length = beats * BEAT
        track.add(flute(length + 0.15, midi(note), rng), beat * BEAT, 0.22, 0.25)
        if beat >= 32:  # a soft bell doubles the second half an octave up
            track.add(bell(1.6, midi(note + 12), 0.3), beat * BEAT, 0.11, -0.2)
    return track


def finish_music(track):
    inter = []
    for l, r in zip(track.left, track.right):
        inter.append(l)
        inter.append(r)
    wet = sox(["reverb", "60", "55", "100", "100", "20", "-5"], inter * 3, 2)
    middle = wet[2 * LOOP:4 * LOOP].tolist()  # steady state: the tails of the copy before have arrived
    mono = [middle[i] + middle[i + 1] for i in range(0, len(middle), 2)]
    rms = math.sqrt(sum(v * v for v in mono) / len(mono)) / 2
    gain = 10 ** (MUSIC_RMS / 20) / rms
    peak = max(abs(v) for v in middle)
    gain = min(gain, PEAK_CEILING / peak)
    return [v * gain for v in middle]


def render_bgm():
    x = finish_music(render_music())
    encode(x, 2, os.path.join(OUT_DIR, "bgm_calm.ogg"), 4)
    peak = max(abs(v) for v in x)
    return "%-15s %5.2f s  peak %6.1f dBFS" % ("bgm_calm", len(x) / 2 / SR, 20 * math.log10(peak))


# ---------------------------------------------------------------- driver

def render(name):
    return render_bgm() if name == "bgm_calm" else render_effect(name)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("names", nargs="*", help="effect stems or bgm_calm; none means all")
    ap.add_argument("-j", "--jobs", type=int, default=4)
    args = ap.parse_args()
    names = args.names or ["bgm_calm"] + sorted(EFFECTS)
    unknown = [n for n in names if n != "bgm_calm" and n not in EFFECTS]
    if unknown:
        sys.exit("unknown: " + ", ".join(unknown))
    os.makedirs(OUT_DIR, exist_ok=True)
    with multiprocessing.Pool(args.jobs) as pool:
        for line in pool.imap(render, names):
            print(line, flush=True)


if __name__ == "__main__":
    main()
