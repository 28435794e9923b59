#!/usr/bin/env python3
"""Writes the seed inputs of the vehicle fuzz target (corpus/vehicle/), one driving
script each, in the target's encoding: a sound-library byte, then events, each an
opcode byte and its operands (see vehicle_fuzz.cpp and byte_reader.h)."""
import os
import struct

PRESENT, ABSENT, WITHOUT_REPLACE_STOCK, WITHOUT_VESSEL_ID = range(4)
VARLOK1, VARLOK3C, KELDOCONTROL = range(3)
# Index into the target's module key list (scan codes 2, 3, 4, 6, 7, 8, 9, 17, 32, 37).
KEY = {'1': 0, '2': 1, '3': 2, '5': 3, '6': 4, '7': 5, '8': 6, 'W': 7, 'D': 8, 'K': 9}
# Index into ByteReader's edge values.
EDGE = {0.0: 0, 0.02: 2, 0.1: 3, 0.5: 4, 1.0: 5, -1.0: 6, 13.000001: 11, 55.0: 12,
        100.0: 14, -0.5: 16, 1e9: 21, 1e300: 22, 'max': 24, 'inf': 26, '-inf': 27,
        'nan': 28, 0.2: 29, -0.2: 30}
RUDDER = 1


def number(value):
    if value in EDGE:
        return bytes([EDGE[value]])
    return bytes([0x80]) + struct.pack('<d', value)


def create(cls): return bytes([0, cls, 1])
def destroy(slot): return bytes([1, slot])
def key(slot, name, down=True): return bytes([2, slot, KEY[name], int(down)])
def press(slot, name): return key(slot, name, True) + key(slot, name, False)
def raw_key(slot, code): return bytes([2, slot, 0xFF]) + struct.pack('>I', code) + bytes([1])
def step(dt, count=1): return (bytes([3]) + number(dt)) * count
def airspeed(slot, v): return bytes([4, slot]) + number(v)
def airspeed_vector(slot, z): return bytes([5, slot]) + number(0.0) + number(0.0) + number(z)
def rudder(slot, v): return bytes([6, slot, RUDDER]) + number(v)
def ground(slot, on=True): return bytes([7, slot, int(on)])
def thruster(slot, index, level): return bytes([8, slot, index]) + number(level)
def visual(slot, on=True): return bytes([9 if on else 10, slot])
def focus(slot): return bytes([11, slot])


SEEDS = {
    'drive_varlok1': bytes([PRESENT]) + create(VARLOK1) + ground(0) + focus(0) + press(0, 'K')
    + thruster(0, 0, 1.0) + airspeed(0, 13.000001) + airspeed_vector(0, 13.000001) + step(0.02, 30)
    + rudder(0, -0.2) + step(0.02, 10) + rudder(0, 0.0) + thruster(0, 0, 0.0)
    + thruster(0, 1, 1.0) + airspeed(0, 100.0) + airspeed_vector(0, -1.0) + step(0.02, 30),
    'doors_all_classes': bytes([ABSENT]) + create(VARLOK1) + create(VARLOK3C) + create(KELDOCONTROL)
    + press(0, 'D') + press(1, 'D') + press(2, 'D') + step(0.5, 4) + press(1, 'D') + step(1.0, 6)
    + press(2, 'D') + step(0.1, 50),
    'turret_cannon_huge_step': bytes([PRESENT]) + create(VARLOK3C) + press(0, 'K') + press(0, '8')
    + press(0, '5') + press(0, 'W') + step(0.1, 20) + step(1e9) + step(0.02, 5) + press(0, '7')
    + press(0, '6') + step(100.0) + step(0.02, 5),
    'roof_odd_steps': bytes([WITHOUT_VESSEL_ID]) + create(KELDOCONTROL) + step(0.0) + step(-1.0)
    + step('nan') + step('inf') + step('-inf') + step('max') + step(0.02, 10),
    'readings_not_finite': bytes([WITHOUT_REPLACE_STOCK]) + create(VARLOK1) + press(0, 'K')
    + ground(0) + airspeed(0, 'nan') + rudder(0, 'inf') + thruster(0, 0, 'nan') + step(0.02, 3)
    + airspeed(0, '-inf') + rudder(0, -0.5) + thruster(0, 1, 1e300) + step(0.02, 3)
    + airspeed(0, -1e300) + rudder(0, 0.5) + step(0.02, 3),
    'visuals_and_destruction': bytes([PRESENT]) + create(VARLOK3C) + create(VARLOK1) + visual(0)
    + visual(1) + visual(0, False) + destroy(1) + visual(0, False) + step(0.02) + create(KELDOCONTROL)
    + visual(1) + destroy(0) + step(0.02) + destroy(0) + step(0.02),
    'keys_any_code': bytes([PRESENT]) + create(VARLOK1) + raw_key(0, 0xFFFFFFFF) + raw_key(0, 256)
    + raw_key(0, 37 + 256) + raw_key(0, 32) + key(0, 'W') + press(0, '5') + step(0.02, 3),
}

if __name__ == '__main__':
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'vehicle')
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
