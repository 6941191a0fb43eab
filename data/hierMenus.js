/*
 * hierMenus.js - the drop-down menu script of pages made by Corvantel.
 *
 * Reads the page's HM_PG_ parameters and the HM_Array... declarations of hierArrays.js and builds:
 *   - a permanent horizontal menu bar for a full parameter row whose "permanent" flag is 1
 *     (the Javascript main menu), at the row's X and Y;
 *   - pop-up menus that the page's links open through popUp('elMenuN', event) and close through
 *     popDown('elMenuN'), at the row's X and Y (full row) or just below the link (a row with the width alone);
 *   - submenus (parameter row []) that take the look of the menu above them and open beside their item.
 *
 * Keyboard and screen readers follow the disclosure pattern for site navigation: an item with a submenu
 * has a button with aria-expanded (the arrow, or the whole item when it has no address); Enter or Space
 * opens and closes, Escape closes and returns focus, Tab walks the open menu's links, focus leaving a menu
 * closes it. Arrow keys, Home and End move between the items. Nothing opens on focus alone.
 *
 * Plain script, no dependencies. Captions may carry inline markup on purpose; it is parsed into an inert
 * template and only a fixed set of harmless tags and attributes is kept. Nothing of the data is evaluated.
 */
(function () {
  'use strict';

  var win = window;
  var doc = document;
  if (win.HM_Corvantel) return; // loaded twice: the first copy already runs the menus

  // ----- parameters -----------------------------------------------------------------------------------

  function param(name, fallback) {
    var v = win['HM_PG_' + name];
    return v === undefined || v === null || v === '' ? fallback : v;
  }
  function num(v, fallback) {
    var n = typeof v === 'number' ? v : parseFloat(v);
    return isFinite(n) ? n : fallback;
  }
  function bool(v, fallback) {
    if (v === undefined || v === null || v === '') return fallback;
    if (typeof v === 'string') return !(v === '0' || v.toLowerCase() === 'false');
    return !!v;
  }
  // A colour as CSS accepts it: #rgb / #rrggbb (with or without "#"), or a plain colour word.
  function colour(v, fallback) {
    if (typeof v !== 'string') return fallback;
    v = v.trim();
    if (/^#?([0-9a-f]{3}|[0-9a-f]{6})$/i.test(v)) return v.charAt(0) === '#' ? v : '#' + v;
    if (/^[a-z]{3,20}$/i.test(v) && v.toLowerCase() !== 'null') return v;
    return fallback;
  }
  // A hook: a function, or the name of a global function. Strings are looked up, never run.
  function hook(v) {
    if (typeof v === 'function') return v;
    if (typeof v === 'string' && /^[A-Za-z_$][\w$]*$/.test(v) && v !== 'null' && typeof win[v] === 'function') {
      return win[v];
    }
    return null;
  }

  // The addresses of the menu data are relative to the folder the data lives in, the site's root, where the
  // loader loads this script from beside hierArrays.js. A page in a subfolder of the site resolves them from
  // there; a page in that folder itself keeps them as written.
  var dataFolder = '';
  (function () {
    var self = doc.currentScript;
    if (!self || !self.src) return;
    var folder = self.src.replace(/[?#].*$/, '').replace(/[^\/]*$/, '');
    if (folder !== location.href.replace(/[?#].*$/, '').replace(/[^\/]*$/, '')) dataFolder = folder;
  })();
  function dataUrl(url) {
    if (dataFolder === '' || url === '' || /^([a-z][a-z0-9+.\-]*:|[\/#?])/i.test(url)) return url;
    return new URL(url, dataFolder).href;
  }

  var imageSrc = String(param('ImageSrc', 'tri.gif'));
  var P = {
    width: num(param('MenuWidth', 150), 150),
    fontFamily: String(param('FontFamily', 'Arial,sans-serif')),
    fontSize: num(param('FontSize', 10), 10),
    bold: bool(param('FontBold', false), false),
    italic: bool(param('FontItalic', false), false),
    fontColor: colour(param('FontColor'), '#000000'),
    fontColorOver: colour(param('FontColorOver'), '#FFFFFF'),
    bgColor: colour(param('BGColor'), '#EFF7FF'),
    bgColorOver: colour(param('BGColorOver'), '#003F5C'),
    padding: num(param('ItemPadding', 3), 3),
    borderWidth: num(param('BorderWidth', 2), 2),
    borderColor: colour(param('BorderColor'), '#000000'),
    borderStyle: /^(none|solid|dotted|dashed|double|groove|ridge|inset|outset)$/i.test(param('BorderStyle', ''))
      ? String(param('BorderStyle')) : 'solid',
    separatorSize: num(param('SeparatorSize', 1), 1),
    separatorColor: colour(param('SeparatorColor'), '#000000'),
    imageSrc: imageSrc,
    imageSrcLeft: String(param('ImageSrcLeft', imageSrc.replace(/(^|\/)tri(\.\w+)$/i, '$1triL$2'))),
    imageSize: num(param('ImageSize', 5), 5),
    imageHorizSpace: num(param('ImageHorizSpace', 0), 0),
    imageVertSpace: num(param('ImageVertSpace', 0), 0),
    keepHilite: bool(param('KeepHilite', true), true),
    clickStart: bool(param('ClickStart', false), false),
    clickKill: bool(param('ClickKill', true), true),
    childOverlap: num(param('ChildOverlap', 20), 20),
    childOffset: num(param('ChildOffset', 10), 10),
    childPerCentOver: param('ChildPerCentOver', null) === null ? null : num(param('ChildPerCentOver'), null),
    hideDelay: Math.max(0, num(param('TopSecondsVisible', 0.5), 0.5) * 1000),
    uponDisplay: hook(param('UponDisplay', null)),
    uponHide: hook(param('UponHide', null)),
    rightToLeft: bool(param('RightToLeft', false), false)
  };

  // How long a pointer heading for an open submenu may cross other items before they take over (ms).
  var AIM_DELAY = 300;

  // The words the script shows, in the page's language (its lang, else the browser's); English otherwise.
  var WORDS = {
    en: { menu: 'Menu', sub: ', submenu', main: 'Main menu', site: 'Site' },
    fr: { menu: 'Menu', sub: ', sous-menu', main: 'Menu principal', site: 'Site' },
    de: { menu: 'Men\u00FC', sub: ', Untermen\u00FC', main: 'Hauptmen\u00FC', site: 'Website' },
    it: { menu: 'Menu', sub: ', sottomenu', main: 'Menu principale', site: 'Sito' },
    es: { menu: 'Men\u00FA', sub: ', submen\u00FA', main: 'Men\u00FA principal', site: 'Sitio' }
  };
  var lang = String(doc.documentElement.lang || (win.navigator && navigator.language) || 'en').slice(0, 2).toLowerCase();
  var W = WORDS[lang] || WORDS.en;

  // ----- styles ---------------------------------------------------------------------------------------

  // One fixed style sheet; the values of each menu tree are custom properties set on the tree's element.
  var CSS = [
    '.hm-tree{--hm-w:150px;position:absolute;z-index:2147483000;margin:0;padding:0;text-align:left;line-height:normal}',
    '.hm-tree,.hm-tree *{box-sizing:border-box}',
    '.hm-menu{position:absolute;left:0;top:0;z-index:1;margin:0;padding:0;list-style:none;width:var(--hm-w);',
    ' border:var(--hm-bw) var(--hm-bs) var(--hm-bc);background:var(--hm-bg);',
    ' font-family:var(--hm-ff);font-size:var(--hm-fs);font-weight:var(--hm-fw);font-style:var(--hm-fi)}',
    '.hm-menu[hidden]{display:none}',
    // A submenu built ahead: laid out, unseen. The folded form keeps its hidden sections out of the layout.
    '.hm-menu[hidden].hm-ahead{display:block;visibility:hidden;position:fixed}',
    '.hm-scroll{overflow-y:auto;overscroll-behavior:contain}',
    '.hm-scroll>.hm-item>.hm-menu{position:fixed}',
    '.hm-tree>.hm-menu{position:relative}',
    '.hm-bar{display:flex;width:auto}',
    '.hm-bar>.hm-item{width:var(--hm-w);flex:0 0 auto}',
    '.hm-item{position:relative;margin:0;padding:0;list-style:none}',
    '.hm-item+.hm-item{border-top:var(--hm-ss) solid var(--hm-sc)}',
    '.hm-bar>.hm-item+.hm-item{border-top:0;border-left:var(--hm-ss) solid var(--hm-sc)}',
    // A row is a flex row only when it holds a link and its arrow button: plain blocks lay out faster.
    '.hm-row{display:block;background:var(--hm-bg);color:var(--hm-fc)}',
    '.hm-split{display:flex;align-items:stretch}',
    '.hm-rtl .hm-split{flex-direction:row-reverse}',
    '.hm-row:hover,.hm-row:focus-within,.hm-keep .hm-open>.hm-row{background:var(--hm-bgo);color:var(--hm-fco)}',
    '.hm-current>.hm-row{box-shadow:inset 4px 0 0 var(--hm-bgo)}',
    '.hm-current>.hm-row:hover,.hm-keep .hm-current.hm-open>.hm-row{box-shadow:inset 4px 0 0 var(--hm-fco)}',
    '.hm-bar>.hm-current>.hm-row{box-shadow:inset 0 -4px 0 var(--hm-bgo)}',
    '.hm-link,.hm-label,.hm-button{flex:1 1 auto;display:block;min-width:0;margin:0;padding:var(--hm-pad);',
    ' color:inherit;background:none;border:0;font:inherit;text-align:inherit;text-decoration:none;',
    ' overflow-wrap:anywhere;cursor:pointer}',
    '.hm-label{cursor:default}',
    '.hm-button{display:flex;width:100%;align-items:center;justify-content:space-between;gap:4px}',
    '.hm-toggle{flex:0 0 auto;display:flex;align-items:center;justify-content:center;min-width:1.6em;margin:0;',
    ' padding:0 var(--hm-pad);color:inherit;background:none;border:0;font:inherit;cursor:pointer}',
    '.hm-arrow{display:block;width:var(--hm-is);height:auto;margin:var(--hm-iv) var(--hm-ih);filter:var(--hm-af)}',
    '.hm-row:hover .hm-arrow,.hm-row:focus-within .hm-arrow,.hm-keep .hm-open>.hm-row .hm-arrow{filter:var(--hm-afo)}',
    '.hm-bar>.hm-item>.hm-row .hm-arrow,.hm-trigger-toggle .hm-arrow{transform:rotate(90deg)}',
    '.hm-link:focus-visible,.hm-button:focus-visible,.hm-toggle:focus-visible,.hm-burger:focus-visible',
    ' {outline:2px solid var(--hm-fco);outline-offset:-3px}',
    '.hm-current>.hm-row>.hm-link[aria-current]{text-decoration:underline}',
    '.hm-trigger-toggle{display:inline-flex;vertical-align:middle;align-items:center;justify-content:center;',
    ' width:1.4em;height:1.4em;margin:0 2px;padding:0;border:0;background:none;color:inherit;cursor:pointer}',
    '.hm-trigger-toggle .hm-arrow{width:7px;filter:invert(1)}',
    '.hm-burger{display:none;margin:0;padding:8px 14px;border:var(--hm-bw) var(--hm-bs) var(--hm-bc);',
    ' background:var(--hm-bg);color:var(--hm-fc);font-family:var(--hm-ff);font-size:max(var(--hm-fs),16px);',
    ' font-weight:bold;cursor:pointer}',
    '.hm-burger[aria-expanded="true"]{background:var(--hm-bgo);color:var(--hm-fco)}',
    // The narrow form: the bar becomes a list of expandable sections under the "Menu" button.
    '.hm-narrow .hm-burger{display:block}',
    '.hm-narrow>.hm-menu{display:none}',
    '.hm-narrow.hm-unfolded>.hm-menu{display:block;position:absolute;left:0;top:100%;',
    ' width:min(22em,calc(100vw - 16px))}',
    '.hm-narrow .hm-bar{flex-direction:column}',
    '.hm-narrow .hm-bar>.hm-item{width:auto}',
    '.hm-narrow .hm-bar>.hm-item+.hm-item{border-left:0;border-top:var(--hm-ss) solid var(--hm-sc)}',
    '.hm-narrow .hm-menu .hm-menu{position:static;width:auto;border-width:0;',
    ' border-top:var(--hm-ss) solid var(--hm-sc);padding-left:1em;background:var(--hm-bg)}',
    '.hm-narrow .hm-menu .hm-menu[hidden]{display:none}',
    '.hm-narrow .hm-link,.hm-narrow .hm-button,.hm-narrow .hm-label{padding:max(var(--hm-pad),10px)}',
    '.hm-narrow .hm-toggle{min-width:44px}',
    '.hm-narrow .hm-arrow{width:max(var(--hm-is),8px)}',
    '.hm-narrow .hm-item>.hm-row .hm-arrow{transform:none}',
    '.hm-narrow .hm-open>.hm-row .hm-arrow{transform:rotate(90deg)}'
  ].join('\n');

  // The arrows are drawn by the style sheet (the image as the element's content keeps its own proportions
  // like an img): a page has one image resource per arrow, not one image element to load per item.
  function arrowRules() {
    function image(src) {
      var url = 'url("' + src.replace(/["\\\n\r\f]/g, function (c) { return '\\' + c.charCodeAt(0).toString(16) + ' '; }) + '")';
      return 'content:' + url + ';content:' + url + ' / ""';
    }
    return '\n.hm-arrow{' + image(P.imageSrc) + '}\n.hm-rtl .hm-arrow{' + image(P.imageSrcLeft) + '}';
  }

  function installStyles() {
    var style = doc.createElement('style');
    style.id = 'hm-styles';
    style.textContent = CSS + arrowRules();
    (doc.head || doc.documentElement).appendChild(style);
  }

  // ----- captions -------------------------------------------------------------------------------------

  var KEPT_TAGS = /^(b|i|u|s|em|strong|small|big|sub|sup|br|span|font|img|code|mark|abbr|del|ins|q|kbd|tt|strike|nobr|wbr)$/;
  var KEPT_ATTRS = { title: 1, color: 1, face: 1, size: 1, alt: 1, width: 1, height: 1, class: 1, lang: 1, dir: 1 };

  // Appends the caption to the element: plain text stays text; markup is parsed into an inert template
  // and only harmless inline tags survive (scripts, handlers and unknown tags become their text).
  function setCaption(el, caption) {
    caption = caption == null ? '' : String(caption);
    el.setAttribute('dir', 'auto'); // right-to-left captions read and align right
    var text = simpleText(caption);
    if (text !== null) {
      el.textContent = text;
      return;
    }
    var tpl = doc.createElement('template');
    tpl.innerHTML = caption;
    el.appendChild(cleanCopy(tpl.content));
  }

  // The text of a caption without tags whose character references are all plain ones (&amp; and its
  // kin, decimal and hexadecimal numbers of ordinary characters), decoded as the HTML parser would; null
  // for anything else, which goes through the parser. Most captions that are not plain text are of this
  // kind, and the parser costs far more than this per caption.
  var SIMPLE_REF = /&(?:(amp|lt|gt|quot|apos|nbsp)|#([0-9]{1,7})|#[xX]([0-9a-fA-F]{1,6}));/g;
  var NAMED_REF = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'", nbsp: '\u00A0' };
  function simpleText(caption) {
    if (caption.indexOf('&') < 0) return caption.indexOf('<') < 0 ? caption : null;
    if (caption.indexOf('<') >= 0 || /[\0\r]/.test(caption)) return null;
    var plain = true;
    var text = caption.replace(SIMPLE_REF, function (ref, name, dec, hex) {
      if (name) return NAMED_REF[name];
      var cp = dec ? parseInt(dec, 10) : parseInt(hex, 16);
      // Controls, the C1 range (which the parser maps through windows-1252), surrogates and values
      // beyond Unicode are the parser's to decide.
      if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || (cp >= 0xD800 && cp < 0xE000) || cp > 0x10FFFF) plain = false;
      return plain ? String.fromCodePoint(cp) : ref;
    });
    // Any other "&" may start a reference the parser knows (there are two thousand names, some without ";").
    if (!plain || caption.replace(SIMPLE_REF, '').indexOf('&') >= 0) return null;
    return text;
  }

  function cleanCopy(root) {
    var out = doc.createDocumentFragment();
    // Iterative walk (captions can nest deeply), copying what is allowed.
    var stack = [[root, out]];
    while (stack.length) {
      var pair = stack.pop();
      var kids = pair[0].childNodes;
      for (var i = kids.length - 1; i >= 0; i--) {
        var n = kids[i];
        var target = pair[1];
        if (n.nodeType === 3) {
          target.insertBefore(doc.createTextNode(n.nodeValue), target.firstChild);
        } else if (n.nodeType === 1) {
          var tag = n.localName;
          if (tag === 'script' || tag === 'style' || tag === 'template') continue;
          if (KEPT_TAGS.test(tag)) {
            var copy = doc.createElement(tag);
            for (var a = 0; a < n.attributes.length; a++) {
              var at = n.attributes[a];
              if (KEPT_ATTRS[at.name] === 1) copy.setAttribute(at.name, at.value);
              else if (tag === 'img' && at.name === 'src' && !/^\s*javascript:/i.test(at.value)) {
                copy.setAttribute('src', at.value);
              }
            }
            target.insertBefore(copy, target.firstChild);
            stack.push([n, copy]);
          } else {
            // An unknown element keeps its content in a plain span.
            var span = doc.createElement('span');
            target.insertBefore(span, target.firstChild);
            stack.push([n, span]);
          }
        }
      }
    }
    return out;
  }

  function plainText(caption) {
    var text = simpleText(caption);
    if (text !== null) return text;
    var tpl = doc.createElement('template');
    tpl.innerHTML = caption;
    return tpl.content.textContent;
  }

  // ----- the data -------------------------------------------------------------------------------------

  // A menu as declared: its array name, rows, the tree it belongs to and its element once built.
  function Menu(name, rows, tree, parentItem, level) {
    this.name = name;
    this.rows = rows;
    this.tree = tree;
    this.parentItem = parentItem; // the Item that opens this menu (null for a tree's first menu)
    this.level = level; // 0 for a tree's first menu
    this.el = null;
    this.building = null; // the element while it is built ahead, slice by slice
    this.items = [];
    this.open = false;
  }

  // One entry of a menu.
  function Item(menu, index, row) {
    this.menu = menu;
    this.index = index; // 1-based position
    this.caption = row[0] == null ? '' : String(row[0]);
    this.url = row[1] == null ? '' : dataUrl(String(row[1]));
    this.hasSub = num(row[4], 0) === 1 && isArrayData(win[menu.name + '_' + index]);
    this.sub = null; // Menu, made when first needed
    this.li = null;
    this.control = null; // the focusable link or button of the row
    this.toggle = null; // the element with aria-expanded
    this.link = null;
  }

  function isArrayData(a) {
    return Array.isArray(a) && a.length >= 1 && Array.isArray(a[0]);
  }

  // The item rows of an array: every row after the parameter row that is itself an array.
  function itemRows(a) {
    var rows = [];
    for (var i = 1; i < a.length; i++) if (Array.isArray(a[i])) rows.push(a[i]);
    return rows;
  }

  Item.prototype.subMenu = function () {
    if (!this.hasSub) return null;
    if (!this.sub) {
      var name = this.menu.name + '_' + this.index;
      this.sub = new Menu(name, itemRows(win[name]), this.menu.tree, this, this.menu.level + 1);
    }
    return this.sub;
  };

  // ----- trees ----------------------------------------------------------------------------------------

  var trees = [];
  var treesByPopup = {}; // "elMenuN" -> Tree
  var lastPointerType = 'mouse';
  var currentPath = {}; // array name -> position of the item on the current page's path

  // A tree: one first-level array with all menus below it. kind is 'bar', 'coded' or 'relative'.
  function Tree(number, data) {
    var p = data[0];
    this.number = number;
    this.kind = p.length > 9 && num(p[9], 0) === 1 ? 'bar' : p.length >= 3 ? 'coded' : 'relative';
    this.width = num(p[0], P.width);
    this.x = num(p[1], 0);
    this.y = num(p[2], 0);
    this.look = {
      fontColor: colour(p[3], P.fontColor),
      fontColorOver: colour(p[4], P.fontColorOver),
      bgColor: colour(p[5], P.bgColor),
      bgColorOver: colour(p[6], P.bgColorOver),
      borderColor: colour(p[7], P.borderColor),
      separatorColor: colour(p[8], P.separatorColor)
    };
    this.horizontal = this.kind === 'bar' && (p.length <= 10 || num(p[10], 1) === 1);
    this.uponDisplay = hook(p[15]) || P.uponDisplay;
    this.uponHide = hook(p[16]) || P.uponHide;
    this.root = new Menu('HM_Array' + number, itemRows(data), this, null, 0);
    this.el = null; // the element that holds the first menu (bar: the nav; pop-up: the menu itself)
    this.trigger = null; // pop-up trees: the page's link that opened the menu last
    this.triggerToggle = null;
    this.hideTimer = 0;
    this.narrow = false;
  }

  Tree.prototype.applyLook = function (el) {
    var s = el.style;
    var L = this.look;
    s.setProperty('--hm-w', this.width + 'px');
    s.setProperty('--hm-fc', L.fontColor);
    s.setProperty('--hm-fco', L.fontColorOver);
    s.setProperty('--hm-bg', L.bgColor);
    s.setProperty('--hm-bgo', L.bgColorOver);
    s.setProperty('--hm-bc', L.borderColor);
    s.setProperty('--hm-sc', L.separatorColor);
    s.setProperty('--hm-bw', Math.max(0, P.borderWidth) + 'px');
    s.setProperty('--hm-bs', P.borderStyle);
    s.setProperty('--hm-ss', Math.max(0, P.separatorSize) + 'px');
    s.setProperty('--hm-pad', Math.max(0, P.padding) + 'px');
    s.setProperty('--hm-fs', P.fontSize + 'pt');
    s.setProperty('--hm-fw', P.bold ? 'bold' : 'normal');
    s.setProperty('--hm-fi', P.italic ? 'italic' : 'normal');
    s.setProperty('--hm-is', Math.max(1, P.imageSize) + 'px');
    s.setProperty('--hm-ih', P.imageHorizSpace + 'px');
    s.setProperty('--hm-iv', P.imageVertSpace + 'px');
    // The arrows are black: on a dark text colour they stay so, on a light one they are inverted.
    s.setProperty('--hm-af', isLight(L.fontColor) ? 'invert(1)' : 'none');
    s.setProperty('--hm-afo', isLight(L.fontColorOver) ? 'invert(1)' : 'none');
    s.fontFamily = P.fontFamily; // checked by the browser; an invalid list is ignored
    s.setProperty('--hm-ff', s.fontFamily || 'sans-serif');
    el.classList.add('hm-tree');
    if (P.keepHilite) el.classList.add('hm-keep');
    if (P.rightToLeft) el.classList.add('hm-rtl');
  };

  // Builds the element of a menu and its rows (not the submenus, which wait until they are opened or
  // built ahead). With a slice (building ahead) it stops when the slice's time is up and returns null; the
  // next call goes on where it stopped.
  Tree.prototype.buildMenu = function (menu, slice) {
    var ul = menu.building;
    if (!ul) {
      ul = doc.createElement('ul');
      ul.className = 'hm-menu';
      ul.id = menu.level === 0 && this.kind !== 'bar' ? 'elMenu' + this.number : 'hm-' + menu.name;
      if (menu.level === 0 && this.kind === 'bar' && this.horizontal) ul.classList.add('hm-bar');
      // A pop-up is named after the link that opens it.
      var label = menu.parentItem ? plainText(menu.parentItem.caption)
        : this.trigger ? (this.trigger.textContent || '').trim() : W.site;
      ul.setAttribute('aria-label', label);
      ul.hmMenu = menu;
      menu.building = ul;
    }
    var pathIndex = currentPath[menu.name];
    for (var i = menu.items.length; i < menu.rows.length; i++) {
      if (slice && slice.over()) return null;
      var item = new Item(menu, i + 1, menu.rows[i]);
      menu.items.push(item);
      ul.appendChild(this.buildItem(item, pathIndex === i + 1));
    }
    menu.building = null;
    menu.el = ul;
    return ul;
  };

  Tree.prototype.buildItem = function (item, onPath) {
    var li = doc.createElement('li');
    li.className = 'hm-item';
    li.hmItem = item;
    item.li = li;
    var row = doc.createElement('div');
    row.className = 'hm-row';
    li.appendChild(row);
    if (item.url !== '') {
      var a = doc.createElement('a');
      a.className = 'hm-link';
      a.setAttribute('href', item.url);
      setCaption(a, item.caption);
      row.appendChild(a);
      item.control = item.link = a;
      if (item.hasSub) {
        var t = doc.createElement('button');
        t.type = 'button';
        t.className = 'hm-toggle';
        t.setAttribute('aria-expanded', 'false');
        t.setAttribute('aria-label', plainText(item.caption) + W.sub);
        t.appendChild(arrowImage());
        row.appendChild(t);
        row.className = 'hm-row hm-split';
        item.toggle = t;
      }
    } else if (item.hasSub) {
      var b = doc.createElement('button');
      b.type = 'button';
      b.className = 'hm-button';
      b.setAttribute('aria-expanded', 'false');
      var text = doc.createElement('span');
      setCaption(text, item.caption);
      b.appendChild(text);
      b.appendChild(arrowImage());
      row.appendChild(b);
      item.control = item.toggle = b;
    } else {
      var span = doc.createElement('span');
      span.className = 'hm-label';
      setCaption(span, item.caption);
      row.appendChild(span);
    }
    if (item.toggle) item.toggle.setAttribute('aria-controls', 'hm-' + item.menu.name + '_' + item.index);
    if (onPath) {
      // Every item on the path is highlighted; the last one is the link to this page.
      li.classList.add('hm-current');
      if (item.link && currentPath[item.menu.name + '_' + item.index] === undefined) {
        item.link.setAttribute('aria-current', 'page');
      }
    }
    return li;
  };

  function isLight(c) {
    var m = /^#([0-9a-f]{3}|[0-9a-f]{6})$/i.exec(c);
    if (!m) return /^(white|yellow|silver|ivory|snow|beige|linen)$/i.test(c);
    var h = m[1].length === 3 ? m[1].replace(/./g, '$&$&') : m[1];
    var r = parseInt(h.slice(0, 2), 16), g = parseInt(h.slice(2, 4), 16), b = parseInt(h.slice(4, 6), 16);
    return 0.299 * r + 0.587 * g + 0.114 * b > 140;
  }

  function arrowImage() {
    var arrow = doc.createElement('span');
    arrow.className = 'hm-arrow';
    return arrow;
  }

  // The JS main menu: a permanent bar at X, Y, and the "Menu" button of the narrow form.
  Tree.prototype.buildBar = function () {
    var nav = doc.createElement('nav');
    nav.setAttribute('aria-label', W.main);
    this.applyLook(nav);
    nav.style.left = this.x + 'px';
    nav.style.top = this.y + 'px';
    var burger = doc.createElement('button');
    burger.type = 'button';
    burger.className = 'hm-burger';
    burger.textContent = W.menu;
    burger.setAttribute('aria-expanded', 'false');
    burger.setAttribute('aria-controls', 'hm-' + this.root.name);
    nav.appendChild(burger);
    nav.appendChild(this.buildMenu(this.root));
    this.el = nav;
    this.burger = burger;
    this.root.open = true;
    nav.hmTree = this;
    doc.body.appendChild(nav);
    this.listen(nav);
    var self = this;
    burger.addEventListener('click', function () {
      self.unfold(!nav.classList.contains('hm-unfolded'));
    });
    this.fitBar();
    buildAhead(this.root);
  };

  // The bar folds into the "Menu" button whenever it is wider than the room right of its place in the
  // window (a narrow or zoomed window, a phone); measured when built and again on every resize and zoom.
  Tree.prototype.fitBar = function () {
    var nav = this.el;
    var bar = this.root.el;
    var folded = nav.classList.contains('hm-narrow');
    if (folded) nav.classList.remove('hm-narrow');
    var items = this.root.items;
    var br = bar.getBoundingClientRect();
    var right = items.length ? items[items.length - 1].li.getBoundingClientRect().right : br.right;
    var bw = parseFloat(getComputedStyle(bar).borderRightWidth) || 0;
    // Sub-pixel widths of a zoomed page: a bar that overflows by less than half a pixel still fits.
    var narrow = right + win.scrollX + bw > doc.documentElement.clientWidth + 0.5;
    if (folded) nav.classList.add('hm-narrow');
    if (narrow === this.narrow && nav.classList.contains('hm-narrow') === narrow) return;
    this.closeAll();
    this.narrow = narrow;
    nav.classList.toggle('hm-narrow', narrow);
    this.unfold(false);
  };

  // Shows or hides the folded list under the "Menu" button.
  Tree.prototype.unfold = function (open) {
    if (!open) this.closeAll();
    this.el.classList.toggle('hm-unfolded', open);
    this.burger.setAttribute('aria-expanded', String(open));
  };

  // A pop-up tree's first menu, built ahead or when it is first opened, placed after its trigger (so that
  // Tab goes from the trigger into the menu) or at the end of the page. With a slice (building ahead) it
  // returns null when the slice's time is up before the menu is complete.
  Tree.prototype.buildPopup = function (slice) {
    var ul = this.buildMenu(this.root, slice);
    if (!ul) return null;
    this.applyLook(ul);
    ul.hidden = true;
    ul.hmTree = this;
    this.el = ul;
    var after = this.triggerToggle || this.trigger;
    if (after && after.parentNode) after.parentNode.insertBefore(ul, after.nextSibling);
    else doc.body.appendChild(ul);
    this.listen(ul);
    return ul;
  };

  // Whether a node lies in this tree (its menus, or the page link and button that open it).
  Tree.prototype.contains = function (node) {
    if (!node) return false;
    if (this.el && this.el.contains(node)) return true;
    if (this.trigger && this.trigger.contains(node)) return true;
    return !!(this.triggerToggle && this.triggerToggle.contains(node));
  };

  // ----- opening, closing, placing --------------------------------------------------------------------

  Tree.prototype.cancelHide = function () {
    if (this.hideTimer) clearTimeout(this.hideTimer);
    this.hideTimer = 0;
  };

  Tree.prototype.scheduleHide = function () {
    var self = this;
    this.cancelHide();
    if (this.narrow) return; // the folded list closes by the visitor's hand only
    // A menu that opened under the resting pointer makes its link report a leave: the pointer is still ours.
    var under = pointer.known && doc.elementFromPoint(pointer.x, pointer.y);
    if (under && this.contains(under)) return;
    this.hideTimer = setTimeout(function () {
      self.hideTimer = 0;
      self.closeAll();
    }, P.hideDelay);
  };

  // Closes every menu of the tree except a permanent bar.
  Tree.prototype.closeAll = function () {
    this.cancelHide();
    var first = this.root;
    for (var i = 0; i < first.items.length; i++) this.closeItem(first.items[i]);
    if (this.kind !== 'bar' && first.open) {
      first.open = false;
      first.byHover = false;
      first.el.hidden = true;
      if (this.trigger) first.el.classList.add('hm-ahead'); // its link stays on show
      dropAhead(first);
      setExpanded(this.triggerToggle, false);
      if (this.trigger) this.trigger.classList.remove('hm-trigger-open');
      this.callHook(this.uponHide, first);
    }
  };

  // Closes the submenu of an item with everything below it.
  Tree.prototype.closeItem = function (item) {
    var sub = item.sub;
    if (!sub || !sub.open) return;
    for (var i = 0; i < sub.items.length; i++) this.closeItem(sub.items[i]);
    sub.open = false;
    sub.byHover = false;
    sub.el.hidden = true;
    dropAhead(sub);
    item.li.classList.remove('hm-open');
    setExpanded(item.toggle, false);
    this.callHook(this.uponHide, sub);
  };

  // Opens the submenu of an item, closing its siblings' submenus.
  Tree.prototype.openItem = function (item) {
    var menu = item.menu;
    for (var i = 0; i < menu.items.length; i++) if (menu.items[i] !== item) this.closeItem(menu.items[i]);
    var sub = item.subMenu();
    if (!sub || sub.open) return;
    if (!sub.el) item.li.appendChild(this.buildMenu(sub));
    sub.open = true;
    sub.el.classList.remove('hm-ahead');
    sub.el.hidden = false;
    item.li.classList.add('hm-open');
    setExpanded(item.toggle, true);
    if (!this.narrow) this.placeSubmenu(item, sub);
    else if (sub.el.classList.contains('hm-scroll')) {
      sub.el.classList.remove('hm-scroll');
      sub.el.style.maxHeight = '';
    }
    this.callHook(this.uponDisplay, sub);
    buildAhead(sub);
  };

  // The submenus of an open menu are built ahead, in the browser's idle time and in short slices, and are
  // laid out unseen (visibility hidden, fixed in the window so that they never widen the page), so that
  // pointing at an item only shows and places its submenu. Only the submenus one level below an open menu
  // are built; the page never builds the whole tree, and the submenus of a menu that closes stop being
  // laid out. A submenu built ahead is the same as one built when it opens: the class that keeps it laid
  // out goes when it is shown. The link row of the table types is always on show, so the pop-ups that its
  // links open (their first menus) are built ahead after the page has loaded, and stay laid out.
  var ahead = { items: [], scheduled: false, layoutCost: 3 }; // items and pop-up trees; layout per build time
  function buildAhead(menu) {
    for (var i = 0; i < menu.items.length; i++) {
      var item = menu.items[i];
      if (item.hasSub && !(item.sub && item.sub.open)) ahead.items.push(item);
    }
    scheduleAhead();
  }
  function scheduleAhead() {
    if (ahead.scheduled || !ahead.items.length) return;
    ahead.scheduled = true;
    if (win.requestIdleCallback) win.requestIdleCallback(runAhead, { timeout: 100 });
    else setTimeout(runAhead, 20);
  }
  function runAhead(deadline) {
    ahead.scheduled = false;
    // The idle time the browser offers, but never more than a few milliseconds at a time (a tap or a key
    // that comes meanwhile waits for the slice), or a short slice when it offers none.
    var start = performance.now();
    var room = deadline && !deadline.didTimeout ? Math.min(deadline.timeRemaining(), 6) : 3;
    var end = start + room;
    var slice = { over: function () { return performance.now() > end - 0.5; } };
    // What a slice adds is laid out before the slice ends: left to the next frame, or to the hit test of
    // the next pointer move, that layout (a few times the cost of the building) would hold up the move.
    // So a slice begins another menu only while the layout of what it built is likely to fit in it too.
    var added = null;
    while (ahead.items.length && !slice.over()) {
      if (added && performance.now() - start > room / (1 + ahead.layoutCost)) break;
      var item = ahead.items[0];
      if (item instanceof Tree) {
        if (!item.el && !item.buildPopup(slice)) break;
        if (!item.root.open) {
          item.el.classList.add('hm-ahead');
          added = item.el;
        }
        ahead.items.shift();
        continue;
      }
      var sub = item.subMenu();
      // A menu closed meanwhile needs nothing ahead; a submenu opened meanwhile is built and shown.
      if (item.menu.open && !sub.open) {
        if (!sub.el) {
          var ul = item.menu.tree.buildMenu(sub, slice);
          if (!ul) break;
          ul.hidden = true;
          item.li.appendChild(ul);
        }
        sub.el.classList.add('hm-ahead');
        added = sub.el;
      }
      ahead.items.shift();
    }
    if (added) {
      var built = performance.now();
      void added.offsetWidth; // lays out the page now
      var cost = (performance.now() - built) / Math.max(built - start, 0.25);
      ahead.layoutCost = Math.min(Math.max((ahead.layoutCost + cost) / 2, 0.5), 8);
    }
    scheduleAhead();
  }
  // The submenus built ahead below a menu that closes are no longer laid out.
  function dropAhead(menu) {
    for (var i = 0; i < menu.items.length; i++) {
      var sub = menu.items[i].sub;
      if (sub && sub.el) sub.el.classList.remove('hm-ahead');
    }
  }

  // Opens a pop-up tree's first menu from its trigger.
  Tree.prototype.openPopup = function (trigger) {
    for (var t = 0; t < trees.length; t++) if (trees[t] !== this && trees[t].kind !== 'bar') trees[t].closeAll();
    if (trigger) this.trigger = trigger;
    if (!this.el) this.buildPopup();
    var first = this.root;
    var wasOpen = first.open;
    first.open = true;
    first.el.classList.remove('hm-ahead');
    first.el.hidden = false;
    setExpanded(this.triggerToggle, true);
    if (this.trigger) this.trigger.classList.add('hm-trigger-open');
    var vw = doc.documentElement.clientWidth;
    var vh = doc.documentElement.clientHeight;
    this.fitHeight(first.el, vh);
    var r = first.el.getBoundingClientRect();
    var tr = this.trigger ? triggerRect(this.trigger, this.triggerToggle) : null;
    var x = clamp(this.x - win.scrollX, 0, vw - r.width);
    var y = clamp(this.y - win.scrollY, 0, vh - r.height);
    // The coded place holds unless it covers the link that opened the menu: then just below the link, or
    // above it when there is no room below.
    if (tr && (this.kind === 'relative' || intersects({ left: x, top: y, right: x + r.width, bottom: y + r.height }, tr))) {
      x = clamp(P.rightToLeft ? tr.right - r.width : tr.left, 0, vw - r.width);
      var below = vh - tr.bottom;
      if (r.height <= below || below >= tr.top) {
        y = tr.bottom;
        this.fitHeight(first.el, below);
      } else {
        this.fitHeight(first.el, tr.top);
        y = tr.top - first.el.getBoundingClientRect().height;
      }
    }
    moveTo(first.el, x, y);
    if (!wasOpen) {
      this.callHook(this.uponDisplay, first);
      buildAhead(first);
    }
  };

  // A menu taller than the room it has gets that height and scrolls inside itself; its submenus are then
  // placed in the window (fixed), since the scrolling menu would clip them.
  Tree.prototype.fitHeight = function (el, room) {
    el.style.maxHeight = '';
    el.classList.remove('hm-scroll');
    if (el.getBoundingClientRect().height <= room) return;
    el.style.maxHeight = Math.max(room, 48) + 'px';
    el.classList.add('hm-scroll');
    if (!el.hmScrollWatched) {
      el.hmScrollWatched = true;
      var self = this;
      el.addEventListener('scroll', function () {
        var items = el.hmMenu ? el.hmMenu.items : [];
        for (var i = 0; i < items.length; i++) self.closeItem(items[i]);
      }, { passive: true });
    }
  };

  // Places a submenu beside its item (below it for the items of a horizontal bar), inside the window.
  Tree.prototype.placeSubmenu = function (item, sub) {
    var el = sub.el;
    var vw = doc.documentElement.clientWidth;
    var vh = doc.documentElement.clientHeight;
    var ir = item.li.getBoundingClientRect();
    var pr = item.menu.el.getBoundingClientRect();
    var r, x, y;
    if (item.menu.level === 0 && item.menu.el.classList.contains('hm-bar')) {
      this.fitHeight(el, vh);
      r = el.getBoundingClientRect();
      x = P.rightToLeft ? ir.right - r.width : ir.left;
      y = pr.bottom;
      if (y + r.height > vh) {
        // Upwards when it fits there, else below the bar, scrolling: never over its own bar item.
        if (pr.top - r.height >= 0) y = pr.top - r.height;
        else this.fitHeight(el, vh - y);
      }
      r = el.getBoundingClientRect();
      moveTo(el, clamp(x, 0, vw - r.width), y);
      return;
    }
    this.fitHeight(el, vh);
    r = el.getBoundingClientRect();
    var overlap = P.childPerCentOver !== null ? pr.width * P.childPerCentOver / 100 : P.childOverlap;
    var right = pr.right - overlap;
    var left = pr.left - r.width + overlap;
    // Beyond the menus two and more levels up on either side, so that a chain that turned never lies on
    // top of them.
    for (var m = item.menu.parentItem && item.menu.parentItem.menu; m; m = m.parentItem && m.parentItem.menu) {
      if (m.el.classList.contains('hm-bar')) continue;
      var mr = m.el.getBoundingClientRect();
      right = Math.max(right, mr.right);
      left = Math.min(left, mr.left - r.width);
    }
    // A chain keeps the direction it took; it turns only at an edge.
    var dir = item.menu.dir || (P.rightToLeft ? -1 : 1);
    if (dir > 0 && right + r.width > vw && left >= 0) dir = -1;
    else if (dir < 0 && left < 0 && right + r.width <= vw) dir = 1;
    sub.dir = dir;
    x = dir > 0 ? right : left;
    y = ir.top + P.childOffset;
    moveTo(el, clamp(x, 0, vw - r.width), clamp(y, 0, vh - r.height));
  };

  Tree.prototype.callHook = function (fn, menu) {
    if (!fn) return;
    try {
      fn(menu.el, menu.name);
    } catch (e) {
      if (win.console) console.error('hierMenus: the display hook failed:', e);
    }
  };

  // The link and its arrow button, as one rectangle.
  function triggerRect(link, toggle) {
    var a = link.getBoundingClientRect();
    var r = { left: a.left, top: a.top, right: a.right, bottom: a.bottom };
    if (toggle) {
      var b = toggle.getBoundingClientRect();
      r = { left: Math.min(r.left, b.left), top: Math.min(r.top, b.top), right: Math.max(r.right, b.right),
        bottom: Math.max(r.bottom, b.bottom) };
    }
    return r;
  }

  function intersects(a, b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  }

  function clamp(v, lo, hi) {
    return Math.max(lo, Math.min(v, Math.max(lo, hi)));
  }

  // Moves an absolutely placed element so that its border box starts at viewport point (x, y), whatever
  // its containing block is: shift it by the distance from where it is (a menu starts at left 0, top 0).
  // Called after the measurements of the placement, so it reads a layout that is already up to date.
  function moveTo(el, x, y) {
    var r = el.getBoundingClientRect();
    var left = parseFloat(el.style.left) || 0;
    var top = parseFloat(el.style.top) || 0;
    el.style.left = Math.round(left + x - r.left) + 'px';
    el.style.top = Math.round(top + y - r.top) + 'px';
  }

  function setExpanded(el, open) {
    if (el) el.setAttribute('aria-expanded', open ? 'true' : 'false');
  }

  // ----- events ---------------------------------------------------------------------------------------

  function itemOf(node) {
    while (node && node.nodeType === 1) {
      if (node.hmItem) return node.hmItem;
      if (node.hmTree) return null;
      node = node.parentNode;
    }
    return null;
  }

  // Where the pointer was last seen on the page.
  var pointer = { x: 0, y: 0, px: 0, py: 0, known: false };
  function trackPointer(e) {
    if (e.type === 'pointermove') {
      pointer.px = pointer.x;
      pointer.py = pointer.y;
    }
    pointer.x = e.clientX;
    pointer.y = e.clientY;
    pointer.known = e.pointerType !== 'touch';
  }
  // pointerout comes before the leave events of the same move, so their handlers see where it went.
  doc.addEventListener('pointermove', trackPointer, { capture: true, passive: true });
  doc.addEventListener('pointerout', trackPointer, { capture: true, passive: true });

  // Pointer positions for hover intent: the last move, from (px, py) to (x, y).
  var aim = { x: 0, y: 0, px: 0, py: 0, timer: 0, pending: null };
  var overRow = null; // the menu row the pointer was last seen on
  var overTrigger = null; // the page's link that opens a pop-up that the pointer was last seen on
  var triggerTaken = null; // that link, once its pop-up was opened for this visit

  // Every report of the pointer's position: the move for hover intent, and a row or a pop-up's link it
  // came onto. Where the browser offers it, the raw update reports a move as soon as it happens; the other
  // pointer events of that move (and the mouseover that the page's links call popUp from) come with the
  // next frame, so a menu opened from the raw update is drawn a frame sooner. Whichever of them comes
  // first handles the move, the others find it done.
  function pointerSeen(e) {
    if (e.pointerType === 'touch') return;
    if (e.clientX !== aim.x || e.clientY !== aim.y) {
      aim.px = aim.x;
      aim.py = aim.y;
      aim.x = e.clientX;
      aim.y = e.clientY;
    }
    var target = e.target && e.target.closest ? e.target : null;
    var link = target && target.closest('a');
    if (!(link && link.hmOpens)) link = null;
    if (link !== overTrigger) {
      overTrigger = link;
      triggerTaken = null;
      if (link) {
        popUp('elMenu' + link.hmOpens.number, e);
        triggerTaken = link;
      }
    }
    var row = target && target.closest('.hm-row');
    var item = row && itemOf(row);
    if (row !== overRow) {
      overRow = row;
      if (item && !item.menu.tree.narrow) {
        item.menu.tree.cancelHide();
        item.menu.tree.hover(item, e);
      }
    } else if (item && aim.pending === item && !item.menu.tree.aimingAtOpenSub(item)) {
      // A pointer resting on, or moving away within, an item that waits for an aimed submenu takes over.
      item.menu.tree.takeOver(item);
    }
  }
  doc.addEventListener('pointerrawupdate', pointerSeen, { capture: true, passive: true });
  doc.addEventListener('pointerover', pointerSeen, { capture: true, passive: true });
  doc.addEventListener('pointermove', pointerSeen, { capture: true, passive: true });

  Tree.prototype.listen = function (el) {
    var self = this;
    el.addEventListener('pointerover', function () {
      self.cancelHide();
    });
    el.addEventListener('pointerleave', function (e) {
      if (e.pointerType === 'touch') return;
      if (self.kind === 'bar' || !self.contains(e.relatedTarget)) self.scheduleHide();
    });
    el.addEventListener('pointerenter', function () {
      self.cancelHide();
      if (self.kind !== 'bar') clearLinkAim();
    });
    el.addEventListener('click', function (e) {
      self.click(e);
    });
    el.addEventListener('keydown', function (e) {
      self.key(e);
    });
    // Focus decides what stays open: moving it to another item closes the submenus it left.
    el.addEventListener('focusin', function (e) {
      var item = itemOf(e.target);
      if (item) self.closeOutside(item);
    });
    el.addEventListener('focusout', function (e) {
      if (self.contains(e.relatedTarget) || e.relatedTarget === null) return;
      // The folded list closes too, so that it never covers what the focus went to.
      if (self.kind === 'bar' && self.narrow) self.unfold(false);
      else self.closeAll();
    });
  };

  // The pointer came onto an item's row.
  Tree.prototype.hover = function (item, e) {
    if (aim.pending && aim.pending !== item) clearAim();
    var open = openSibling(item);
    if (open && this.aimingAtOpenSub(item)) {
      // Crossing this item on the way into the open submenu: wait before switching.
      clearAim();
      aim.pending = item;
      var self = this;
      aim.timer = setTimeout(function () {
        if (aim.pending === item) self.takeOver(item);
      }, AIM_DELAY);
      return;
    }
    if (this.clickStart(item) && !open && !item.menu.level) return;
    this.takeOver(item, e);
  };

  Tree.prototype.clickStart = function (item) {
    return P.clickStart && item.menu.level === 0;
  };

  // The item under the pointer becomes the active one of its menu.
  Tree.prototype.takeOver = function (item) {
    clearAim();
    if (item.hasSub && !(item.sub && item.sub.open)) {
      this.openItem(item);
      item.sub.byHover = true;
    }
    else for (var i = 0; i < item.menu.items.length; i++) this.closeItem(item.menu.items[i]);
  };

  function clearAim() {
    if (aim.timer) clearTimeout(aim.timer);
    aim.timer = 0;
    aim.pending = null;
  }

  function openSibling(item) {
    var items = item.menu.items;
    for (var i = 0; i < items.length; i++) if (items[i] !== item && items[i].sub && items[i].sub.open) return items[i];
    return null;
  }

  // Whether the pointer moves towards the submenu open beside a sibling of this item: inside the
  // triangle from the previous pointer position to the near edge of that submenu.
  Tree.prototype.aimingAtOpenSub = function (item) {
    var sib = openSibling(item);
    if (!sib) return false;
    return towards(sib.sub.el.getBoundingClientRect(), { x: aim.px, y: aim.py }, { x: aim.x, y: aim.y });
  };

  // Whether the pointer's last move heads into the rectangle (the page's links use this for the pop-ups).
  function movingInto(r) {
    return towards(r, { x: aim.px, y: aim.py }, { x: aim.x, y: aim.y });
  }

  // Whether p lies in the triangle from p0 to the near edge of r (the way from p0 into r).
  function towards(r, p0, p) {
    if (p.x === p0.x && p.y === p0.y) return false;
    var a, b;
    if (p0.x <= r.left) { a = { x: r.left, y: r.top }; b = { x: r.left, y: r.bottom }; }
    else if (p0.x >= r.right) { a = { x: r.right, y: r.top }; b = { x: r.right, y: r.bottom }; }
    else if (p0.y <= r.top) { a = { x: r.left, y: r.top }; b = { x: r.right, y: r.top }; }
    else { a = { x: r.left, y: r.bottom }; b = { x: r.right, y: r.bottom }; }
    // Widen the triangle a little at its start so that small wobbles still count.
    return inTriangle(p, p0, a, b, 4);
  }

  function inTriangle(p, a, b, c, slack) {
    function side(p1, p2, p3) {
      return (p1.x - p3.x) * (p2.y - p3.y) - (p2.x - p3.x) * (p1.y - p3.y);
    }
    var d1 = side(p, a, b), d2 = side(p, b, c), d3 = side(p, c, a);
    var neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
    if (!(neg && pos)) return true;
    return Math.abs(p.x - a.x) + Math.abs(p.y - a.y) <= slack;
  }

  // Clicks: buttons open and close; on touch the first tap on a link with a submenu opens the submenu.
  Tree.prototype.click = function (e) {
    var item = itemOf(e.target);
    if (!item) return;
    var onToggle = item.toggle && item.toggle.contains(e.target);
    var onLink = item.link && item.link.contains(e.target);
    if (onToggle) {
      // A mouse click on the arrow of a submenu that hovering opened keeps it open (the click was meant to
      // open it); the next click closes it.
      if (item.sub && item.sub.open && item.sub.byHover && e.detail > 0) item.sub.byHover = false;
      else if (item.sub && item.sub.open) this.closeItem(item);
      else this.openItem(item);
    } else if (onLink && item.hasSub && !(item.sub && item.sub.open) &&
               (tapStart.type === 'touch' && !tapStart.wasOpen)) {
      e.preventDefault();
      this.openItem(item);
    } else if (onLink && item.hasSub && this.clickStart(item) && !(item.sub && item.sub.open)) {
      e.preventDefault();
      this.openItem(item);
    }
  };

  // What the pointer was when it went down, and whether the menu it hit was already open then.
  var tapStart = { type: 'mouse', wasOpen: false, id: -1, x: 0, y: 0, time: 0, live: false };

  function onPointerDown(e) {
    lastPointerType = e.pointerType || 'mouse';
    var item = itemOf(e.target);
    var trig = triggerTree(e.target);
    tapStart.type = lastPointerType;
    tapStart.wasOpen = item ? !!(item.sub && item.sub.open) : trig ? trig.root.open : false;
    tapStart.live = lastPointerType === 'touch' && e.isPrimary;
    tapStart.id = e.pointerId;
    tapStart.x = e.clientX;
    tapStart.y = e.clientY;
    tapStart.time = e.timeStamp;
    if (tapStart.live) tapClick = null;
    for (var i = 0; i < trees.length; i++) {
      var t = trees[i];
      if (P.clickKill && !t.contains(e.target)) {
        t.closeAll();
        if (t.kind === 'bar' && t.narrow) t.unfold(false);
      }
    }
  }

  // A tap the menus take acts when the finger lifts, not on the click that the browser sends for it some
  // time later (tens of milliseconds on a phone): the tap's control gets its click at once, and the
  // browser's own click that follows is swallowed, so that it neither follows the link nor toggles back.
  // The menus take a first tap on a link that opens a menu, and every tap on their arrow buttons and on the
  // "Menu" button; other taps (a second tap that follows a link, a plain link) are left to the browser. A
  // touch that moved, lasted long, or that the browser took for scrolling (pointercancel) is no tap.
  var TAP_SLOP = 8; // px
  var TAP_TIME = 400; // ms
  var tapClick = null; // the tap acted on whose click is still to come

  function onPointerUp(e) {
    if (!tapStart.live || e.pointerId !== tapStart.id) return;
    tapStart.live = false;
    if (Math.abs(e.clientX - tapStart.x) > TAP_SLOP || Math.abs(e.clientY - tapStart.y) > TAP_SLOP ||
        e.timeStamp - tapStart.time > TAP_TIME) return;
    var control = tapControl(e.target);
    if (!control) return;
    tapClick = { x: e.clientX, y: e.clientY, time: e.timeStamp, control: control };
    control.dispatchEvent(new MouseEvent('click', { bubbles: true, cancelable: true, view: win, detail: 1,
      clientX: e.clientX, clientY: e.clientY, screenX: e.screenX, screenY: e.screenY }));
  }

  // The touchend of a tap acted on is cancelled: the browser then sends neither the compatibility mouse
  // events nor the click, whose handling (a hit test that lays out the menu just opened, focus changes)
  // would come before the frame that shows the menu. The focus goes to the control, as the mouse down of a
  // tap would have put it, once that frame is drawn (moving it needs the style of the page up to date).
  function onTouchEnd(e) {
    var t = tapClick;
    if (!t || !e.cancelable || e.touches.length) return;
    e.preventDefault();
    tapClick = null;
    var control = t.control;
    requestAnimationFrame(function () {
      setTimeout(function () {
        if (control.isConnected && doc.activeElement !== control) control.focus({ preventScroll: true });
      }, 0);
    });
  }

  function onPointerCancel(e) {
    if (e.pointerId === tapStart.id) tapStart.live = false;
  }

  function swallowTapClick(e) {
    var t = tapClick;
    if (!t || !e.isTrusted) return;
    tapClick = null;
    if (e.timeStamp - t.time > 1000 || Math.abs(e.clientX - t.x) > 2 * TAP_SLOP || Math.abs(e.clientY - t.y) > 2 * TAP_SLOP) return;
    e.preventDefault();
    e.stopPropagation();
  }

  // The control of ours that a tap on the node acts on, or null when the tap is the browser's to handle.
  function tapControl(node) {
    var item = itemOf(node);
    if (item) {
      if (item.toggle && item.toggle.contains(node)) return item.toggle;
      if (item.link && item.link.contains(node) && item.hasSub && !tapStart.wasOpen && !(item.sub && item.sub.open)) {
        return item.link;
      }
      return null;
    }
    var own = node && node.closest ? node.closest('a, button') : null;
    if (!own) return null;
    for (var i = 0; i < trees.length; i++) {
      var t = trees[i];
      if (own === t.burger || own === t.triggerToggle) return own;
      if (own.hmOpens === t && !tapStart.wasOpen) return own;
    }
    return null;
  }

  function triggerTree(node) {
    for (var i = 0; i < trees.length; i++) {
      var t = trees[i];
      if ((t.trigger && t.trigger.contains(node)) || (t.triggerToggle && t.triggerToggle.contains(node))) return t;
    }
    return null;
  }

  // Keyboard: disclosure buttons plus arrow keys, Home and End.
  Tree.prototype.key = function (e) {
    if (e.altKey || e.ctrlKey || e.metaKey) return;
    var item = itemOf(e.target);
    var burger = this.burger && e.target === this.burger;
    var k = e.key;
    if (burger) {
      if (k === 'Escape') this.unfold(false);
      else if (k === 'ArrowDown' && this.el.classList.contains('hm-unfolded')) focusItem(this.root.items[0]);
      else return;
      e.preventDefault();
      return;
    }
    if (!item) return;
    var menu = item.menu;
    var vertical = !(menu.level === 0 && this.kind === 'bar' && this.horizontal) || this.narrow;
    var fwd = P.rightToLeft ? 'ArrowLeft' : 'ArrowRight';
    var back = P.rightToLeft ? 'ArrowRight' : 'ArrowLeft';
    var onToggle = item.toggle && e.target === item.toggle;
    var subOpen = item.sub && item.sub.open;
    switch (k) {
      case 'Escape':
        if (subOpen && (onToggle || e.target === item.control)) this.closeItem(item);
        else this.closeMenuOf(item);
        break;
      case 'ArrowDown':
      case 'ArrowUp':
        if (!vertical) {
          if (k === 'ArrowDown' && item.hasSub) { this.openItem(item); focusItem(item.sub.items[0]); }
          else if (k === 'ArrowUp' && subOpen) this.closeItem(item);
          else return;
        } else if (k === 'ArrowDown' && onToggle && subOpen) {
          focusItem(item.sub.items[0]);
        } else {
          focusItem(step(menu.items, item, k === 'ArrowDown' ? 1 : -1));
        }
        break;
      case 'ArrowRight':
      case 'ArrowLeft':
        if (!vertical) {
          focusItem(step(menu.items, item, k === fwd ? 1 : -1));
        } else if (k === fwd && item.hasSub && !this.narrow) {
          this.openItem(item);
          focusItem(item.sub.items[0]);
        } else if (k === back && menu.parentItem && !this.narrow) {
          var parent = menu.parentItem;
          var pm = parent.menu;
          if (pm.level === 0 && this.kind === 'bar' && this.horizontal) {
            // In a drop-down of the bar: go to the neighbouring bar item.
            this.closeItem(parent);
            focusItem(step(pm.items, parent, -1));
          } else {
            this.closeItem(parent);
            focusControl(parent.toggle || parent.control);
          }
        } else if (k === fwd && menu.parentItem && !this.narrow) {
          var top = topItem(item);
          if (top && top.menu.el.classList.contains('hm-bar')) {
            this.closeItem(top);
            focusItem(step(top.menu.items, top, 1));
          } else return;
        } else return;
        break;
      case 'Home':
        focusItem(firstFocusable(menu.items, 1));
        break;
      case 'End':
        focusItem(firstFocusable(menu.items, -1));
        break;
      default:
        return;
    }
    e.preventDefault();
    e.stopPropagation();
  };

  // Closes every open submenu that does not hold the item (the item's own submenu stays as it is).
  Tree.prototype.closeOutside = function (item) {
    var keep = [];
    for (var it = item; it; it = it.menu.parentItem) keep.push(it);
    for (var k = 0; k < keep.length; k++) {
      var items = keep[k].menu.items;
      for (var i = 0; i < items.length; i++) if (items[i] !== keep[k]) this.closeItem(items[i]);
    }
  };

  // Escape inside a menu: close it and return focus to what opened it.
  Tree.prototype.closeMenuOf = function (item) {
    var parent = item.menu.parentItem;
    if (parent) {
      this.closeItem(parent);
      focusControl(parent.toggle || parent.control);
    } else if (this.kind !== 'bar') {
      var back = this.triggerToggle || this.trigger;
      this.closeAll();
      focusControl(back);
    }
  };

  function topItem(item) {
    while (item.menu.parentItem) item = item.menu.parentItem;
    return item;
  }

  function step(items, from, dir) {
    var n = items.length;
    var i = items.indexOf(from);
    for (var s = 1; s <= n; s++) {
      var c = items[(i + dir * s + n * s) % n];
      if (c.control) return c;
    }
    return from;
  }

  function firstFocusable(items, dir) {
    var n = items.length;
    for (var s = 0; s < n; s++) {
      var c = items[dir > 0 ? s : n - 1 - s];
      if (c.control) return c;
    }
    return null;
  }

  function focusItem(item) {
    if (item) focusControl(item.control);
  }
  function focusControl(el) {
    if (el) el.focus();
  }

  // ----- the page's link row (table main menus) -------------------------------------------------------

  var POPUP_CALL = /popUp\(\s*['"](elMenu(\d+))['"]/;

  // Gives every link of the page that opens a pop-up menu a disclosure button beside it, for the keyboard
  // and for screen readers, and the first-tap-opens rule for touch.
  function enhanceTriggers() {
    var row = doc.querySelectorAll('a.navbar');
    if (row.length && row[0].parentNode && !row[0].parentNode.closest('[role="navigation"],nav')) {
      row[0].parentNode.setAttribute('role', 'navigation');
      row[0].parentNode.setAttribute('aria-label', W.main);
    }
    var here = stripHash(location.href);
    for (var r = 0; r < row.length; r++) {
      if (row[r].getAttribute('href') && stripHash(row[r].href) === here) row[r].setAttribute('aria-current', 'page');
      row[r].addEventListener('keydown', rowKeys);
    }
    var links = doc.querySelectorAll('a[onmouseover]');
    for (var i = 0; i < links.length; i++) {
      var link = links[i];
      var m = POPUP_CALL.exec(link.getAttribute('onmouseover') || '');
      if (!m) continue;
      var tree = treesByPopup[m[1]];
      if (!tree || tree.trigger) continue;
      tree.trigger = link;
      var t = doc.createElement('button');
      t.type = 'button';
      t.className = 'hm-trigger-toggle';
      t.setAttribute('aria-expanded', 'false');
      t.setAttribute('aria-controls', m[1]);
      t.setAttribute('aria-label', (link.textContent || '').trim() + W.sub);
      t.appendChild(arrowImage());
      link.parentNode.insertBefore(t, link.nextSibling);
      tree.triggerToggle = t;
      watchTrigger(tree, link, t);
      if (link.classList.contains('hm-current')) t.classList.add('hm-current');
    }
  }

  // Left and right arrows move along the page's link row (links and their arrow buttons), Home and End go
  // to its first and last link, as on the bar.
  function rowKeys(e) {
    var k = e.key;
    if (e.altKey || e.ctrlKey || e.metaKey || !/^(ArrowLeft|ArrowRight|Home|End)$/.test(k)) return;
    var stops = doc.querySelectorAll('a.navbar, .hm-trigger-toggle');
    var i = Array.prototype.indexOf.call(stops, e.currentTarget);
    if (i < 0) return;
    var next;
    if (k === 'Home' || k === 'End') {
      var links = doc.querySelectorAll('a.navbar');
      next = links[k === 'Home' ? 0 : links.length - 1];
    } else {
      var fwd = k === (P.rightToLeft ? 'ArrowLeft' : 'ArrowRight');
      next = stops[(i + (fwd ? 1 : stops.length - 1)) % stops.length];
    }
    for (var t = 0; t < trees.length; t++) if (trees[t].kind !== 'bar') trees[t].closeAll();
    next.focus();
    e.preventDefault();
  }

  function watchTrigger(tree, link, toggle) {
    toggle.addEventListener('click', function (e) {
      if (tree.root.open && tree.root.byHover && e.detail > 0) tree.root.byHover = false;
      else if (tree.root.open) tree.closeAll();
      else tree.openPopup(link);
    });
    link.hmOpens = tree;
    link.addEventListener('click', function (e) {
      // First tap opens, second follows the link.
      if (tapStart.type === 'touch' && !tapStart.wasOpen) {
        e.preventDefault();
        tree.openPopup(link);
      }
    });
    var keys = function (e) {
      if (e.key === 'Escape' && tree.root.open) {
        tree.closeAll();
        toggle.focus();
        e.preventDefault();
      } else if (e.key === 'ArrowDown') {
        tree.openPopup(link);
        focusItem(firstFocusable(tree.root.items, 1));
        e.preventDefault();
      }
    };
    toggle.addEventListener('keydown', keys);
    toggle.addEventListener('keydown', rowKeys);
    link.addEventListener('keydown', keys);
    var out = function (e) {
      if (e.relatedTarget && !tree.contains(e.relatedTarget)) tree.closeAll();
    };
    toggle.addEventListener('focusout', out);
    link.addEventListener('focusout', out);
    link.addEventListener('pointerleave', function (e) {
      if (e.pointerType !== 'touch' && !tree.contains(e.relatedTarget)) tree.scheduleHide();
    });
  }

  // popUp('elMenuN', event): the page's links call it on mouse over.
  function popUp(name, e) {
    var tree = treesByPopup[name];
    if (!tree) return;
    if (e && (e.pointerType === 'touch' || lastPointerType === 'touch') && e.type !== 'click') {
      // The compatibility mouseover of a tap: the tap rule opens the menu on click instead.
      if (tapStart.type === 'touch') return;
    }
    var link = e && e.target && e.target.closest ? e.target.closest('a') : null;
    // The page's own mouseover call of a move whose pointer event has already opened this link's pop-up.
    if (link && link === triggerTaken && e.type === 'mouseover') return;
    link = link || tree.trigger;
    var open = openPopupTree();
    if (open && open !== tree && e && e.type !== 'click' && movingInto(open.root.el.getBoundingClientRect())) {
      // Crossing this link on the way into the open pop-up: it takes over only if the pointer rests here.
      clearLinkAim();
      linkAim.tree = tree;
      linkAim.timer = setTimeout(function () {
        if (linkAim.tree === tree) {
          clearLinkAim();
          tree.openPopup(link);
        }
      }, AIM_DELAY);
      return;
    }
    clearLinkAim();
    tree.cancelHide();
    var wasOpen = tree.root.open;
    tree.openPopup(link);
    if (!wasOpen) tree.root.byHover = true;
  }

  // A link of the row that waits while the pointer heads for an open pop-up.
  var linkAim = { tree: null, timer: 0 };
  function clearLinkAim() {
    if (linkAim.timer) clearTimeout(linkAim.timer);
    linkAim.timer = 0;
    linkAim.tree = null;
  }

  function openPopupTree() {
    for (var i = 0; i < trees.length; i++) if (trees[i].kind !== 'bar' && trees[i].root.open) return trees[i];
    return null;
  }

  // popDown('elMenuN'): the page's links call it when the pointer leaves them.
  function popDown(name) {
    var tree = treesByPopup[name];
    if (linkAim.tree === tree) clearLinkAim();
    // The compatibility mouseout of a tap elsewhere: touch closes by a tap outside only.
    if (lastPointerType === 'touch') return;
    if (tree && tree.root.open) tree.scheduleHide();
  }

  // ----- the current page -----------------------------------------------------------------------------

  // Finds the item that links to this page and records its path (array name -> position), walking the
  // data without building any element.
  function findCurrentPage(firstNames) {
    var here = stripHash(location.href);
    var last = location.pathname.replace(/.*\//, '');
    var resolver = doc.createElement('a');
    var stack = firstNames.slice();
    while (stack.length) {
      var name = stack.pop();
      var rows = itemRows(win[name] || []);
      for (var i = 0; i < rows.length; i++) {
        var url = rows[i][1] == null ? '' : String(rows[i][1]);
        if (url !== '' && (last === '' || url.indexOf(last) >= 0)) {
          resolver.setAttribute('href', dataUrl(url));
          if (stripHash(resolver.href) === here) return recordPath(name, i + 1);
        }
        if (num(rows[i][4], 0) === 1 && isArrayData(win[name + '_' + (i + 1)])) stack.push(name + '_' + (i + 1));
      }
    }
    return null;
  }

  function recordPath(name, position) {
    currentPath[name] = position;
    var m;
    while ((m = /^(HM_Array[\d_]*)_(\d+)$/.exec(name))) {
      currentPath[m[1]] = Number(m[2]);
      name = m[1];
    }
    return name; // the first-level array
  }

  function stripHash(u) {
    var i = u.indexOf('#');
    return i < 0 ? u : u.slice(0, i);
  }

  // ----- start ----------------------------------------------------------------------------------------

  function firstLevelNumbers() {
    var built = win.HM_a_TreesToBuild;
    var numbers = [];
    if (Array.isArray(built) && built.length) {
      for (var i = 0; i < built.length; i++) {
        var n = parseInt(built[i], 10);
        if (n > 0 && isArrayData(win['HM_Array' + n])) numbers.push(n);
      }
      return numbers;
    }
    var keys = Object.keys(win);
    for (var k = 0; k < keys.length; k++) {
      var m = /^HM_Array(\d+)$/.exec(keys[k]);
      if (m && isArrayData(win[keys[k]])) numbers.push(Number(m[1]));
    }
    return numbers.sort(function (a, b) { return a - b; });
  }

  function start() {
    var numbers = firstLevelNumbers();
    if (!numbers.length) return;
    installStyles();
    var currentTree = findCurrentPage(numbers.map(function (n) { return 'HM_Array' + n; }));
    for (var i = 0; i < numbers.length; i++) {
      var tree = new Tree(numbers[i], win['HM_Array' + numbers[i]]);
      trees.push(tree);
      if (tree.kind === 'bar') tree.buildBar();
      else treesByPopup['elMenu' + tree.number] = tree;
    }
    enhanceTriggers();
    if (currentTree) markCurrentTrigger(currentTree);
    for (var k = 0; k < trees.length; k++) if (trees[k].trigger) ahead.items.push(trees[k]);
    scheduleAhead();
    doc.addEventListener('pointerdown', onPointerDown, true);
    doc.addEventListener('pointerup', onPointerUp, true);
    doc.addEventListener('touchend', onTouchEnd, { capture: true, passive: false });
    doc.addEventListener('pointercancel', onPointerCancel, true);
    win.addEventListener('click', swallowTapClick, true);
    doc.addEventListener('keydown', function (e) {
      if (e.key !== 'Escape') return;
      for (var t = 0; t < trees.length; t++) if (!trees[t].contains(e.target)) trees[t].closeAll();
    });
    win.addEventListener('resize', function () {
      for (var t = 0; t < trees.length; t++) {
        if (trees[t].kind === 'bar') trees[t].fitBar();
        if (!trees[t].narrow) trees[t].closeAll();
      }
    });
  }

  // The link row's link whose menu leads to the current page is marked like the path in the menus.
  function markCurrentTrigger(firstName) {
    var n = /^HM_Array(\d+)$/.exec(firstName);
    var tree = n && treesByPopup['elMenu' + n[1]];
    if (tree && tree.trigger) {
      tree.trigger.classList.add('hm-current');
      tree.trigger.style.textDecoration = 'underline';
    }
  }

  win.popUp = popUp;
  win.popDown = popDown;
  win.HM_f_PopUp = popUp;
  win.HM_f_PopDown = popDown;
  // For the page's own scripts and for tests: the built trees.
  win.HM_Corvantel = { trees: trees, parameters: P };

  // The loader runs at the end of the page's body, after the link row: the menus can be built at once.
  if (doc.body) start();
  else doc.addEventListener('DOMContentLoaded', start);
})();
