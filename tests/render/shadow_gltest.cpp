// An actor and its planar shadow: darkness, overlaps, placement, and the GL state left behind.
#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "app/app.h"
#include "app/viewer_state.h"
#include "model/model.h"
#include "render/render.h"
#include "support/gl_support.h"

namespace {

struct Point {
    float x, y, z;
};

// A hand-made mesh in the layout of a glyph's prism mesh.
struct TestMesh {
    std::vector<float> vertices;
    std::vector<float> normals;
    GlyphModel model;
};

Point minus(Point a, Point b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Point cross(Point a, Point b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Two triangles of the quad a b c d, wound counter-clockwise seen from the side
// that outward points to.
void addQuad(TestMesh& mesh, Point a, Point b, Point c, Point d, Point outward) {
    Point n = cross(minus(b, a), minus(c, a));
    if (n.x * outward.x + n.y * outward.y + n.z * outward.z < 0.0f) {
        std::swap(b, d);
        n = Point{-n.x, -n.y, -n.z};
    }
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    n = Point{n.x / length, n.y / length, n.z / length};
    for (const Point& p : {a, b, c, a, c, d}) {
        mesh.vertices.insert(mesh.vertices.end(), {p.x, p.y, p.z});
        mesh.normals.insert(mesh.normals.end(), {n.x, n.y, n.z});
    }
}

void finish(TestMesh& mesh) {
    mesh.model.meshTriangleCount = static_cast<int32_t>(mesh.vertices.size() / 9);
    mesh.model.meshVertices = mesh.vertices.data();
    mesh.model.meshNormals = mesh.normals.data();
}

// A closed box standing on the model's y = 0, like a glyph.
void makeBox(TestMesh& mesh, float halfX, float height, float halfZ) {
    const float x0 = -halfX, x1 = halfX, y0 = 0.0f, y1 = height, z0 = -halfZ, z1 = halfZ;
    addQuad(mesh, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}, {0, 1, 0});
    addQuad(mesh, {x0, y0, z0}, {x0, y0, z1}, {x1, y0, z1}, {x1, y0, z0}, {0, -1, 0});
    addQuad(mesh, {x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}, {-1, 0, 0});
    addQuad(mesh, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, {1, 0, 0});
    addQuad(mesh, {x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}, {0, 0, -1});
    addQuad(mesh, {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, {0, 0, 1});
    finish(mesh);
}

// Two upward-facing squares at different heights whose flattened images
// overlap on x, z in [-0.5, 0.5]; the first alone covers [-1, -0.5], the second
// alone [0.5, 1].
void makeLayers(TestMesh& mesh) {
    addQuad(mesh, {-1, 0.1f, -1}, {-1, 0.1f, 0.5f}, {0.5f, 0.1f, 0.5f}, {0.5f, 0.1f, -1},
            {0, 1, 0});
    addQuad(mesh, {-0.5f, 0.4f, -0.5f}, {-0.5f, 0.4f, 1}, {1, 0.4f, 1}, {1, 0.4f, -0.5f},
            {0, 1, 0});
    finish(mesh);
}

// The fixed state start-up leaves: light 0, colour material, depth test,
// back-face culling, no blending, no stencil test; the program's clear colour.
void setStartUpState() {
    initFixedState();
    glDisable(GL_BLEND);
    glDisable(GL_STENCIL_TEST);
}

// Sets the camera as the frame pass does: the modelview holds the view, which
// is also recorded in savedViewMatrix. Then clears all three buffers.
void startFrame(void (*camera)()) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera();
    glGetFloatv(GL_MODELVIEW_MATRIX, viewer.savedViewMatrix);
    const GLfloat light[] = {5.0f, 3.0f, 5.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

// Straight down from 10 above the centre of the floor; world +x is to the
// right, +z downward on the screen.
void topDownCamera() {
    glTranslatef(0.0f, 0.0f, -10.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
}

void orbitCamera() {
    glTranslatef(0.0f, 0.0f, -15.0f);
    glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, -0.5f, 0.0f);
}

void steepTurnedCamera() {
    glTranslatef(0.0f, 0.0f, -12.0f);
    glRotatef(-20.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(60.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(-130.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, 2.5f);
    glTranslatef(0.0f, -0.5f, 0.0f);
}

void closeUpCamera() {
    glTranslatef(0.0f, 0.0f, -3.0f);
    glRotatef(10.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(15.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, -0.5f, 0.0f);
}

// Draws the actor at a world position, turned about y, as the choreography would.
void drawActor(TestMesh& mesh, Point at, float turnY = 0.0f) {
    glPushMatrix();
    glTranslatef(at.x, at.y, at.z);
    glRotatef(turnY, 0.0f, 1.0f, 0.0f);
    viewer.currentModel = &mesh.model;
    drawModelWithShadow();
    glPopMatrix();
}

// Hangs an actor between the top-down eye and the near plane (world y > 9), so
// that only its shadow shows.
constexpr float hidden = 9.2f;

struct ScreenPoint {
    int x, y;  // y from the top
};

// Where a world point shows under the frame's view and projection.
ScreenPoint screenOf(Point p) {
    GLdouble view[16], projection[16];
    for (int i = 0; i < 16; ++i) {
        view[i] = viewer.savedViewMatrix[i];
    }
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble x, y, z;
    gluProject(p.x, p.y, p.z, view, projection, viewport, &x, &y, &z);
    return ScreenPoint{static_cast<int>(std::lround(x)),
                       viewport[3] - 1 - static_cast<int>(std::lround(y))};
}

// One shadow over a pixel: 0.6 x 0.1 + 0.4 x what was there.
Rgb shadowOver(Rgb background) {
    auto channel = [](int c) { return static_cast<int>(std::lround(0.06 * 255.0 + 0.4 * c)); };
    return Rgb{channel(background.r), channel(background.g), channel(background.b)};
}

// The clear colour as stored, read in a corner that nothing covers.
Rgb backgroundColour() {
    return readPixel(GL_BACK, 2, 2);
}

::testing::AssertionResult shadowAt(Point world, int radius = 3) {
    const ScreenPoint s = screenOf(world);
    return pixelsNear(GL_BACK, s.x, s.y, radius, shadowOver(backgroundColour()), 2);
}

::testing::AssertionResult backgroundAt(Point world, int radius = 3) {
    const ScreenPoint s = screenOf(world);
    return pixelsNear(GL_BACK, s.x, s.y, radius, backgroundColour(), 2);
}

int stencilAt(int x, int yFromTop) {
    GLubyte value = 0;
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, 639 - yFromTop, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &value);
    return value;
}

int markedStencilPixels() {
    std::vector<GLubyte> stencil(640 * 640);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 640, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
    int marked = 0;
    for (GLubyte value : stencil) {
        marked += value != 0 ? 1 : 0;
    }
    return marked;
}

void openShadowWindow() {
    openTestWindow();
    setStartUpState();
    GLint stencilBits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    ASSERT_GE(stencilBits, 2) << "the shadow needs a stencil buffer";
}

// The state the shadow routine must hand back, compared with what it found.
struct CapturedState {
    GLfloat modelView[16];
    GLint stackDepth;
    GLboolean lighting, cullFace, blend, stencilTest, depthTest;
    GLfloat colour[4];
};

CapturedState captureState() {
    CapturedState s = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelView);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.stackDepth);
    s.lighting = glIsEnabled(GL_LIGHTING);
    s.cullFace = glIsEnabled(GL_CULL_FACE);
    s.blend = glIsEnabled(GL_BLEND);
    s.stencilTest = glIsEnabled(GL_STENCIL_TEST);
    s.depthTest = glIsEnabled(GL_DEPTH_TEST);
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    return s;
}

// After a call from the start-up state: the same matrix and stack, the fixed
// state back as found, the stencil test off, and the shadow's colour current.
void expectStartUpStateHandedBack(const CapturedState& before, const CapturedState& after) {
    EXPECT_TRUE(matricesNear(before.modelView, after.modelView, 0.0f));
    EXPECT_EQ(after.stackDepth, before.stackDepth);
    EXPECT_TRUE(after.lighting);
    EXPECT_TRUE(after.cullFace);
    EXPECT_FALSE(after.blend);
    EXPECT_FALSE(after.stencilTest);
    EXPECT_TRUE(after.depthTest);
    const GLfloat shadow[4] = {0.1f, 0.1f, 0.1f, 0.6f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(after.colour[i], shadow[i], 1e-6f) << "colour component " << i;
    }
}

// Flattened shadows share one plane, so the depth test alone already holds
// back most second coats; without it only the stencil buffer can.
const bool depthTestSettings[] = {true, false};

void setDepthTest(bool on) {
    if (on) {
        glEnable(GL_DEPTH_TEST);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}

}  // namespace

TEST(ShadowPixels, OneActorsShadowIsUniformlyDarkWhereItsTrianglesOverlap) {
    openShadowWindow();
    TestMesh layers;
    makeLayers(layers);
    for (bool depthTest : depthTestSettings) {
        SCOPED_TRACE(depthTest ? "depth test on" : "depth test off");
        setDepthTest(depthTest);
        startFrame(topDownCamera);
        drawActor(layers, {0.0f, hidden, 0.0f});

        EXPECT_TRUE(shadowAt({-0.75f, 0.01f, -0.75f})) << "under the lower square alone";
        EXPECT_TRUE(shadowAt({0.75f, 0.01f, 0.75f})) << "under the upper square alone";
        EXPECT_TRUE(shadowAt({0.0f, 0.01f, 0.0f})) << "under both squares";
        EXPECT_TRUE(shadowAt({-0.2f, 0.01f, 0.3f})) << "under both squares";
        // The squares' other corners stay clear.
        EXPECT_TRUE(backgroundAt({0.75f, 0.01f, -0.75f}));
        EXPECT_TRUE(backgroundAt({-0.75f, 0.01f, 0.75f}));
    }
}

TEST(ShadowPixels, OverlappingShadowsOfTwoActorsAreNoDarkerThanOne) {
    openShadowWindow();
    TestMesh box;
    makeBox(box, 0.5f, 0.5f, 0.5f);
    for (bool depthTest : depthTestSettings) {
        SCOPED_TRACE(depthTest ? "depth test on" : "depth test off");
        setDepthTest(depthTest);
        startFrame(topDownCamera);
        drawActor(box, {-0.3f, hidden, 0.0f});
        drawActor(box, {0.3f, hidden, 0.0f});
        EXPECT_TRUE(shadowAt({-0.6f, 0.01f, 0.0f})) << "first actor's shadow alone";
        EXPECT_TRUE(shadowAt({0.6f, 0.01f, 0.0f})) << "second actor's shadow alone";
        EXPECT_TRUE(shadowAt({0.0f, 0.01f, 0.0f})) << "both shadows";
        EXPECT_TRUE(shadowAt({0.0f, 0.01f, 0.35f})) << "both shadows";

        // The same actors again, as in the all-phases display: still one coat.
        drawActor(box, {-0.3f, hidden, 0.0f});
        drawActor(box, {0.3f, hidden, 0.0f});
        EXPECT_TRUE(shadowAt({0.0f, 0.01f, 0.0f})) << "both shadows, drawn twice";
        EXPECT_TRUE(shadowAt({0.6f, 0.01f, 0.0f})) << "one shadow, drawn twice";
    }
}

TEST(ShadowPixels, ARaisedActorsShadowLiesStraightBelowItWhateverTheCamera) {
    openShadowWindow();
    TestMesh box;
    makeBox(box, 0.5f, 1.0f, 0.5f);
    const Point actor = {2.0f, 4.0f, -1.5f};
    struct Camera {
        void (*place)();
        const char* name;
    };
    const Camera cameras[] = {{topDownCamera, "top-down"},
                              {orbitCamera, "orbit"},
                              {steepTurnedCamera, "steep and turned"},
                              {closeUpCamera, "close-up"}};
    for (const Camera& camera : cameras) {
        SCOPED_TRACE(camera.name);
        startFrame(camera.place);
        drawActor(box, actor);
        // Inside the 1 x 1 footprint, and just outside it.
        for (float dx : {-0.3f, 0.0f, 0.3f}) {
            for (float dz : {-0.3f, 0.0f, 0.3f}) {
                EXPECT_TRUE(shadowAt({actor.x + dx, 0.01f, actor.z + dz}, 1))
                    << "offset " << dx << ", " << dz;
            }
        }
        if (camera.place != closeUpCamera) {  // the close-up sees the footprint too near
            EXPECT_TRUE(backgroundAt({actor.x - 0.7f, 0.01f, actor.z}, 1));
            EXPECT_TRUE(backgroundAt({actor.x, 0.01f, actor.z + 0.7f}, 1));
        }
    }
}

TEST(ShadowPixels, ATurnedActorsShadowIsTheOutlineOfTheTurnedMesh) {
    openShadowWindow();
    TestMesh box;
    makeBox(box, 0.5f, 0.5f, 0.5f);
    startFrame(topDownCamera);
    drawActor(box, {0.0f, hidden, 0.0f}, 45.0f);
    // A diamond reaching 0.707 along the axes, not a square of half-side 0.5.
    EXPECT_TRUE(shadowAt({0.6f, 0.01f, 0.0f}, 1));
    EXPECT_TRUE(shadowAt({0.0f, 0.01f, -0.6f}, 1));
    EXPECT_TRUE(backgroundAt({0.45f, 0.01f, 0.45f}, 1));
    EXPECT_TRUE(backgroundAt({-0.45f, 0.01f, -0.45f}, 1));
}

TEST(ShadowPixels, TheModelItselfIsNeitherBlendedNorStencilled) {
    openShadowWindow();
    TestMesh hanging, standing;
    makeBox(hanging, 1.0f, 0.5f, 1.0f);
    makeBox(standing, 0.5f, 0.5f, 0.5f);
    // A translucent caller colour: blending would let the background through.
    auto drawStanding = [&] {
        glColor4f(0.9f, 0.2f, 0.1f, 0.3f);
        drawActor(standing, {0.0f, 0.02f, 0.0f});
    };

    startFrame(topDownCamera);
    drawStanding();
    const Rgb alone = readPixel(GL_BACK, 320, 320);

    // Now over a pixel that a shadow has already darkened and marked.
    startFrame(topDownCamera);
    drawActor(hanging, {0.0f, hidden, 0.0f});
    ASSERT_TRUE(shadowAt({0.0f, 0.01f, 0.0f}));
    ASSERT_EQ(stencilAt(320, 320), 2);
    drawStanding();
    EXPECT_TRUE(pixelsNear(GL_BACK, 320, 320, 5, alone, 1)) << "the model's top face";
    EXPECT_TRUE(shadowAt({0.75f, 0.01f, 0.75f})) << "the shadow around it";

    // The comparison means something only if the model covers the probe.
    const Rgb background = backgroundColour();
    EXPECT_GT(std::abs(alone.r - background.r) + std::abs(alone.b - background.b), 60)
        << "the model is visible at all";
}

TEST(ShadowState, HandsBackTheMatrixAndTheFixedState) {
    openShadowWindow();
    TestMesh box;
    makeBox(box, 0.5f, 1.0f, 0.2f);
    startFrame(orbitCamera);
    glTranslatef(1.0f, 2.0f, 2.0f);  // raised, so that its shadow shows beside it
    glRotatef(33.0f, 0.0f, 1.0f, 0.0f);
    glColor3f(0.8f, 0.0f, 0.0f);
    const CapturedState before = captureState();
    viewer.currentModel = &box.model;
    drawModelWithShadow();
    expectStartUpStateHandedBack(before, captureState());
    EXPECT_GT(markedStencilPixels(), 100) << "the shadow was drawn";
}

TEST(ShadowState, ReturnsTheCapabilitiesItFoundAndAlwaysEndsTheStencilTest) {
    openShadowWindow();
    TestMesh box;
    makeBox(box, 0.5f, 1.0f, 0.2f);
    startFrame(orbitCamera);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glEnable(GL_STENCIL_TEST);
    const CapturedState before = captureState();
    viewer.currentModel = &box.model;
    drawModelWithShadow();
    const CapturedState after = captureState();

    EXPECT_TRUE(matricesNear(before.modelView, after.modelView, 0.0f));
    EXPECT_FALSE(after.lighting);
    EXPECT_FALSE(after.cullFace);
    EXPECT_TRUE(after.blend);
    EXPECT_FALSE(after.stencilTest);
}

TEST(ShadowState, ASingularViewDrawsTheModelButNoShadow) {
    openShadowWindow();
    TestMesh box;
    makeBox(box, 0.5f, 0.5f, 0.5f);
    startFrame(topDownCamera);
    // The frame's camera stays on the modelview; only the recorded view is unusable.
    for (float& value : viewer.savedViewMatrix) {
        value = 0.0f;
    }
    glTranslatef(0.0f, 0.02f, 0.0f);
    glColor3f(0.0f, 0.8f, 0.0f);
    const CapturedState before = captureState();
    viewer.currentModel = &box.model;
    drawModelWithShadow();
    const CapturedState after = captureState();

    EXPECT_EQ(markedStencilPixels(), 0) << "no shadow fragment";
    const Rgb model = readPixel(GL_BACK, 320, 320);
    EXPECT_GT(model.g, model.r + 40) << "the green model is drawn";
    EXPECT_TRUE(pixelsNear(GL_BACK, 320 + 64, 320, 3, backgroundColour(), 2))
        << "nothing beside it";
    expectStartUpStateHandedBack(before, after);
}
