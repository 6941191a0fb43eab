#!/usr/bin/env node
// Writes data/tri.gif and data/triL.gif, the submenu arrows, byte by byte: 5 x 9 pixels, black on a
// transparent background, pointing right (tri.gif) and left (triL.gif).
// Usage: node tests/web/tools/make_arrows.js [OUTPUT-FOLDER]   (default: data/ of the checkout)
'use strict';
const fs = require('fs');
const path = require('path');

const W = 5;
const H = 9;

// 1 = arrow, 0 = transparent; rows top to bottom.
function rightArrow() {
  const rows = [];
  for (let y = 0; y < H; y++) {
    const len = Math.min(y, H - 1 - y) + 1;
    const row = [];
    for (let x = 0; x < W; x++) row.push(x < len ? 1 : 0);
    rows.push(row);
  }
  return rows;
}

// LZW with a clear code after every two pixels keeps every code 3 bits wide: a valid stream that needs
// no code table, which is all a picture this small wants.
function lzw(pixels) {
  const CLEAR = 4;
  const END = 5;
  const codes = [];
  for (let i = 0; i < pixels.length; i++) {
    if (i % 2 === 0) codes.push(CLEAR);
    codes.push(pixels[i]);
  }
  codes.push(END);
  const bytes = [];
  let acc = 0;
  let bits = 0;
  for (const c of codes) {
    acc |= c << bits;
    bits += 3;
    while (bits >= 8) {
      bytes.push(acc & 0xff);
      acc >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0) bytes.push(acc & 0xff);
  return bytes;
}

function gif(rows) {
  const pixels = [].concat(...rows);
  const data = lzw(pixels);
  const out = [];
  const u16 = (v) => out.push(v & 0xff, (v >> 8) & 0xff);
  out.push(...Buffer.from('GIF89a', 'ascii'));
  u16(W);
  u16(H);
  out.push(0x80, 0, 0); // global colour table of two entries, background 0, square pixels
  out.push(0xff, 0xff, 0xff, 0x00, 0x00, 0x00); // 0: white (transparent), 1: black
  out.push(0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00); // graphic control: index 0 transparent
  out.push(0x2c);
  u16(0);
  u16(0);
  u16(W);
  u16(H);
  out.push(0x00); // no local colour table, not interlaced
  out.push(0x02); // LZW minimum code size
  for (let i = 0; i < data.length; i += 255) {
    const block = data.slice(i, i + 255);
    out.push(block.length, ...block);
  }
  out.push(0x00, 0x3b);
  return Buffer.from(out);
}

const folder = process.argv[2] || path.join(__dirname, '..', '..', '..', 'data');
const right = rightArrow();
const left = right.map((r) => r.slice().reverse());
fs.writeFileSync(path.join(folder, 'tri.gif'), gif(right));
fs.writeFileSync(path.join(folder, 'triL.gif'), gif(left));
console.log('wrote tri.gif and triL.gif in ' + folder);
