// The program's page: its error dialog, the canvas shown with the window, and
// mends for Emscripten 3.1.6's GLUT input where it differs from freeglut's.
var LibraryCgdemoPage = {
  $cgdemoPage__deps: ['$GLUT', '$Browser', 'glutCreateWindow'],
  $cgdemoPage__postset: 'cgdemoPage.mendInput(); cgdemoPage.showCanvasWithWindow(); ' +
                        'Module["onExit"] = cgdemoPage.stopInput;',
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
          GLUT.saveModifiers(event);
          {{{ makeDynCall('viii', 'GLUT.specialFunc') }}}(key, Browser.mouseX, Browser.mouseY);
          return;
        }
        key = GLUT.getASCIIKey(event);
        if (key === null || !GLUT.keyboardFunc) return;
        event.preventDefault();
        GLUT.saveModifiers(event);
        {{{ makeDynCall('viii', 'GLUT.keyboardFunc') }}}(key, Browser.mouseX, Browser.mouseY);
      };
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
        Module.canvas.hidden = false;
        // A right-button drag turns the camera: no context menu.
        Module.canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
        Module.canvas.focus();
        return id;
      };
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
      Module.canvas.hidden = true;
      document.getElementById('ended').hidden = false;
    }, {once: true});
    dialog.showModal();
    dialog.querySelector('button').focus();
  },
};

mergeInto(LibraryManager.library, LibraryCgdemoPage);
