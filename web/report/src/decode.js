// The page's data: a byte block, deflated and written as base64, holding the arrays that
// the metadata describes ({type, offset, count}); each vessel channel is 16-bit codes
// stored as differences from one frame to the next.

export const NOT_A_NUMBER = 65535;

const TYPES = { f32: Float32Array, u32: Uint32Array, u16: Uint16Array };

export function base64Bytes(text) {
  const binary = atob(text.replace(/\s+/g, ''));
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// The zlib stream undone by the browser's own decompressor.
export async function inflate(bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

export function view(buffer, where) {
  const Type = TYPES[where.type];
  if (!Type) throw new Error(`unknown array type ${where.type}`);
  return new Type(buffer, where.offset, where.count);
}

// A channel's values by frame: min + code * (max - min) / 65534, NaN for the code 65535;
// a channel without codes holds min throughout.
export function decodeChannel(channel, frames, buffer) {
  const values = new Float32Array(frames);
  if (!channel.codes) return values.fill(channel.min);
  const deltas = view(buffer, channel.codes);
  const step = (channel.max - channel.min) / (NOT_A_NUMBER - 1);
  let code = 0;
  for (let i = 0; i < frames && i < deltas.length; ++i) {
    code = (code + deltas[i]) & 0xffff;
    values[i] = code === NOT_A_NUMBER ? NaN : channel.min + code * step;
  }
  return values;
}
