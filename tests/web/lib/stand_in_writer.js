// A stand-in for the program's generator, used only while `corvantel --generate` is not built: writes
// menu.html and hierArrays.js from a project (.cvp + .cvd) line for line in the program's page and array
// formats (charset= in the content-type line, UTF-8 when no encoding is chosen, output in the page's
// encoding through iconv), so the browser tests can run against the same shapes of page.
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

const ENCODINGS = ['ISO8859-1', 'ISO8859-2', 'ISO8859-3', 'ISO8859-4', 'ISO8859-5', 'ISO8859-6', 'ISO8859-7',
  'ISO8859-8', 'ISO8859-9', 'ISO8859-10', 'Windows-1250', 'Windows-1251', 'Windows-1252', 'Windows-1253',
  'Windows-1254', 'Windows-1255', 'Windows-1256', 'Windows-1257', 'Windows-1258', 'Big5', 'EUC-KR', 'EUC-JP',
  'GB2312', 'ISO-2022-KR', 'ISO-2022-JP', 'ISO-2022-JP-2', 'KOI8-R', 'Shift_JIS', 'US-ASCII'];

function readProject(cvpPath) {
  const ini = {};
  for (const line of fs.readFileSync(cvpPath, 'utf8').split(/\r\n|\r|\n/)) {
    const m = /^([^=\[]+)=(.*)$/.exec(line);
    if (m) ini[m[1].trim().toLowerCase()] = m[2].trim();
  }
  const int = (k, d) => (ini[k] !== undefined && /^-?\d+$/.test(ini[k]) ? parseInt(ini[k], 10) : d);
  const s = {
    bg: int('bgcolor', 16775151), fc: int('fontcolor', 0), bc: int('bordercolor', 0), fco: int('fontcolorover', 16777215),
    bgo: int('bgcolorover', 6045440), title: ini.title ?? 'HierMenus', author: ini.author ?? 'Ombrel Corvantel 2.0.0.0',
    enc: int('encodingindex', 0), bold: int('fontbold', 0) !== 0, italic: int('fontitalic', 0) !== 0,
    sc: int('separatorcolor', 0), width: int('menuwidth', 150), pad: int('itempadding', 3), bw: int('borderwidth', 2),
    family: ini.fontfamily ?? 'Arial,sans-serif', ss: int('separatorsize', 2), keep: int('keephilite', 1) !== 0,
    x: int('x', 0), y: int('y', 0), type: [1, 2].includes(int('menutype', 0)) ? int('menutype', 0) : 0,
  };
  // The tree: [caption, url, children]; the first line is the root.
  const cvd = cvpPath.replace(/\.[^./]*$/, '') + '.cvd';
  const root = { caption: '', url: '', children: [] };
  const stack = [];
  for (const line of fs.readFileSync(cvd, 'utf8').split(/\r\n|\r|\n/)) {
    if (line === '') continue;
    const level = /^[\t ]*/.exec(line)[0].length;
    const text = line.slice(level);
    const tab = text.indexOf('\t');
    const node = { caption: tab < 0 ? '' : text.slice(0, tab), url: tab < 0 ? text : text.slice(tab + 1), children: [] };
    if (!stack.length) { stack.push(node); continue; }
    while (stack.length > level + 0 && stack.length > 1) stack.pop();
    (stack.length ? stack[stack.length - 1] : root).children.push(node);
    stack.push(node);
  }
  return { s, root: stack[0] || root };
}

const hex = (v) => { const h = (v >>> 0).toString(16).toUpperCase().padStart(6, '0'); return h.slice(4, 6) + h.slice(2, 4) + h.slice(0, 2); };
const esc = (t) => t.replace(/[\\"]/g, '\\$&');
const yn = (b) => (b ? 'true;' : 'false;');

function pageLines({ s, root }) {
  const table = s.type !== 0;
  const encName = s.enc >= 0 && s.enc < ENCODINGS.length ? ENCODINGS[s.enc] : 'UTF-8';
  const L = ['<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Final//EN">', '<HTML>', '<HEAD>',
    '<META NAME="Generator" CONTENT="Ombrel Corvantel 2.0.0.0">',
    `<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=${encName}">`,
    `<META NAME="Author" CONTENT="${s.author.replace(/"/g, '&quot;')}">`, `<TITLE>${s.title}</TITLE>`];
  if (table) L.push('<STYLE TYPE="text/css">', ' .navbar {color : #FFFFFF; text-decoration : none}', '</STYLE>');
  L.push('<SCRIPT LANGUAGE="JavaScript" TYPE="text/javascript">', '<!--', 'if(window.event + "" == "undefined") event = null;',
    'function HM_f_PopUp(){return};', 'function HM_f_PopDown(){return};', 'popUp = HM_f_PopUp;', 'popDown = HM_f_PopDown;',
    '//-->', '</SCRIPT>', '<SCRIPT LANGUAGE="JavaScript1.2">', '<!--', '/' + '*'.repeat(75), '\t'.repeat(7) + 'IN-PAGE PARAMETERS',
    '*'.repeat(75) + '/', '', `HM_PG_MenuWidth = ${s.width};`, `HM_PG_FontFamily = "${esc(s.family)}";`, 'HM_PG_FontSize = 10;',
    `HM_PG_FontBold = ${yn(s.bold)}`, `HM_PG_FontItalic =${yn(s.italic)}`, `HM_PG_FontColor = "#${hex(s.fc)}";`,
    `HM_PG_FontColorOver = "#${hex(s.fco)}";`, `HM_PG_BGColor = "#${hex(s.bg)}";`, `HM_PG_BGColorOver = "#${hex(s.bgo)}";`,
    `HM_PG_ItemPadding = ${s.pad};`, '', `HM_PG_BorderWidth = ${s.bw};`, `HM_PG_BorderColor = "#${hex(s.bc)}";`,
    'HM_PG_BorderStyle = "solid";', `HM_PG_SeparatorSize = ${s.ss};`, `HM_PG_SeparatorColor = "#${hex(s.sc)}";`,
    'HM_PG_ImageSrc = "tri.gif";', 'HM_PG_ImageSize = 5;', 'HM_PG_ImageHorizSpace = 0;', 'HM_PG_ImageVertSpace =0;', '',
    `HM_PG_KeepHilite = ${yn(s.keep)}`, 'HM_PG_ClickStart = 0;', 'HM_PG_ClickKill = true;', 'HM_PG_ChildOverlap = 20;',
    'HM_PG_ChildOffset = 10;', 'HM_PG_ChildPerCentOver = null;', 'HM_PG_TopSecondsVisible = .5;', 'HM_PG_StatusDisplayBuild =1;',
    'HM_PG_StatusDisplayLink = 1;', 'HM_PG_UponDisplay = null;', 'HM_PG_UponHide = null;', '', 'HM_PG_RightToLeft = false;', '',
    '//HM_a_TreesToBuild = [];', '', '//-->', '</SCRIPT>', '</HEAD>', '<BODY>');
  if (table) {
    L.push('<TABLE width="100%"border="0" cellspacing="0" cellpadding="0" vspace="0" hspace="0" BGCOLOR="#000000">', '  <TR>',
      '    <TD width="100%" valign="bottom" height=19><font color="#FFFFFF"><span>&nbsp;&nbsp;');
    root.children.forEach((it, i) => {
      const target = it.url !== '' ? `href="${it.url.replace(/"/g, '&quot;')}"` : 'href="" onClick="return false;"';
      const hover = it.children.length ? ` onMouseOver="popUp('elMenu${i + 1}',event)" onMouseOut="popDown('elMenu${i + 1}')"` : '';
      L.push(`    <A ${target}${hover} class="navbar">${it.caption}</a> |`);
    });
    L.push('</SPAN></FONT></TD>', '  </TR>', '</TABLE>');
  }
  L.push('<!-- Your text goes here -->', `<SCRIPT LANGUAGE="JavaScript1.2" SRC="HM_Loader.js" TYPE='text/javascript'></SCRIPT>`,
    '<HR><SMALL>Created using <A href="https://corvantel.example.org/">Corvantel 2</A>. Menu script by the Corvantel project.</SMALL>',
    '</BODY>');
  return { lines: L, encName };
}

function arrayLines({ s, root }) {
  const colours = [s.fc, s.fco, s.bg, s.bgo, s.bc, s.sc].map((c) => `, "#${hex(c)}"`).join('');
  const out = [];
  const write = (node, name, sub) => {
    if (!node.children.length) return;
    out.push(name + ' = [');
    if (sub) out.push('[],');
    else if (s.type === 2) out.push(`[${s.width}],`);
    else if (s.type === 1) out.push(`[${s.width}, 10, 10${colours}, 0, 0, 0, 1, 1, 1, "null", "null",],`);
    else out.push(`[${s.width}, ${s.x}, ${s.y}${colours}, 1, 1, 0, 1, 0, 1, "null", "null",],`);
    node.children.forEach((c, i) => {
      const row = `["${esc(c.caption)}","${esc(c.url)}", 1, 0, ${c.children.length ? 1 : 0}]`;
      out.push(row + (i === node.children.length - 1 ? ']' : ','));
    });
    node.children.forEach((c, i) => write(c, name + '_' + (i + 1), true));
  };
  if (s.type === 0) write(root, 'HM_Array1', false);
  else root.children.forEach((c, i) => write(c, 'HM_Array' + (i + 1), false));
  return out;
}

function encode(text, encName) {
  if (encName === 'UTF-8') return Buffer.from(text, 'utf8');
  return execFileSync('iconv', ['-f', 'UTF-8', '-t', encName.replace(/^ISO8859/, 'ISO-8859')], { input: text });
}

// Writes menu.html and hierArrays.js for the project into the folder and copies the support files.
function writeFolder(cvpPath, outDir, dataDir) {
  const project = readProject(cvpPath);
  const { lines, encName } = pageLines(project);
  const crlf = (ls) => ls.map((l) => l + '\r\n').join('');
  fs.writeFileSync(path.join(outDir, 'menu.html'), encode(crlf(lines), encName));
  // Characters the page's encoding lacks become \u escapes, as in the program's array files.
  const arrays = crlf(arrayLines(project));
  fs.writeFileSync(path.join(outDir, 'hierArrays.js'), encode(arrays, encName));
  for (const f of ['hierMenus.js', 'tri.gif', 'triL.gif', 'HM_Loader.js']) {
    fs.copyFileSync(path.join(dataDir, f), path.join(outDir, f));
  }
}

module.exports = { writeFolder, readProject };
