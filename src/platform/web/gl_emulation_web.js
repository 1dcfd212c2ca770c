// Mends for Emscripten 3.1.6's legacy GL emulation, where it draws the program's
// OpenGL 1.1 calls differently from a desktop driver.
var LibraryCgdemoGL = {
  $cgdemoGL__deps: ['$GLImmediate', '$GLEmulation', '$GL', '$Browser', 'glEnable', 'glDisable',
                    'glIsEnabled', 'glGetBooleanv', 'glColor4f', 'glBegin', 'glEnd', 'glVertex3f',
                    'glNormal3f', 'glTexCoord2f', 'glTexEnvf', 'glTexEnvi', 'glMatrixMode',
                    'glPushMatrix', 'glPopMatrix', 'glLoadIdentity', 'glOrtho', 'glTexImage2D',
                    'glViewport'],
  // Runs after the emulation's own set-up, which replaces some of its
  // functions (a dependency's code comes first).
  $cgdemoGL__postset: 'cgdemoGL.install();',
  $cgdemoGL: {
    // The emulation's own functions, set by install.
    emulation: null,
    // glBegin's mode, or -1 outside glBegin/glEnd, and the vertices recorded since.
    mode: -1,
    vertices: [],
    normal: [0, 0, 1],
    texCoord: [0, 0],
    // The viewport as glViewport set it (the raster position needs it; asking
    // WebGL for it waits for the GPU process).
    viewport: [0, 0, 0, 0],
    rasterX: 0,
    rasterY: 0,
    rasterColor: [1, 1, 1, 1],

    install: function() {
      if (!GLEmulation.hasRunInit) throw 'cgdemoGL: the GL emulation is not set up yet';
      // The emulation's own functions, before any is replaced.
      var emulation = {
        enable: _glEnable, disable: _glDisable, isEnabled: _glIsEnabled,
        getBooleanv: _glGetBooleanv, color4f: _glColor4f, begin: _glBegin, end: _glEnd,
        vertex3f: _glVertex3f, normal3f: _glNormal3f, texCoord2f: _glTexCoord2f,
        texEnvf: _glTexEnvf, texImage2D: _glTexImage2D
      };
      cgdemoGL.emulation = emulation;
      cgdemoGL.trackCapabilities(emulation);
      cgdemoGL.recordBeginEnd(emulation);
      cgdemoGL.mendTexEnvf(emulation);
      cgdemoGL.stretchTextures(emulation);
      var viewport = _glViewport;
      _glViewport = function(x, y, width, height) {
        cgdemoGL.viewport = [x, y, width, height];
        viewport(x, y, width, height);
      };
      Browser.moduleContextCreatedCallbacks.push(cgdemoGL.mendContext);
    },

    // Every capability glEnable and glDisable have set, as it stands. The
    // emulation forgets GL_TEXTURE_2D and GL_COLOR_MATERIAL (not WebGL's) and
    // glGetBooleanv does not answer GL_LIGHTING; the others it answers by
    // asking WebGL, which waits for the GPU process each time (that took
    // two thirds of a frame's time). So queries are answered from here.
    enabled: {},

    trackCapabilities: function(emulation) {
      // The emulation calls its functions by their second names too.
      _glEnable = _emscripten_glEnable = function(cap) {
        cgdemoGL.enabled[cap] = true;
        if (cap == 0xB57 /* GL_COLOR_MATERIAL */) cgdemoGL.followColor();
        emulation.enable(cap);
      };
      _glDisable = _emscripten_glDisable = function(cap) {
        cgdemoGL.enabled[cap] = false;
        emulation.disable(cap);
      };
      _glIsEnabled = _emscripten_glIsEnabled = function(cap) {
        if (cap in cgdemoGL.enabled) return cgdemoGL.enabled[cap] ? 1 : 0;
        return cap == 0xDE1 || cap == 0xB57 ? 0 : emulation.isEnabled(cap);
      };
      _glGetBooleanv = _emscripten_glGetBooleanv = function(pname, p) {
        if (pname in cgdemoGL.enabled || pname == 0xDE1 || pname == 0xB57) {
          HEAP8[p] = _glIsEnabled(pname);
          return;
        }
        emulation.getBooleanv(pname, p);
      };
      // The emulation has no colour material: with it on (glColorMaterial's
      // default, GL_FRONT_AND_BACK and GL_AMBIENT_AND_DIFFUSE), glColor sets
      // the material's ambient and diffuse colours, which its lighting uses.
      _glColor4f = _emscripten_glColor4f = function(r, g, b, a) {
        emulation.color4f(r, g, b, a);
        if (cgdemoGL.enabled[0xB57]) cgdemoGL.followColor();
      };
    },

    // glTexEnvf takes only the float parameters, not GL_TEXTURE_ENV_MODE.
    mendTexEnvf: function(emulation) {
      _glTexEnvf = _emscripten_glTexEnvf = function(target, pname, param) {
        if (pname == 0x2200 /* GL_TEXTURE_ENV_MODE */) _glTexEnvi(target, pname, param);
        else emulation.texEnvf(target, pname, param);
      };
    },

    // WebGL 1 repeats only textures whose sides are powers of two (others
    // sample black): an RGB image of another size is stretched to the next
    // such size, nearest pixel, as it is uploaded.
    stretchTextures: function(emulation) {
      function powerOfTwo(n) { var p = 1; while (p < n) p *= 2; return p; }
      _glTexImage2D = function(target, level, internalFormat, width, height, border, format, type,
                               pixels) {
        var w = powerOfTwo(width), h = powerOfTwo(height);
        if ((w == width && h == height) || format != 0x1907 /* GL_RGB */ ||
            type != 0x1401 /* GL_UNSIGNED_BYTE */ || !pixels) {
          emulation.texImage2D(target, level, internalFormat, width, height, border, format,
                               type, pixels);
          return;
        }
        var stride = Math.ceil(3 * width / GL.unpackAlignment) * GL.unpackAlignment;
        var stretched = new Uint8Array(3 * w * h);
        for (var y = 0; y < h; ++y) {
          var row = pixels + Math.floor(y * height / h) * stride;
          for (var x = 0; x < w; ++x) {
            var from = row + 3 * Math.floor(x * width / w), to = 3 * (y * w + x);
            stretched[to] = HEAPU8[from];
            stretched[to + 1] = HEAPU8[from + 1];
            stretched[to + 2] = HEAPU8[from + 2];
          }
        }
        GLctx.pixelStorei(GLctx.UNPACK_ALIGNMENT, 1);
        GLctx.texImage2D(target, level, internalFormat, w, h, border, format, type, stretched);
        GLctx.pixelStorei(GLctx.UNPACK_ALIGNMENT, GL.unpackAlignment);
      };
    },

    followColor: function() {
      GLEmulation.materialAmbient.set(GLImmediate.clientColor);
      GLEmulation.materialDiffuse.set(GLImmediate.clientColor);
    },

    // The emulation's glBegin/glEnd wants every attribute on every vertex in
    // the same order (one glNormal3f before four vertices scrambles them) and
    // has no GL_QUAD_STRIP or GL_POLYGON: the vertices are recorded with the
    // current normal, texture coordinate and colour, and replayed at glEnd,
    // the quads and polygons as triangles.
    recordBeginEnd: function(emulation) {
      _glBegin = function(mode) {
        cgdemoGL.mode = mode;
        cgdemoGL.vertices = [];
      };
      _glVertex3f = function(x, y, z) {
        cgdemoGL.vertices.push([x, y, z, cgdemoGL.normal, cgdemoGL.texCoord,
                                GLImmediate.clientColor.slice()]);
      };
      _glNormal3f = function(x, y, z) { cgdemoGL.normal = [x, y, z]; };
      _glTexCoord2f = function(s, t) { cgdemoGL.texCoord = [s, t]; };
      _glEnd = function() {
        var mode = cgdemoGL.mode, v = cgdemoGL.vertices, order = [];
        cgdemoGL.mode = -1;
        cgdemoGL.vertices = [];
        if (mode == 7 /* GL_QUADS */) {
          for (var i = 0; i + 3 < v.length; i += 4) order.push(i, i + 1, i + 2, i, i + 2, i + 3);
        } else if (mode == 8 /* GL_QUAD_STRIP */) {
          for (var i = 0; i + 3 < v.length; i += 2) order.push(i, i + 1, i + 3, i, i + 3, i + 2);
        } else if (mode == 9 /* GL_POLYGON */) {
          for (var i = 1; i + 1 < v.length; ++i) order.push(0, i, i + 1);
        } else {
          for (var i = 0; i < v.length; ++i) order.push(i);
        }
        if (order.length == 0) return;
        emulation.begin(mode >= 7 ? 4 /* GL_TRIANGLES */ : mode);
        for (var k = 0; k < order.length; ++k) {
          var p = v[order[k]];
          emulation.texCoord2f(p[4][0], p[4][1]);
          emulation.color4f(p[5][0], p[5][1], p[5][2], p[5][3]);
          emulation.normal3f(p[3][0], p[3][1], p[3][2]);
          emulation.vertex3f(p[0], p[1], p[2]);
        }
        emulation.end();
      };
    },

    mendContext: function() {
      // The emulation's lighting takes every light for a directional one (it
      // normalises the 4-component position): from the vertex to the light.
      var shaderSource = GLctx.shaderSource;
      GLctx.shaderSource = function(shader, source) {
        shaderSource.call(GLctx, shader, source.replace(
          /normalize\((u_lightPosition\d+)\)\.xyz/g, 'normalize($1.xyz - ecPosition.xyz * $1.w)'));
      };
      cgdemoGL.viewport = [0, 0, GLctx.drawingBufferWidth, GLctx.drawingBufferHeight];
      // WebGL has no texture object 0, which OpenGL 1.0 programs use without
      // binding one: it stands in for it.
      GLctx.bindTexture(GLctx.TEXTURE_2D, GLctx.createTexture());
    },

    // Multiplies the current matrix by m, as glMultMatrix does.
    multiply: function(m) {
      GLImmediate.matricesModified = true;
      GLImmediate.matrixVersion[GLImmediate.currentMatrix] =
          (GLImmediate.matrixVersion[GLImmediate.currentMatrix] + 1) | 0;
      GLImmediate.matrixLib.mat4.multiply(GLImmediate.matrix[GLImmediate.currentMatrix], m);
    },

    // Draws the set bits of a glyph bitmap (rows bottom to top, one byte
    // aligned) at the raster position in the raster colour, as one pixel-high
    // rectangle per run of set bits in window coordinates, untextured and
    // unlit, and advances the raster position.
    bitmap: function(width, height, xorig, yorig, xmove, bits, offset) {
      var emulation = cgdemoGL.emulation;
      // The raster position comes through 32-bit matrices: a whole pixel may
      // arrive a hair below itself, which must not move the glyph a row down.
      var x0 = Math.floor(cgdemoGL.rasterX - xorig + 1 / 1024);
      var y0 = Math.floor(cgdemoGL.rasterY - yorig + 1 / 1024);
      cgdemoGL.rasterX += xmove;
      var runs = [], rowBytes = (width + 7) >> 3;
      for (var row = 0; row < height; ++row) {
        for (var x = 0, run = -1; x <= width; ++x) {
          var on = x < width && (bits[offset + row * rowBytes + (x >> 3)] & (0x80 >> (x & 7)));
          if (on && run < 0) run = x;
          if (!on && run >= 0) {
            runs.push(x0 + run, y0 + row, x0 + x, y0 + row + 1);
            run = -1;
          }
        }
      }
      if (runs.length == 0) return;

      var lighting = GLEmulation.lightingEnabled, texture = cgdemoGL.enabled[0xDE1];
      var matrixMode = 0x1700 /* GL_MODELVIEW */ + GLImmediate.currentMatrix;
      var color = GLImmediate.clientColor.slice(), raster = cgdemoGL.rasterColor;
      var viewport = cgdemoGL.viewport;
      if (lighting) _glDisable(0xB50 /* GL_LIGHTING */);
      if (texture) _glDisable(0xDE1 /* GL_TEXTURE_2D */);
      _glMatrixMode(0x1701 /* GL_PROJECTION */);
      _glPushMatrix();
      _glLoadIdentity();
      _glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1, 1);
      _glMatrixMode(0x1700);
      _glPushMatrix();
      _glLoadIdentity();
      _glColor4f(raster[0], raster[1], raster[2], raster[3]);
      emulation.begin(4 /* GL_TRIANGLES */);
      for (var i = 0; i < runs.length; i += 4) {
        var left = runs[i], bottom = runs[i + 1], right = runs[i + 2], top = runs[i + 3];
        emulation.vertex3f(left, bottom, 0);
        emulation.vertex3f(right, bottom, 0);
        emulation.vertex3f(right, top, 0);
        emulation.vertex3f(left, bottom, 0);
        emulation.vertex3f(right, top, 0);
        emulation.vertex3f(left, top, 0);
      }
      emulation.end();
      _glColor4f(color[0], color[1], color[2], color[3]);
      _glPopMatrix();
      _glMatrixMode(0x1701);
      _glPopMatrix();
      _glMatrixMode(matrixMode);
      if (texture) _glEnable(0xDE1);
      if (lighting) _glEnable(0xB50);
    },
  },

  // gluPerspective replaces the matrix instead of multiplying it.
  gluPerspective__deps: ['$cgdemoGL'],
  gluPerspective: function(fov, aspect, near, far) {
    cgdemoGL.multiply(GLImmediate.matrixLib.mat4.perspective(fov, aspect, near, far));
  },

  // Missing from the emulation: the raster position through the current
  // matrices and viewport, with the current colour.
  glRasterPos2i__deps: ['$cgdemoGL'],
  glRasterPos2i: function(x, y) {
    var lib = GLImmediate.matrixLib.mat4;
    var p = [x, y, 0, 1];
    lib.multiplyVec4(GLImmediate.matrix[0], p);
    lib.multiplyVec4(GLImmediate.matrix[1], p);
    var viewport = cgdemoGL.viewport;
    cgdemoGL.rasterX = viewport[0] + (p[0] / p[3] + 1) * viewport[2] / 2;
    cgdemoGL.rasterY = viewport[1] + (p[1] / p[3] + 1) * viewport[3] / 2;
    cgdemoGL.rasterColor = GLImmediate.clientColor.slice();
  },

  // Missing from Emscripten's GLUT: freeglut's Helvetica 18, the only font the
  // program uses, whatever font is asked for.
  glutBitmapCharacter__deps: ['$cgdemoGL', '$cgdemoHelvetica18'],
  glutBitmapCharacter: function(font, character) {
    if (character < 1 || character > 255) return;
    var f = cgdemoHelvetica18, glyph = f.glyphs[f.glyphOf[character]];
    cgdemoGL.bitmap(glyph[0], f.height, f.xorig, f.yorig, glyph[0], glyph, 1);
  },
};

mergeInto(LibraryManager.library, LibraryCgdemoGL);
