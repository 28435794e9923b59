// Where each mesh group of a vessel stands at given animation states, worked out with
// the host's own arithmetic (host/vessel/pose.cpp, host/mesh/rigid_transform.cpp): a component turns
// about the line through its reference point by its progress times its angle; a child
// component's motion follows its parent's; a group named by several components takes
// their motions in animation order, then component order. A motion is {r: 3x3 rows, t}.

export const IDENTITY = Object.freeze({ r: [1, 0, 0, 0, 1, 0, 0, 0, 1], t: [0, 0, 0] });

export function progress(component, state) {
  if (component.state1 === component.state0) return state >= component.state1 ? 1 : 0;
  const p = (state - component.state0) / (component.state1 - component.state0);
  return Math.min(1, Math.max(0, p));
}

export function apply(m, p) {
  const { r, t } = m;
  return [
    r[0] * p[0] + r[1] * p[1] + r[2] * p[2] + t[0],
    r[3] * p[0] + r[4] * p[1] + r[5] * p[2] + t[1],
    r[6] * p[0] + r[7] * p[1] + r[8] * p[2] + t[2],
  ];
}

// m following `first`: after(m, first) applied to p is m applied to first applied to p.
export function after(m, first) {
  const r = new Array(9);
  for (let i = 0; i < 3; ++i)
    for (let j = 0; j < 3; ++j)
      r[i * 3 + j] =
        m.r[i * 3] * first.r[j] + m.r[i * 3 + 1] * first.r[3 + j] + m.r[i * 3 + 2] * first.r[6 + j];
  return { r, t: apply(m, first.t) };
}

// A turn of `angle` radians about the line through `point` along `axis` (Rodrigues).
export function rotation(point, axis, angle) {
  const length = Math.sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  if (length === 0) return IDENTITY;
  const u = [axis[0] / length, axis[1] / length, axis[2] / length];
  const c = Math.cos(angle);
  const s = Math.sin(angle);
  const cross = [0, -u[2], u[1], u[2], 0, -u[0], -u[1], u[0], 0];
  const r = new Array(9);
  for (let i = 0; i < 3; ++i)
    for (let j = 0; j < 3; ++j) r[i * 3 + j] = (i === j ? c : 0) + s * cross[i * 3 + j] + (1 - c) * u[i] * u[j];
  const turned = apply({ r, t: [0, 0, 0] }, point);
  return { r, t: [point[0] - turned[0], point[1] - turned[1], point[2] - turned[2]] };
}

// The motion of every component at `states` (by animation index).
export function componentMotions(components, states) {
  const motions = [];
  for (const c of components) {
    let m = IDENTITY;
    if (c.axis) m = rotation(c.reference, c.axis, progress(c, states[c.animation]) * c.angle);
    if (c.parent >= 0) m = after(motions[c.parent], m);
    motions.push(m);
  }
  return motions;
}

// The components that move groups, in the order their motions apply.
export function poseOrder(components) {
  return components.map((_, i) => i).sort((a, b) => components[a].animation - components[b].animation || a - b);
}

// The motion of every group that a component names, by "slot:group".
export function groupPoses(components, order, motions) {
  const poses = new Map();
  for (const c of order) {
    const component = components[c];
    if (!component.groups) continue;
    for (const group of component.groups) {
      const key = `${component.slot}:${group}`;
      poses.set(key, after(motions[c], poses.get(key) || IDENTITY));
    }
  }
  return poses;
}
