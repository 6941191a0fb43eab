/*
 * HM_Loader.js - loads the menus of a page made by Corvantel.
 *
 * The page's last script line loads this file. It loads, from the folder this file came from, first the
 * menu data hierArrays.js and then the menu script hierMenus.js, in that order, with plain script
 * elements: that works from a web server and from a page opened from disk. A file that cannot be loaded
 * is reported in the browser console; the page itself stays as it is.
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

  // Both files are fetched at once and run in the order inserted (async = false): the data first, since
  // the script reads it when it starts. Without data the script finds no menu and does nothing.
  function load(file) {
    var s = doc.createElement('script');
    s.src = folder + file;
    s.async = false;
    s.onerror = function () { report(file); };
    (doc.head || doc.documentElement).appendChild(s);
  }

  load('hierArrays.js');
  load('hierMenus.js');
})();
