// The program's page: its error dialog, the canvas shown with the window, the
// "Save picture" button, touch and the key bar, and mends for Emscripten
// 3.1.6's GLUT input where it differs from freeglut's.
var LibraryCgdemoPage = {
  // glutBitmapCharacter comes with the program (src/platform/web/gl_emulation_web.js):
  // a dependency here would put it, and the GL emulation, before the emulation's own set-up.
  $cgdemoPage__deps: ['$GLUT', '$Browser', 'glutCreateWindow', 'glutSwapBuffers'],
  $cgdemoPage__postset: 'cgdemoPage.mendInput(); cgdemoPage.showCanvasWithWindow(); ' +
                        'cgdemoPage.watchFrames(); Module["onExit"] = cgdemoPage.stopInput;',
  $cgdemoPage: {
    // Special keys the browser acts on itself (help, find, scrolling) that the
    // program uses: they go to the program alone. Other special keys (F5
    // reload, F11 full screen, ...) reach the program and the browser both.
    ownSpecialKeys: [1, 2, 3, 100, 101, 102, 103, 104, 105],

    mendInput: function() {
      // The motion callback got the pointer position before the move.
      GLUT.onMousemove = function(event) {
        var lastX = Browser.mouseX, lastY = Browser.mouseY;
        Browser.calculateMouseEvent(event);
        if (GLUT.buttons == 0 || !GLUT.motionFunc ||
            (Browser.mouseX == lastX && Browser.mouseY == lastY)) return;
        event.preventDefault();
        GLUT.saveModifiers(event);
        {{{ makeDynCall('vii', 'GLUT.motionFunc') }}}(Browser.mouseX, Browser.mouseY);
      };
      // freeglut gives Backspace and Delete as characters 8 and 127, and the
      // character a key makes with Shift ('!' for Shift and 1).
      var specialKey = GLUT.getSpecialKey;
      GLUT.getSpecialKey = function(keyCode) {
        return keyCode == 8 || keyCode == 46 ? null : specialKey(keyCode);
      };
      GLUT.getASCIIKey = function(event) {
        if (event.ctrlKey || event.altKey || event.metaKey) return null;
        var named = {Backspace: 8, Tab: 9, Enter: 13, Escape: 27, Delete: 127};
        if (event.key in named) return named[event.key];
        var code = event.key.length == 1 ? event.key.charCodeAt(0) : 0;
        return code >= 32 && code < 127 ? code : null;
      };
      GLUT.onKeydown = function(event) {
        // Keys typed into the page's own form or dialog are theirs.
        if (event.target != document.body && event.target != Module.canvas) return;
        var key = GLUT.getSpecialKey(event.keyCode);
        if (key !== null) {
          if (!GLUT.specialFunc) return;
          if (cgdemoPage.ownSpecialKeys.indexOf(key) >= 0) event.preventDefault();
          cgdemoPage.press(key, true, event);
          return;
        }
        key = GLUT.getASCIIKey(event);
        if (key === null || !GLUT.keyboardFunc) return;
        event.preventDefault();
        cgdemoPage.press(key, false, event);
      };
      // Touch is handled on the canvas (followTouches), not as GLUT's one left button.
      GLUT.touchHandler = function() {};
    },

    // Hands a key to the program's keyboard or special-key handler, for the
    // keyboard and the key bar alike.
    press: function(key, special, event) {
      var handler = special ? GLUT.specialFunc : GLUT.keyboardFunc;
      if (!handler) return;
      GLUT.saveModifiers(event);
      {{{ makeDynCall('viii', 'handler') }}}(key, Browser.mouseX, Browser.mouseY);
    },

    // Fingers on the canvas drive GLUT's own mouse handlers with the mouse
    // events they listen for: one finger as the right button (turning the
    // camera), two as the left button at their midpoint (shift and zoom).
    // The page neither scrolls nor zooms meanwhile.
    touchButton: -1,
    touchAt: null,

    followTouches: function(event) {
      event.preventDefault();
      var touches = event.targetTouches, count = touches.length;
      var button = count == 0 ? -1 : count == 1 ? 2 : 0;
      var at = count == 0 ? cgdemoPage.touchAt : count == 1 ?
        [touches[0].clientX, touches[0].clientY] :
        [(touches[0].clientX + touches[1].clientX) / 2,
         (touches[0].clientY + touches[1].clientY) / 2];
      var last = cgdemoPage.touchAt;
      if (button != cgdemoPage.touchButton) {
        if (cgdemoPage.touchButton >= 0) {
          cgdemoPage.dispatchMouse('mouseup', cgdemoPage.touchButton, last);
        }
        if (button >= 0) cgdemoPage.dispatchMouse('mousedown', button, at);
      } else if (button >= 0 && (at[0] != last[0] || at[1] != last[1])) {
        cgdemoPage.dispatchMouse('mousemove', button, at);
      }
      cgdemoPage.touchButton = button;
      cgdemoPage.touchAt = at;
    },

    // A mouse event of button at the client position at, sent to the canvas.
    dispatchMouse: function(type, button, at) {
      Module.canvas.dispatchEvent(new MouseEvent(type, {
        bubbles: true, cancelable: true, view: window, clientX: at[0], clientY: at[1],
        button: button, buttons: type == 'mouseup' ? 0 : button == 2 ? 2 : 1}));
    },

    // Once the program has ended (its frames and timers stop with it), keys
    // and the mouse reach none of its code either.
    stopInput: function() {
      GLUT.keyboardFunc = GLUT.specialFunc = GLUT.mouseFunc = GLUT.motionFunc = 0;
    },

    // The page keeps the canvas hidden until the program opens its window;
    // then it shows it, gives it the keyboard and takes the window's title.
    showCanvasWithWindow: function() {
      var createWindow = _glutCreateWindow;
      _glutCreateWindow = function(name) {
        var id = createWindow(name);
        document.title = UTF8ToString(name);
        document.getElementById('program').hidden = false;
        var canvas = Module.canvas;
        // A right-button drag turns the camera: no context menu.
        canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
        ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function(type) {
          canvas.addEventListener(type, cgdemoPage.followTouches, {passive: false});
        });
        document.getElementById('key-bar').addEventListener('click', function(event) {
          var button = event.target.closest('button');
          if (!button) return;
          var special = button.dataset.special !== undefined;
          cgdemoPage.press(Number(special ? button.dataset.special : button.dataset.key),
                           special, event);
        });
        document.getElementById('save').addEventListener('click', function() {
          cgdemoPage.saveRequested = true;
        });
        // The page's buttons hand the keyboard back to the program.
        document.getElementById('controls').addEventListener('click', function() {
          canvas.focus();
        });
        canvas.focus();
        return id;
      };
    },

    // The status line as drawn in the frame being drawn and in the last
    // whole frame, and the student ID it showed last: the saved picture's name.
    lineDrawn: '',
    lineShown: '',
    studentId: '',
    saveRequested: false,

    // The program draws the status line with glutBitmapCharacter and ends
    // each frame with glutSwapBuffers; until the browser shows the frame, its
    // pixels can be read.
    watchFrames: function() {
      var character = _glutBitmapCharacter, swapBuffers = _glutSwapBuffers;
      _glutBitmapCharacter = function(font, code) {
        cgdemoPage.lineDrawn += String.fromCharCode(code);
        character(font, code);
      };
      _glutSwapBuffers = function() {
        swapBuffers();
        var line = cgdemoPage.lineShown = cgdemoPage.lineDrawn, label = 'Student ID: ';
        cgdemoPage.lineDrawn = '';
        if (line.indexOf(label) == 0) cgdemoPage.studentId = line.slice(label.length);
        if (cgdemoPage.saveRequested) {
          cgdemoPage.saveRequested = false;
          cgdemoPage.savePicture();
        }
      };
    },

    // Saves the frame just drawn, exactly its pixels, as cgdemo-<ID>.png, or
    // cgdemo-<ID>-model.png when it shows the selection line.
    savePicture: function() {
      var width = GLctx.drawingBufferWidth, height = GLctx.drawingBufferHeight;
      var pixels = new Uint8Array(4 * width * height);
      GLctx.readPixels(0, 0, width, height, GLctx.RGBA, GLctx.UNSIGNED_BYTE, pixels);
      var picture = document.createElement('canvas');
      picture.width = width;
      picture.height = height;
      var context = picture.getContext('2d'), image = context.createImageData(width, height);
      // WebGL's rows run bottom to top.
      for (var y = 0; y < height; ++y) {
        image.data.set(pixels.subarray(4 * width * (height - 1 - y), 4 * width * (height - y)),
                       4 * width * y);
      }
      context.putImageData(image, 0, 0);
      var name = 'cgdemo' + (cgdemoPage.studentId ? '-' + cgdemoPage.studentId : '') +
                 (cgdemoPage.lineShown.indexOf('Model ') == 0 ? '-model' : '');
      picture.toBlob(function(blob) {
        var link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        link.download = name.replace(/[^A-Za-z0-9_-]/g, '_') + '.png';
        link.click();
        setTimeout(function() { URL.revokeObjectURL(link.href); }, 60000);
      }, 'image/png');
    },
  },

  // The page's modal "Error" dialog; once it is closed the program's canvas
  // goes, as its window does on the desktop, and the page says that the
  // program has ended.
  cgdemoShowMessage__deps: ['$cgdemoPage'],
  cgdemoShowMessage: function(title, text) {
    var dialog = document.getElementById('message');
    document.getElementById('message-title').textContent = UTF8ToString(title);
    document.getElementById('message-text').textContent = UTF8ToString(text);
    dialog.addEventListener('close', function() {
      document.getElementById('program').hidden = true;
      document.getElementById('ended').hidden = false;
    }, {once: true});
    dialog.showModal();
    dialog.querySelector('button').focus();
  },
};

mergeInto(LibraryManager.library, LibraryCgdemoPage);
