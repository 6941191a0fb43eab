/*
 * HM_Loader.js - loads the menus of a page made by Corvantel.
 *
 * The page's last script line loads this file. It loads, from the folder this file came from, first the
 * menu data hierArrays.js and then the menu script hierMenus.js, in that order, with plain script
 * elements (no fetch, no eval): that works from a web server and from a page opened from disk. A file
 * that cannot be loaded is reported in the browser console; the page itself stays as it is. It also gives a
 * page without a viewport declaration the device's width.
 */
(function () {
  'use strict';
  var doc = document;
  var self = doc.currentScript;
  var folder = '';
  if (self && self.src) folder = self.src.replace(/[?#].*$/, '').replace(/[^\/]*$/, '');

  function report(file) {
    if (window.console) {
      console.error('HM_Loader: could not load ' + folder + file + '; the menus of this page are not shown.');
    }
  }

  // A page without a viewport declaration is laid out 980 pixels wide on a phone and shown at a third of
  // its size; the menus need the device's own width. A page that declares a viewport keeps its own.
  if (!doc.querySelector('meta[name="viewport" i]')) {
    var meta = doc.createElement('meta');
    meta.name = 'viewport';
    meta.content = 'width=device-width, initial-scale=1';
    (doc.head || doc.documentElement).appendChild(meta);
  }

  var files = ['hierArrays.js', 'hierMenus.js'];

  // A failed load of either file is reported (error events do not bubble, but they pass the document
  // on their way down).
  doc.addEventListener('error', function (e) {
    var t = e.target;
    if (t && t.tagName === 'SCRIPT' && t.getAttribute('data-hm-file')) report(t.getAttribute('data-hm-file'));
  }, true);

  function quoted(text) {
    return text.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
  }

  if (doc.readyState === 'loading' && self && !self.async && !self.defer) {
    // Loaded by the page's own script line while the page is being read: the two files join the page
    // right here, in order, so the menus are ready when the page is (DOMContentLoaded waits for them).
    var tags = '';
    for (var i = 0; i < files.length; i++) {
      tags += '<script src="' + quoted(folder + files[i]) + '" data-hm-file="' + files[i] + '"><\/script>';
    }
    doc.write(tags);
  } else {
    // Added to a finished page: fetched at once and run in the order inserted.
    for (var k = 0; k < files.length; k++) {
      var s = doc.createElement('script');
      s.src = folder + files[k];
      s.async = false;
      s.setAttribute('data-hm-file', files[k]);
      (doc.head || doc.documentElement).appendChild(s);
    }
  }
})();
