// The choreography: each actor's colour, world position and turning, per pattern and angle.
#include <cmath>
#include <string>
#include <vector>

#include "app/viewer_state.h"
#include "model/model.h"
#include "render/render.h"
#include "support/gl_support.h"

namespace {

// What the scene asked to be drawn: the current colour and the actor's world
// matrix (inverse view times modelview) at each call.
struct Draw {
    float colour[4];
    float world[16];
};

std::vector<Draw> draws;

}  // namespace

// Replaces the library's shadowed drawing: records instead of drawing.
void drawModelWithShadow() {
    Draw draw = {};
    glGetFloatv(GL_CURRENT_COLOR, draw.colour);
    float modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    float inverseView[16];
    if (!invertViewMatrix(inverseView)) {
        ADD_FAILURE() << "the recorded view has no inverse";
        return;
    }
    multiplyMatrices(inverseView, modelView, draw.world);
    draws.push_back(draw);
}

namespace {

constexpr double lift = 0.02;

struct Colour {
    float r, g, b;
    const char* name;
};
const Colour green = {0.0f, 0.8f, 0.0f, "green"};
const Colour red = {0.8f, 0.0f, 0.0f, "red"};
const Colour blue = {0.0f, 0.0f, 0.8f, "blue"};
const Colour yellow = {0.8f, 0.8f, 0.0f, "yellow"};

// An expected actor: colour, position relative to the lifted origin, and the
// turn about its vertical axis or, for the rocking blue actor, the tilt about x.
struct Actor {
    Colour colour;
    double x, y, z;
    double turnY = 0.0;
    double tiltX = 0.0;
};

double sinDeg(double degrees) {
    return std::sin(degrees * M_PI / 180.0);
}
double cosDeg(double degrees) {
    return std::cos(degrees * M_PI / 180.0);
}

// The to-and-fro swing: 0 -> 180 as the angle rises to 180, back to 0 at 360.
double swing(double angle) {
    return angle <= 180.0 ? angle : 360.0 - angle;
}

Actor redActor(int pattern, double t) {
    const double s = swing(t);
    switch (pattern) {
        case 0:
            return {red, 3 * sinDeg(t), 0, 3 * cosDeg(t), t};
        case 1:
            return {red, 3 * sinDeg(t), 0, 3 * cosDeg(t), 0};
        case 2:
            return {red, 3 * sinDeg(s), 0, 3 * cosDeg(s), s};
        case 3:
            return {red, -3 * sinDeg(s), 0, 3 * cosDeg(s), 0};
        case 4:
            return {red, 3 * sinDeg(t), 0, 3, t};
        case 5:
            return {red, 3, 0, 3 * sinDeg(t), t};
        default:
            return {red, 0, 3 * sinDeg(s), 3 * cosDeg(s), 0};
    }
}

// The blue actor relative to the red one.
Actor blueActor(int pattern, double t, const Actor& base) {
    Actor a = {blue, base.x, base.y, base.z};
    switch (pattern) {
        case 0:
            a.y += 1;
            a.tiltX = 45 * sinDeg(4 * t);
            break;
        case 1:
            a.x += cosDeg(4 * t);
            a.z -= sinDeg(4 * t);
            break;
        default:
            a.y += 1 + std::fabs(sinDeg(4 * t));
            break;
    }
    return a;
}

Actor yellowActor(int pattern, double a) {
    const double s = swing(a);
    switch (pattern) {
        case 0:
            return {yellow, 4.5 * sinDeg(a), 0, 4.5 * cosDeg(a), a};
        case 1:
            return {yellow, 4.5 * sinDeg(a), 0, 4.5 * cosDeg(a), 0};
        case 2:
            return {yellow, -4.5 * sinDeg(s), 0, 4.5 * cosDeg(s), -s};
        case 3:
            return {yellow, 4.5 * sinDeg(s), 0, 4.5 * cosDeg(s), 0};
        case 4:
            return {yellow, 3 * sinDeg(a), 0, 4.5, a};
        default:
            return {yellow, 4.5, 0, 3 * sinDeg(a), a};
    }
}

const Actor centreActor = {green, 0, 0, 0};

// Compares a recorded draw with the expected actor: colour, then the whole world
// matrix, a rotation about y by turnY, then about x by tiltX, at the lifted position.
::testing::AssertionResult drawIs(const Draw& draw, const Actor& actor) {
    const float colour[4] = {actor.colour.r, actor.colour.g, actor.colour.b, 1.0f};
    for (int i = 0; i < 4; ++i) {
        if (std::fabs(draw.colour[i] - colour[i]) > 1e-6f) {
            return ::testing::AssertionFailure()
                   << "colour: Expected " << actor.colour.name << ", Observed (" << draw.colour[0]
                   << ", " << draw.colour[1] << ", " << draw.colour[2] << ", " << draw.colour[3]
                   << ")";
        }
    }
    const double cy = cosDeg(actor.turnY), sy = sinDeg(actor.turnY);
    const double cx = cosDeg(actor.tiltX), sx = sinDeg(actor.tiltX);
    // clang-format off
    const double world[16] = {cy,      0,              -sy,     0,  // column 0
                              sy * sx, cx,             cy * sx, 0,  // column 1
                              sy * cx, -sx,            cy * cx, 0,  // column 2
                              actor.x, actor.y + lift, actor.z, 1}; // column 3: the position
    // clang-format on
    for (int i = 0; i < 16; ++i) {
        if (!(std::fabs(draw.world[i] - world[i]) <= 1e-4)) {
            return ::testing::AssertionFailure()
                   << actor.colour.name << " world element " << i << " (column " << i / 4
                   << ", row " << i % 4 << "): Expected " << world[i] << " for position ("
                   << actor.x << ", " << actor.y + lift << ", " << actor.z << "), turn "
                   << actor.turnY << " and tilt " << actor.tiltX << "; Observed " << draw.world[i];
        }
    }
    return ::testing::AssertionSuccess();
}

GlyphModel anyModel;

// A window with the identity as the view, so that world and modelview agree,
// and a model to draw.
void openSceneWindow() {
    openTestWindow();
    draws.clear();
    for (int i = 0; i < 16; ++i) {
        viewer.savedViewMatrix[i] = i % 5 == 0 ? 1.0f : 0.0f;
    }
    viewer.currentModel = &anyModel;
}

// One scene pass from the identity view.
void drawOneScene() {
    draws.clear();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    drawScene();
}

const float testAngles[] = {0.0f, 37.0f, 90.0f, 180.0f, 251.5f, 360.0f};

}  // namespace

