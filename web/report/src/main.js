// The report page: reads the run's data from the page itself, lays out the header, the
// shared time controls, the 3D replay, the top view and the plots.
import { base64Bytes, inflate, decodeChannel } from './decode.js';
import { frameAt, Clock } from './timeline.js';
import { Plots } from './plots.js';
import { TopView } from './topview.js';
import { Replay } from './replay.js';

function element(tag, attributes = {}, ...children) {
  const e = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (name === 'text') e.textContent = value;
    else e.setAttribute(name, value);
  }
  for (const child of children) e.append(child);
  return e;
}

async function load() {
  const meta = JSON.parse(document.getElementById('report-meta').textContent);
  const bytes = await inflate(base64Bytes(document.getElementById('report-data').textContent));
  const buffer = bytes.buffer;
  const times = new Float32Array(buffer, meta.times.offset, meta.times.count);
  for (const vessel of meta.vessels) {
    vessel.values = {};
    for (const channel of vessel.channels) vessel.values[channel.name] = decodeChannel(channel, times.length, buffer);
  }
  return { meta, buffer, times };
}

function header(meta) {
  const summaries = element('div', { class: 'summaries' });
  for (const vessel of meta.vessels.slice(0, 200)) summaries.append(element('pre', { text: vessel.summary }));
  if (meta.vessels.length > 200)
    summaries.append(element('pre', { text: `... and ${meta.vessels.length - 200} vessels more` }));
  return element(
    'header',
    {},
    element('h1', { text: `Run of ${meta.scenario}` }),
    element('pre', { text: meta.description || '(no description)' }),
    element('div', {
      class: 'facts',
      text: `step ${meta.step} s, duration ${meta.duration} s (${meta.steps} steps), ` +
        `${meta.vessels.length} vessel${meta.vessels.length === 1 ? '' : 's'}`,
    }),
    summaries,
  );
}

async function main() {
  const data = await load();
  const { meta, times } = data;
  const end = times.length ? times[times.length - 1] : 0;

  const play = element('button', { text: 'Play' });
  const speed = element('select', { 'aria-label': 'speed' });
  for (const s of [0.25, 0.5, 1, 2, 4, 8]) speed.append(element('option', { value: s, text: `${s}x` }));
  speed.value = '1';
  const slider = element('input', { type: 'range', min: 0, max: end, step: 'any', value: 0, 'aria-label': 'time' });
  const label = element('span', { class: 'time' });
  const controls = element('div', { class: 'controls' }, play, speed, slider, label);

  const views = element('div', { class: 'views' });
  const plotsBox = element('section', { class: 'plots' });
  document.body.append(header(meta), controls, views, plotsBox);

  const state = { vessel: meta.focus, time: 0 };
  const listeners = [];
  const clock = new Clock(0, end, (t) => {
    state.time = t;
    const frame = frameAt(times, t);
    slider.value = t;
    label.textContent = `${t.toFixed(2)} s of ${end.toFixed(2)} s`;
    for (const listener of listeners) listener(t, frame);
  });
  clock.onChange(() => { play.textContent = clock.playing ? 'Pause' : 'Play'; });
  play.addEventListener('click', () => (clock.playing ? clock.pause() : clock.play()));
  speed.addEventListener('change', () => { clock.speed = Number(speed.value); });
  slider.addEventListener('input', () => clock.seek(Number(slider.value)));

  // Without WebGL the page still shows the paths and the plots.
  let replay;
  try {
    replay = new Replay(views, data, state);
  } catch (error) {
    views.append(element('section', { class: 'view', text: `The 3D replay cannot be shown here: ${error.message}` }));
    replay = { show() {}, follow() {}, setMode() {}, partBox: () => null };
  }
  const top = new TopView(views, data, state);
  const plots = new Plots(plotsBox, data, state, (t) => clock.seek(t));
  listeners.push((t, frame) => replay.show(frame), (t, frame) => top.show(frame), (t) => plots.show(t));
  const chooseVessel = (index) => {
    state.vessel = index;
    replay.follow(index);
    plots.build();
    clock.seek(state.time);
  };
  plots.onVessel(chooseVessel);
  clock.seek(0);

  // For the page's checks: set the time and look at what the views show.
  window.report = {
    seek: (t) => clock.seek(t),
    camera: (mode) => replay.setMode(mode),
    partBox: (vessel, animation) => replay.partBox(vessel, animation),
    plotBox: (id) => plots.box(id),
    ready: true,
  };
  document.body.dataset.ready = 'true';
}

main().catch((error) => {
  document.body.append(element('pre', { text: `The report cannot be shown: ${error.stack || error}` }));
  throw error;
});
