// Paths thinned to what a view can show: a point is kept only when it lies at least
// `resolution` from the last one kept; the first and last points are always kept.
export function thinPath(xs, zs, resolution) {
  const n = Math.min(xs.length, zs.length);
  const kept = [];
  if (n === 0) return kept;
  kept.push(0);
  const least = resolution * resolution;
  let lx = xs[0];
  let lz = zs[0];
  for (let i = 1; i < n - 1; ++i) {
    const dx = xs[i] - lx;
    const dz = zs[i] - lz;
    if (dx * dx + dz * dz >= least) {
      kept.push(i);
      lx = xs[i];
      lz = zs[i];
    }
  }
  if (n > 1) kept.push(n - 1);
  return kept;
}
