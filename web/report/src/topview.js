// The ground seen from above: every vessel's path (thinned to the pixels it covers), and
// where each vessel is at the page's time; the chosen vessel drawn larger, with its heading.
import { thinPath } from './thin.js';

const MARGIN = 20; // pixels

export class TopView {
  constructor(parent, data, state) {
    this.data = data;
    this.state = state;
    const box = document.createElement('section');
    box.className = 'view';
    box.innerHTML = '<h2>Paths from above (x right, z up)</h2>';
    this.canvas = document.createElement('canvas');
    this.canvas.id = 'topview';
    box.append(this.canvas);
    parent.append(box);
    this.frame = 0;
    this.bounds();
    new ResizeObserver(() => this.layout()).observe(this.canvas);
  }

  bounds() {
    let lo = [Infinity, Infinity];
    let hi = [-Infinity, -Infinity];
    for (const v of this.data.meta.vessels) {
      for (const [axis, name] of [[0, 'x_m'], [1, 'z_m']]) {
        for (const value of v.values[name]) {
          if (!Number.isFinite(value)) continue;
          lo[axis] = Math.min(lo[axis], value);
          hi[axis] = Math.max(hi[axis], value);
        }
      }
    }
    if (!(lo[0] <= hi[0])) (lo = [-10, -10]), (hi = [10, 10]);
    this.lo = lo.map((v) => v - 5);
    this.hi = hi.map((v) => v + 5);
  }

  layout() {
    const pixel = devicePixelRatio || 1;
    const width = this.canvas.clientWidth * pixel;
    const height = this.canvas.clientHeight * pixel;
    if (!width || !height) return;
    this.canvas.width = width;
    this.canvas.height = height;
    const scale = Math.min((width - 2 * MARGIN) / (this.hi[0] - this.lo[0]), (height - 2 * MARGIN) / (this.hi[1] - this.lo[1]));
    const cx = (this.lo[0] + this.hi[0]) / 2;
    const cz = (this.lo[1] + this.hi[1]) / 2;
    this.toX = (x) => width / 2 + (x - cx) * scale;
    this.toY = (z) => height / 2 - (z - cz) * scale;
    // The paths once, behind every later drawing.
    this.paths = document.createElement('canvas');
    this.paths.width = width;
    this.paths.height = height;
    const ctx = this.paths.getContext('2d');
    ctx.fillStyle = '#fbfbf8';
    ctx.fillRect(0, 0, width, height);
    ctx.strokeStyle = 'rgba(40, 80, 160, 0.5)';
    ctx.lineWidth = pixel;
    for (const v of this.data.meta.vessels) {
      const xs = v.values.x_m;
      const zs = v.values.z_m;
      const kept = thinPath(xs, zs, 1 / scale);
      ctx.beginPath();
      kept.forEach((i, k) => (k ? ctx.lineTo(this.toX(xs[i]), this.toY(zs[i])) : ctx.moveTo(this.toX(xs[i]), this.toY(zs[i]))));
      ctx.stroke();
    }
    this.show(this.frame);
  }

  show(frame) {
    this.frame = frame;
    if (!this.paths) return;
    const ctx = this.canvas.getContext('2d');
    const pixel = devicePixelRatio || 1;
    ctx.drawImage(this.paths, 0, 0);
    ctx.fillStyle = '#d0542a';
    const vessels = this.data.meta.vessels;
    vessels.forEach((v, i) => {
      const x = this.toX(v.values.x_m[frame]);
      const y = this.toY(v.values.z_m[frame]);
      const r = (i === this.state.vessel ? 5 : 2.5) * pixel;
      ctx.fillRect(x - r, y - r, 2 * r, 2 * r);
    });
    const v = vessels[this.state.vessel];
    if (!v) return;
    const h = (v.values.heading_deg[frame] * Math.PI) / 180;
    const x = this.toX(v.values.x_m[frame]);
    const y = this.toY(v.values.z_m[frame]);
    ctx.strokeStyle = '#1f3fbf';
    ctx.lineWidth = 2 * pixel;
    ctx.beginPath();
    ctx.moveTo(x, y);
    ctx.lineTo(x + Math.sin(h) * 20 * pixel, y - Math.cos(h) * 20 * pixel);
    ctx.stroke();
    ctx.fillStyle = '#1b1d22';
    ctx.font = `${12 * pixel}px sans-serif`;
    ctx.fillText(v.name, x + 8 * pixel, y - 8 * pixel);
  }
}