TEST(Choreography, RedAndBlueActorsFollowTheirPatterns) {
    openSceneWindow();
    for (int orbit = 0; orbit < 7; ++orbit) {
        for (int bob = 0; bob < 3; ++bob) {
            for (float angle : testAngles) {
                SCOPED_TRACE("orbitPattern " + std::to_string(orbit) + ", bobPattern " +
                             std::to_string(bob) + ", orbitAngle " + std::to_string(angle));
                viewer.orbitPattern = orbit;
                viewer.bobPattern = bob;
                viewer.orbitAngle = angle;
                drawOneScene();
                ASSERT_EQ(draws.size(), 4u);
                const Actor redOne = redActor(orbit, angle);
                EXPECT_TRUE(drawIs(draws[0], centreActor));
                EXPECT_TRUE(drawIs(draws[1], redOne));
                EXPECT_TRUE(drawIs(draws[2], blueActor(bob, angle, redOne)));
            }
        }
    }
}

TEST(Choreography, YellowActorFollowsItsPatternAtTheChosenRate) {
    openSceneWindow();
    for (int round = 0; round < 6; ++round) {
        for (int direction = 0; direction <= 1; ++direction) {
            for (float angle : testAngles) {
                SCOPED_TRACE("roundPattern " + std::to_string(round) + ", roundDirection " +
                             std::to_string(direction) + ", angle " + std::to_string(angle));
                viewer.roundPattern = round;
                viewer.roundDirection = direction;
                // The angle not chosen is set apart, so that using it shows.
                viewer.fastAngle = direction == 1 ? angle : 123.0f;
                viewer.slowAngle = direction == 1 ? 213.0f : angle;
                drawOneScene();
                ASSERT_EQ(draws.size(), 4u);
                EXPECT_TRUE(drawIs(draws[3], yellowActor(round, angle)));
            }
        }
    }
}

