// What the channels are called on the page, and which plot each one goes to. Channel
// names are the telemetry's column names.

const MOTION = {
  x_m: 'x',
  z_m: 'z',
  heading_deg: 'heading',
  speed_m_s: 'speed',
  forward_m_s: 'forward part',
  side_m_s: 'side part',
  yaw_rate_deg_s: 'yaw rate',
};

// "door_latch_left" -> "door latch left"; "main_level" -> "main"; "main_max" -> "main".
export function channelLabel(name) {
  if (MOTION[name]) return MOTION[name];
  return name.replace(/_(level|max)$/, '').replace(/_/g, ' ');
}

// The plots a vessel's channels make, in page order; a plot with no channel is left out.
// Animations are grouped by what they move.
const PLOTS = [
  { id: 'speed', title: 'Speed', unit: 'm/s', match: (n) => /^(speed|forward|side)_m_s$/.test(n) },
  { id: 'heading', title: 'Heading', unit: 'deg', match: (n) => n === 'heading_deg' },
  { id: 'yaw_rate', title: 'Yaw rate', unit: 'deg/s', match: (n) => n === 'yaw_rate_deg_s' },
  { id: 'thrust_level', title: 'Thruster levels', unit: '0 to 1', match: (n) => n.endsWith('_level') },
  { id: 'thrust_max', title: 'Thruster maximum', unit: 'N', match: (n) => n.endsWith('_max') },
  { id: 'doors', title: 'Doors and latches', unit: 'state', match: (n) => n.startsWith('door') },
  { id: 'levers', title: 'Levers', unit: 'state', match: (n) => n.startsWith('lever') },
  { id: 'wheels', title: 'Wheels', unit: 'state', match: (n) => n.startsWith('wheel') },
  { id: 'mechanisms', title: 'Turret, cannon, roof and others', unit: 'state', match: () => true },
];

const NOT_PLOTTED = new Set(['x_m', 'z_m']); // the top view shows the path

export function plotGroups(names) {
  const groups = PLOTS.map((plot) => ({ id: plot.id, title: plot.title, unit: plot.unit, channels: [] }));
  for (const name of names) {
    if (NOT_PLOTTED.has(name)) continue;
    const at = PLOTS.findIndex((plot) => plot.match(name));
    groups[at].channels.push(name);
  }
  return groups.filter((group) => group.channels.length > 0);
}
