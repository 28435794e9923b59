// Plots over time of one vessel's channels, chosen by group, sharing the page's time: a
// line marks it, a click sets it; key presses and the engine start are marked on the axis.
import uPlot from 'uplot';
import { channelLabel, plotGroups } from './names.js';

const COLOURS = ['#1f5fbf', '#d0542a', '#2a9d4b', '#8a3fbf', '#b08a00', '#1d9aa8', '#c2366f', '#555'];
const DEFAULT_PLOTS = new Set(['speed', 'thrust_level', 'doors', 'mechanisms']);

export class Plots {
  constructor(box, data, state, seek) {
    this.data = data;
    this.state = state;
    this.seek = seek;
    this.chosen = new Set(DEFAULT_PLOTS);
    this.plots = [];
    const title = document.createElement('h2');
    title.textContent = 'Plots of ';
    this.select = document.createElement('select');
    this.select.setAttribute('aria-label', 'vessel');
    data.meta.vessels.forEach((vessel, i) => this.select.add(new Option(vessel.name, String(i))));
    this.select.value = String(state.vessel);
    title.append(this.select);
    this.choose = document.createElement('div');
    this.choose.className = 'choose';
    this.area = document.createElement('div');
    box.append(title, this.choose, this.area);
    this.build();
  }

  onVessel(listener) {
    this.select.addEventListener('change', () => listener(Number(this.select.value)));
  }

  build() {
    for (const { plot } of this.plots) plot.destroy();
    this.plots = [];
    this.area.replaceChildren();
    this.choose.replaceChildren();
    this.select.value = String(this.state.vessel);
    const vessel = this.data.meta.vessels[this.state.vessel];
    const groups = plotGroups(vessel.channels.map((c) => c.name));
    for (const group of groups) {
      const box = document.createElement('label');
      const tick = document.createElement('input');
      tick.type = 'checkbox';
      tick.checked = this.chosen.has(group.id);
      tick.addEventListener('change', () => {
        if (tick.checked) this.chosen.add(group.id);
        else this.chosen.delete(group.id);
        this.build();
        this.show(this.state.time);
      });
      box.append(tick, ` ${group.title}`);
      this.choose.append(box);
    }
    for (const group of groups.filter((g) => this.chosen.has(g.id))) this.add(vessel, group);
  }

  add(vessel, group) {
    const holder = document.createElement('div');
    holder.className = 'plot';
    holder.dataset.plot = group.id;
    this.area.append(holder);
    const marks = vessel.keys.map((k) => ({ t: k.t, text: k.key, colour: k.taken ? '#777' : '#c00' }));
    if (vessel.engineStart !== null) marks.push({ t: vessel.engineStart, text: 'engine', colour: '#2a9d4b' });
    const page = this;
    const options = {
      title: `${group.title} (${group.unit})`,
      width: Math.max(300, this.area.clientWidth - 24),
      height: 180,
      cursor: { y: false, sync: { key: 'report' } },
      // A flat curve gets a range around its value instead of uPlot's 0 to 100.
      scales: { x: { time: false }, y: { range: (u, lo, hi) => (lo === hi ? [lo - 1, hi + 1] : uPlot.rangeNum(lo, hi, 0.1, true)) } },
      series: [{ label: 't (s)' }].concat(
        group.channels.map((name, i) => ({ label: channelLabel(name), stroke: COLOURS[i % COLOURS.length], width: 1.5 })),
      ),
      hooks: {
        draw: [(u) => page.decorate(u, marks)],
        ready: [(u) => u.over.addEventListener('click', () => {
          if (u.cursor.left >= 0) page.seek(u.posToVal(u.cursor.left, 'x'));
        })],
      },
    };
    const columns = [this.data.times].concat(group.channels.map((name) => vessel.values[name]));
    this.plots.push({ id: group.id, holder, plot: new uPlot(options, columns, holder) });
  }

  // The page's time as a line, the marks as ticks with their names along the top.
  decorate(u, marks) {
    const ctx = u.ctx;
    const { top, height } = u.bbox;
    const pixel = devicePixelRatio || 1;
    ctx.save();
    ctx.font = `${10 * pixel}px sans-serif`;
    for (const mark of marks) {
      const x = u.valToPos(mark.t, 'x', true);
      ctx.strokeStyle = mark.colour;
      ctx.setLineDash([4 * pixel, 3 * pixel]);
      ctx.beginPath();
      ctx.moveTo(x, top);
      ctx.lineTo(x, top + height);
      ctx.stroke();
      ctx.fillStyle = mark.colour;
      ctx.fillText(mark.text, x + 2 * pixel, top + 10 * pixel);
    }
    const x = u.valToPos(this.state.time, 'x', true);
    ctx.setLineDash([]);
    ctx.strokeStyle = '#e00';
    ctx.lineWidth = 2 * pixel;
    ctx.beginPath();
    ctx.moveTo(x, top);
    ctx.lineTo(x, top + height);
    ctx.stroke();
    ctx.restore();
  }

  show(t) {
    for (const { plot } of this.plots) {
      plot.redraw(false, false);
      plot.setCursor({ left: plot.valToPos(t, 'x'), top: 10 });
    }
  }

  box(id) {
    const found = this.plots.find((p) => p.id === id);
    if (!found) return null;
    const r = found.holder.getBoundingClientRect();
    return { x: r.left, y: r.top, width: r.width, height: r.height };
  }
}