TEST(Choreography, ScenesZeroAndOneDrawOnlyTheCentreActor) {
    openSceneWindow();
    for (int mode = 0; mode <= 1; ++mode) {
        viewer.sceneMode = mode;
        viewer.orbitAngle = 37.0f;
        drawOneScene();
        ASSERT_EQ(draws.size(), 1u) << "scene mode " << mode;
        EXPECT_TRUE(drawIs(draws[0], centreActor)) << "scene mode " << mode;
    }
}

TEST(Choreography, WithoutAModelTheMatrixWorkStillHappens) {
    openSceneWindow();
    viewer.roundPattern = 4;
    viewer.roundDirection = 1;
    viewer.fastAngle = 37.0f;
    drawOneScene();
    ASSERT_EQ(draws.size(), 4u);
    float withModel[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, withModel);

    viewer.currentModel = nullptr;
    drawOneScene();
    EXPECT_TRUE(draws.empty());
    float withoutModel[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, withoutModel);
    EXPECT_TRUE(matricesNear(withModel, withoutModel, 0.0f));
    // The lift and the yellow actor's slide stay on the matrix for the caller.
    EXPECT_NEAR(withoutModel[12], 3 * sinDeg(37), 1e-5);
    EXPECT_NEAR(withoutModel[13], lift, 1e-6);
    EXPECT_NEAR(withoutModel[14], 4.5, 1e-6);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST(Choreography, APatternOutsideItsTableMovesAndDrawsNothingOfItsOwn) {
    openSceneWindow();
    viewer.orbitPattern = 7;
    viewer.bobPattern = 2;
    viewer.roundPattern = 6;
    viewer.orbitAngle = 37.0f;
    drawOneScene();
    // Only the centre actor and the blue one, at its place above the lifted origin.
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_TRUE(drawIs(draws[0], centreActor));
    EXPECT_TRUE(drawIs(draws[1], blueActor(2, 37.0, centreActor)));
}

TEST(Choreography, TheAllPhasesFrameDrawsEachActorTwelveTimes) {
    openSceneWindow();
    viewer.showAllPhases = 1;
    viewer.orbitPattern = 0;
    viewer.bobPattern = 1;
    viewer.roundPattern = 1;
    viewer.roundDirection = 0;
    viewer.orbitAngle = 123.25f;
    viewer.fastAngle = 246.5f;
    viewer.slowAngle = 61.75f;
    draws.clear();
    display();

    ASSERT_EQ(draws.size(), 48u);
    for (int phase = 0; phase < 12; ++phase) {
        const double p = 30.0 * phase;
        SCOPED_TRACE("phase " + std::to_string(p));
        const Actor redOne = redActor(0, p);
        EXPECT_TRUE(drawIs(draws[4 * phase], centreActor));
        EXPECT_TRUE(drawIs(draws[4 * phase + 1], redOne));
        EXPECT_TRUE(drawIs(draws[4 * phase + 2], blueActor(1, p, redOne)));
        // Direction 0: the yellow actor follows slowAngle, p + 0.5 in this frame.
        EXPECT_TRUE(drawIs(draws[4 * phase + 3], yellowActor(1, p + 0.5)));
    }
    EXPECT_EQ(viewer.orbitAngle, 123.25f);
    EXPECT_EQ(viewer.fastAngle, 246.5f);
    EXPECT_EQ(viewer.slowAngle, 330.5f);
}

TEST(Choreography, TheAllPhasesFrameRunsTheFastAngleAtTwiceThePhase) {
    openSceneWindow();
    viewer.showAllPhases = 1;
    viewer.roundPattern = 0;
    viewer.roundDirection = 1;
    draws.clear();
    display();
    ASSERT_EQ(draws.size(), 48u);
    for (int phase = 0; phase < 12; ++phase) {
        const double p = 30.0 * phase;
        EXPECT_TRUE(drawIs(draws[4 * phase + 3], yellowActor(0, std::fmod(2 * p, 360.0))))
            << "phase " << p;
    }
}
