// Reads the PNG files the checks compare: 8-bit RGB or RGBA, not interlaced
// (what the game's shots and Chromium's screenshots are).
'use strict';
const zlib = require('zlib');

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// {width, height, rgb: Uint8Array of width * height * 3}
function readPng(buffer) {
  if (buffer.readUInt32BE(0) !== 0x89504e47) throw new Error('not a PNG file');
  let offset = 8;
  let width = 0;
  let height = 0;
  let channels = 0;
  const idat = [];
  while (offset < buffer.length) {
    const length = buffer.readUInt32BE(offset);
    const type = buffer.toString('latin1', offset + 4, offset + 8);
    const data = buffer.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      const depth = data[8];
      const colour = data[9];
      if (depth !== 8 || (colour !== 2 && colour !== 6) || data[12] !== 0) {
        throw new Error(`unsupported PNG (depth ${depth}, colour type ${colour})`);
      }
      channels = colour === 2 ? 3 : 4;
    } else if (type === 'IDAT') {
      idat.push(data);
    } else if (type === 'IEND') {
      break;
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const pixels = new Uint8Array(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? pixels[y * stride + x - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
      const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      pixels[y * stride + x] = (line[x] + predictor) & 0xff;
    }
  }
  const rgb = new Uint8Array(width * height * 3);
  for (let i = 0; i < width * height; ++i) {
    rgb[i * 3] = pixels[i * channels];
    rgb[i * 3 + 1] = pixels[i * channels + 1];
    rgb[i * 3 + 2] = pixels[i * channels + 2];
  }
  return {width, height, rgb};
}

// Pixels whose 16-bit colour (the game's RGB565) differs: the game draws in
// RGB565, and the browser and the native shot may widen it to 24 bits in
// different ways.
function differingPixels(one, other) {
  if (one.width !== other.width || one.height !== other.height) return one.width * one.height;
  let count = 0;
  for (let i = 0; i < one.width * one.height; ++i) {
    if ((one.rgb[i * 3] >> 3) !== (other.rgb[i * 3] >> 3) || (one.rgb[i * 3 + 1] >> 2) !== (other.rgb[i * 3 + 1] >> 2) ||
        (one.rgb[i * 3 + 2] >> 3) !== (other.rgb[i * 3 + 2] >> 3)) {
      ++count;
    }
  }
  return count;
}

module.exports = {readPng, differingPixels};
