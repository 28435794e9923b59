// The page's own logic: decoding the columns, naming and grouping channels, finding the
// frame of a time, thinning paths and posing groups as the host does.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { deflateSync } from 'node:zlib';
import { base64Bytes, inflate, decodeChannel, NOT_A_NUMBER } from '../src/decode.js';
import { channelLabel, plotGroups } from '../src/names.js';
import { frameAt } from '../src/timeline.js';
import { thinPath } from '../src/thin.js';
import { apply, componentMotions, groupPoses, poseOrder, progress } from '../src/pose.js';

test('columns decode from base64, zlib and 16-bit differences that wrap', async () => {
  // codes 0, 65534, NaN, 1: the differences wrap below 0 and past 65535
  const deltas = new Uint16Array([0, 65534, 1, 2]);
  const text = deflateSync(Buffer.from(deltas.buffer)).toString('base64');
  const bytes = await inflate(base64Bytes(text));
  const channel = { min: -1, max: 3, codes: { type: 'u16', offset: 0, count: 4 } };
  const values = decodeChannel(channel, 4, bytes.buffer);
  assert.deepEqual(Array.from(values), [-1, 3, NaN, Math.fround(-1 + 4 / (NOT_A_NUMBER - 1))]);
  assert.deepEqual(Array.from(decodeChannel({ min: 2.5, max: 2.5 }, 3, bytes.buffer)), [2.5, 2.5, 2.5]);
});

test('channels are named by what they are and grouped by what they move', () => {
  assert.equal(channelLabel('yaw_left_1_level'), 'yaw left 1');
  assert.equal(channelLabel('main_max'), 'main');
  assert.equal(channelLabel('forward_m_s'), 'forward part');
  const names = ['x_m', 'z_m', 'heading_deg', 'speed_m_s', 'forward_m_s', 'side_m_s', 'yaw_rate_deg_s',
    'main_level', 'main_max', 'turret', 'door_latch_left', 'door_left', 'lever_left_1', 'wheels_right_forward', 'anim14'];
  const groups = Object.fromEntries(plotGroups(names).map((g) => [g.id, g.channels]));
  assert.deepEqual(groups, {
    speed: ['speed_m_s', 'forward_m_s', 'side_m_s'],
    heading: ['heading_deg'],
    yaw_rate: ['yaw_rate_deg_s'],
    thrust_level: ['main_level'],
    thrust_max: ['main_max'],
    doors: ['door_latch_left', 'door_left'],
    levers: ['lever_left_1'],
    wheels: ['wheels_right_forward'],
    mechanisms: ['turret', 'anim14'],
  });
});

test('the frame of a time is the last at or before it, clamped to the run', () => {
  const times = [0, 0.5, 1, 1.5];
  const cases = [[-1, 0], [0, 0], [0.49, 0], [0.5, 1], [1.2, 2], [1.5, 3], [9, 3], [NaN, 0]];
  for (const [t, frame] of cases) assert.equal(frameAt(times, t), frame, `t = ${t}`);
  assert.equal(frameAt([], 1), -1);
});

test('paths keep the ends and the points a resolution apart', () => {
  const xs = [0, 0.2, 0.5, 1.0, 1.1, 3, 3.05];
  const zs = [0, 0, 0, 0, 0, 0, 0];
  assert.deepEqual(thinPath(xs, zs, 1), [0, 3, 5, 6]);
  assert.deepEqual(thinPath([4], [4], 1), [0]);
  assert.deepEqual(thinPath([], [], 1), []);
});

test('groups are posed as the host poses them: progress, parents, order of animations', () => {
  const door = { animation: 1, state0: 0.5, state1: 1, parent: -1, slot: 0, groups: [7], reference: [0, 0, 1], axis: [0, 2, 0], angle: Math.PI / 2 };
  const latch = { animation: 0, state0: 0, state1: 0.5, parent: -1, slot: 0, groups: [7], reference: [0, 0, 0], axis: [1, 0, 0], angle: Math.PI };
  const arm = { animation: 2, state0: 0, state1: 0, parent: 0, slot: 0, groups: [8], reference: [0, 0, 0], axis: [0, 0, 1], angle: Math.PI / 2 };
  for (const [state, p] of [[0.5, 0], [0.75, 0.5], [1, 1], [2, 1], [0.2, 0]]) assert.equal(progress(door, state), p);
  assert.equal(progress(arm, 0), 1, 'a component of no range has turned fully from its state on');
  const components = [door, latch, arm];
  const motions = componentMotions(components, [0.5, 1, 0]);
  const poses = groupPoses(components, poseOrder(components), motions);
  const close = (a, b) => a.forEach((v, i) => assert.ok(Math.abs(v - b[i]) < 1e-12, `${a} vs ${b}`));
  // Group 7: the latch (animation 0) turns it first, about x by pi; then the door about
  // the vertical line through (0, 0, 1) by pi/2: (0, 1, 0) -> (0, -1, 0) -> (-1, -1, 1).
  close(apply(poses.get('0:7'), [0, 1, 0]), [-1, -1, 1]);
  // Group 8 hangs on the door: its own turn about z, then the door's.
  close(apply(poses.get('0:8'), [1, 0, 0]), [-1, 1, 1]);
});
