// Time on the page: the frame shown at a time, and the clock that plays the run.

// The last frame at or before t (the first for a time before it, the last after the end).
export function frameAt(times, t) {
  let lo = 0;
  let hi = times.length - 1;
  if (hi < 0) return -1;
  if (!(t >= times[0])) return 0;
  while (lo < hi) {
    const mid = (lo + hi + 1) >> 1;
    if (times[mid] <= t) lo = mid;
    else hi = mid - 1;
  }
  return lo;
}

// Plays from `start` to `end` at `speed` simulated seconds per second, telling `onTime`.
export class Clock {
  constructor(start, end, onTime) {
    this.start = start;
    this.end = end;
    this.time = start;
    this.speed = 1;
    this.playing = false;
    this.onTime = onTime;
    this.listeners = [];
  }

  seek(t) {
    this.time = Math.min(this.end, Math.max(this.start, t));
    this.onTime(this.time);
  }

  play() {
    if (this.playing) return;
    if (this.time >= this.end) this.time = this.start;
    this.playing = true;
    let last = performance.now();
    const tick = (now) => {
      if (!this.playing) return;
      this.seek(this.time + ((now - last) / 1000) * this.speed);
      last = now;
      if (this.time >= this.end) this.pause();
      else requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
    this.changed();
  }

  pause() {
    this.playing = false;
    this.changed();
  }

  onChange(listener) {
    this.listeners.push(listener);
  }

  changed() {
    for (const listener of this.listeners) listener(this);
  }
}
