// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Brings the game into the page: checks what the browser needs, downloads the
// program with a progress line, starts it at a scale that fits the window and
// says in German whatever ends the game or keeps it from starting. Written in
// plain ES5, so that an old browser still reads far enough to say what it lacks.
// The body's data-state tells where it stands: loading, running, ended,
// crashed, failed (the download) or unsupported (the browser).
(function () {
  'use strict';

  var formWidth = 1005;
  var formHeight = 679;
  var script = document.currentScript || document.querySelector('script[data-stamp]');
  var stamp = script.getAttribute('data-stamp');
  // The size of the program as built. The bytes read are counted against it: a
  // compressed transfer announces the length of what travels, not of what arrives.
  var wasmBytes = Number(script.getAttribute('data-wasm-bytes'));
  var body = document.body;
  var frame = document.getElementById('rahmen');
  var game = document.getElementById('spiel');
  var line = document.getElementById('laden');
  var bar = document.getElementById('fortschritt');
  var button = document.getElementById('knopf');
  var refit = document.getElementById('einpassen');
  var notices = document.getElementById('ansage');
  var scale = 1;
  var qtStarted = false;

  function state() {
    return body.getAttribute('data-state');
  }

  function megabytes(bytes) {
    return (bytes / 1e6).toFixed(1).replace('.', ',') + ' MB';
  }

  function say(newState, text, buttonText) {
    body.setAttribute('data-state', newState);
    line.textContent = text;
    bar.hidden = newState !== 'loading' || !bar.value;
    button.hidden = !buttonText;
    if (buttonText) {
      button.textContent = buttonText;
      button.onclick = function () {
        window.location.reload();
      };
    }
  }

  // The end of the road: a message and a way to start again. The first one stands.
  function stop(newState, text, buttonText) {
    var current = state();
    if (current !== 'loading' && current !== 'running')
      return;
    offerRefit(false);
    notices.textContent = '';
    say(newState, text, buttonText);
    if (qtStarted) {
      // Nothing of the program may take input any more: its part of the page
      // goes, and so does the field it takes the keys from.
      var empty = game.cloneNode(false);
      game.parentNode.replaceChild(empty, game);
      game = empty;
      each(document.querySelectorAll('body > input[type=text]'), function (input) {
        input.parentNode.removeChild(input);
      });
    }
    if (newState === 'ended' || newState === 'crashed')
      button.focus();
  }

  function failLoading(text) {
    stop('failed', 'Wuselwort konnte nicht geladen werden: ' + text, 'Noch einmal versuchen');
  }

  function crash(detail) {
    stop('crashed', 'Wuselwort ist abgestürzt' + (detail ? ' (' + detail + ').' : '.'), 'Neu starten');
  }

  // The whole form where it fits, else scaled down by Qt itself, which draws
  // sharp at any scale; not below a quarter, where the page scrolls instead.
  function fittingScale() {
    var footer = document.querySelector('footer');
    var width = document.documentElement.clientWidth - 16;
    var height = window.innerHeight - 16 - footer.offsetHeight;
    var fit = Math.min(1, width / formWidth, height / formHeight);
    return Math.max(0.25, Math.floor(fit * 1000) / 1000);
  }

  function setScale(newScale) {
    scale = newScale;
    frame.style.width = Math.ceil(formWidth * scale) + 'px';
    frame.style.height = Math.ceil(formHeight * scale) + 'px';
  }

  // A running program keeps the scale it started with (Qt takes it once), like
  // the desktop window, whose form neither moves nor scales with its frame: the
  // form stays centred, the page scrolls where it no longer fits, and an offer
  // to fit the game anew, which starts it again, stands while the scale differs.
  function onResize() {
    var fit = fittingScale();
    if (!qtStarted)
      setScale(fit);
    else
      offerRefit(state() === 'running' && Math.abs(fit - scale) >= 0.02);
  }

  // The offer stands at the top of the window, the page below it.
  function offerRefit(shown) {
    refit.hidden = !shown;
    body.style.paddingTop = shown ? refit.offsetHeight + 'px' : '';
  }

  function loadScript(name) {
    return new Promise(function (resolve, reject) {
      var element = document.createElement('script');
      element.src = name + '?v=' + stamp;
      element.onload = resolve;
      element.onerror = function () {
        reject(new Error('Die Datei ' + name + ' fehlt auf dem Server oder kam nicht an.'));
      };
      document.body.appendChild(element);
    });
  }

  function showProgress(received, total) {
    if (total > 0) {
      bar.max = total;
      bar.value = Math.min(received, total);
      bar.hidden = false;
      line.textContent = 'Wuselwort wird geladen: ' + megabytes(Math.min(received, total)) + ' von ' +
        megabytes(total);
    } else {
      line.textContent = 'Wuselwort wird geladen: ' + megabytes(received);
    }
  }

  // The program's bytes, read as they arrive, with the progress line following.
  function download(name) {
    var received = 0;
    var total = wasmBytes;
    var lastArrival = Date.now();
    var watch = window.setInterval(function () {
      if (Date.now() - lastArrival > 15000 && state() === 'loading')
        line.textContent = 'Wuselwort wird geladen: ' + megabytes(received) +
          (total > 0 ? ' von ' + megabytes(total) : '') + '. Seit einer Weile kommt nichts mehr an …';
    }, 1000);
    function done() {
      window.clearInterval(watch);
    }
    function cutOff() {
      return new Error('Der Download brach nach ' + megabytes(received) +
        (total > 0 ? ' von ' + megabytes(total) : '') + ' ab.');
    }
    return window.fetch(name + '?v=' + stamp).then(function (response) {
      if (!response.ok)
        throw new Error('Der Server antwortete auf ' + name + ' mit „' + response.status +
          (response.statusText ? ' ' + response.statusText : '') + '“.');
      if (!(total > 0) && !response.headers.get('Content-Encoding'))
        total = Number(response.headers.get('Content-Length'));
      showProgress(0, total);
      if (!response.body || !response.body.getReader)
        return response.arrayBuffer();
      var reader = response.body.getReader();
      var chunks = [];
      function read() {
        return reader.read().then(function (result) {
          if (result.done) {
            var bytes = new Uint8Array(received);
            var offset = 0;
            chunks.forEach(function (chunk) {
              bytes.set(chunk, offset);
              offset += chunk.length;
            });
            return bytes;
          }
          chunks.push(result.value);
          received += result.value.length;
          lastArrival = Date.now();
          showProgress(received, total);
          return read();
        }, function () {
          throw cutOff();
        });
      }
      return read();
    }, function () {
      throw new Error('Der Server war nicht zu erreichen.');
    }).then(function (bytes) {
      done();
      received = bytes.byteLength;
      if (total > 0 && received !== total)
        throw cutOff();
      return bytes;
    }, function (error) {
      done();
      throw error;
    });
  }

  function compile(bytes) {
    line.textContent = 'Wuselwort startet …';
    bar.hidden = true;
    return WebAssembly.compile(bytes).catch(function () {
      throw new Error('Die Datei wuselwort.wasm ist beschädigt.');
    });
  }

  function each(list, action) {
    Array.prototype.forEach.call(list, action);
  }

  // Qt lays its elements for screen readers (below) under the window's
  // picture, in the window's grey. Where the picture leaves a pixel unpainted,
  // as its last column at a scale that ends inside one, neither may show: the
  // form's white ground does.
  var qtLook = '.qt-window-a11y-container { opacity: 0; } .qt-window { background-color: transparent; }';

  // Qt mirrors each control as an HTML element for screen readers, switched on
  // by a hidden button that it puts on the page. Mended here where browsers read
  // Qt's elements otherwise than the desktop's screen readers read the controls.
  function mendForScreenReaders() {
    var host = game.querySelector('#qt-shadow-container');
    var root = host && host.shadowRoot;
    var input = document.querySelector('body > input[type=text]');
    if (root) {
      var style = document.createElement('style');
      style.textContent = qtLook;
      root.appendChild(style);
    }
    if (input) {
      // Qt's hidden field that takes the keys, also those of an on-screen
      // keyboard, once a control has the focus; no place for the Tab key.
      input.setAttribute('aria-label', 'Tastatureingabe für Wuselwort');
      input.setAttribute('tabindex', '-1');
    }
    if (!root)
      return;
    function setAttribute(element, name, value) {
      if (element.getAttribute(name) !== value)
        element.setAttribute(name, value);
    }
    // The game's announcements of what changed away from the focus ("Punkte:
    // 2"), which desktop screen readers speak as notifications. Qt names the
    // element after the object's path, and puts it anew into the page at each
    // announcement, which makes it a new element to a screen reader, one that
    // is not spoken. The page's own live region, which stays, says each one
    // instead, and Qt's element is hidden from screen readers, lest they read
    // it twice.
    function isNotice(node) {
      return node.nodeType === 1 && /\.Announcer$/.test(node.id);
    }
    function sayNotices(records) {
      var notice = null;
      each(records, function (record) {
        if (record.type === 'attributes')
          return;
        if (isNotice(record.target))
          notice = record.target;
        else if (record.target.parentNode && isNotice(record.target.parentNode))
          notice = record.target.parentNode;
        each(record.addedNodes, function (node) {
          if (isNotice(node))
            notice = node;
        });
      });
      // Each announcement anew, also one that says the same again.
      if (notice && notice.textContent)
        notices.textContent = notice.textContent;
    }
    function mend() {
      each(root.querySelectorAll('button.hidden-visually-read-by-screen-reader'), function (button) {
        if (button.textContent !== 'Bildschirmleser einschalten')
          button.textContent = 'Bildschirmleser einschalten';
      });
      // The canvas holds the keyboard focus for the game. Qt hides it from
      // screen readers, which a browser refuses for the focused element.
      each(root.querySelectorAll('canvas[aria-hidden]'), function (canvas) {
        canvas.removeAttribute('aria-hidden');
        canvas.setAttribute('role', 'application');
        canvas.setAttribute('aria-label', 'Wuselwort');
      });
      each(root.querySelectorAll('.qt-window-a11y-container > *'), function (element) {
        var tag = element.tagName.toLowerCase();
        if (tag === 'input' || element.getAttribute('role') === 'scrollbar') {
          // Qt gives check boxes, text fields and the scroll bar their names
          // as content, which browsers do not read for them. A text field's
          // name goes to an attribute once its text is known, and its text
          // into the content, until the name is put there again.
          var name = element.getAttribute('name');
          setAttribute(element, 'aria-label', name || element.textContent);
          if (name && tag === 'input' && element.textContent !== name && element.value !== element.textContent)
            element.value = element.textContent;
          // Qt gives a scroll bar no orientation, which makes it upright.
          if (tag !== 'input')
            setAttribute(element, 'aria-orientation',
              element.offsetWidth > element.offsetHeight ? 'horizontal' : 'vertical');
        } else if (tag === 'textarea') {
          // A label, which Qt mirrors as a field that cannot be changed.
          setAttribute(element, 'role', 'note');
          setAttribute(element, 'aria-label', element.textContent);
          setAttribute(element, 'tabindex', '-1');
        } else if (isNotice(element)) {
          setAttribute(element, 'aria-hidden', 'true');
        }
      });
    }
    mend();
    new MutationObserver(function (records) {
      sayNotices(records);
      mend();
    }).observe(root, {
      subtree: true, childList: true, characterData: true, attributes: true,
      attributeFilter: ['name', 'aria-hidden']
    });
  }

  function run(module) {
    // Two kinds of Qt's warnings say nothing a player lacks. Qt warns of the
    // application as an element without a window when the screen-reader
    // elements are made, each time and harmlessly. And its input context
    // warns of what the browser did to the hidden field the keys go to, such
    // as its own undo on Ctrl+Z ("historyUndo ... not supported"), which comes
    // only after Qt has had the key and left it, or of a composition that
    // ended otherwise than it ran: the game's fields lose nothing by either.
    var environment = {
      QT_LOGGING_RULES: 'qt.qpa.accessibility.warning=false;qt.qpa.wasm.inputcontext.warning=false'
    };
    if (scale < 1)
      environment.QT_SCALE_FACTOR = String(scale);
    body.setAttribute('data-scale', String(scale));
    qtStarted = true;
    return window.qtLoad({
      qt: {
        entryFunction: window.wuselwort_entry,
        containerElements: [game],
        module: Promise.resolve(module),
        environment: environment,
        // The faces the game carries itself, never the machine's.
        localFonts: { familiesCollection: 'NoFontFamilies' },
        onLoaded: function () {
          if (state() === 'loading')
            say('running', '');
        },
        onExit: function (exit) {
          if (exit.crashed)
            crash(exit.text);
          else
            stop('ended', 'Wuselwort ist beendet.', 'Noch einmal spielen');
        }
      }
    });
  }

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.compile !== 'function' ||
      typeof Promise !== 'function' || typeof window.fetch !== 'function') {
    say('unsupported', 'Dieser Browser kann Wuselwort nicht spielen: Ihm fehlt WebAssembly, oder es ist ' +
      'ausgeschaltet. Wuselwort läuft in jedem aktuellen Browser, etwa Firefox, Chrome, Edge oder Safari.');
    return;
  }

  setScale(fittingScale());
  window.addEventListener('resize', onResize);
  document.getElementById('neu-einpassen').onclick = function () {
    window.location.reload();
  };
  // Qt's window cannot read a cancelled pointer: it stops the program on one.
  // The browser cancels a pointer that it takes over, as when a drag of text
  // selected on the page comes over the game, or a touch turns into a gesture
  // of the browser's own. Kept from Qt alone, a cancelled touch would stay
  // pressed for good, and no later tap or click would reach a control; so Qt
  // learns of it as the pointer let go where it was. A long press that the
  // browser took for the start of a drag thus presses a button, as any long
  // press does.
  window.addEventListener('pointercancel', function (event) {
    var path = event.composedPath();
    if (path.indexOf(game) < 0)
      return;
    event.stopImmediatePropagation();
    path[0].dispatchEvent(new PointerEvent('pointerup', {
      bubbles: true, composed: true, pointerId: event.pointerId, pointerType: event.pointerType,
      isPrimary: event.isPrimary, clientX: event.clientX, clientY: event.clientY,
      screenX: event.screenX, screenY: event.screenY, width: event.width, height: event.height
    }));
  }, true);
  // Whatever the program throws that Qt's loader does not catch ends it.
  window.addEventListener('error', function (event) {
    if (qtStarted)
      crash(event.error ? String(event.error) : event.message);
  });
  window.addEventListener('unhandledrejection', function (event) {
    if (qtStarted)
      crash(String(event.reason));
  });

  var scripts = Promise.all([loadScript('qtloader.js'), loadScript('wuselwort.js')]);
  // Its failure is told once the download has ended, not as an uncaught one before.
  scripts.catch(function () {});
  download('wuselwort.wasm').then(compile).then(function (module) {
    return scripts.then(function () {
      return module;
    });
  }).then(function (module) {
    return run(module).then(mendForScreenReaders).catch(function (error) {
      crash(error && error.message);
    });
  }, function (error) {
    failLoading(error.message);
  });
})();
