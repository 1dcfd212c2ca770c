// Model 0's mesh drawn with the start-up culling and lighting, seen from the front and from behind.
#include <GL/gl.h>

#include "app/app.h"
#include "model/catalogue_support.h"
#include "support/gl_support.h"

namespace {

// Window of the orthographic camera: the glyph's 1.5 x 1.5 unit square around
// x in [-0.75, 0.75], y in [-0.25, 1.25] fills the 640 x 640 window.
constexpr double left = -0.75, right = 0.75, bottom = -0.25, top = 1.25;

int pixelX(double x) {
    return static_cast<int>((x - left) / (right - left) * 640);
}
int pixelY(double y) {
    return static_cast<int>((top - y) / (top - bottom) * 640);
}

// The glyph colour under a light shining straight from the viewer, with no
// ambient term: a face turned to the viewer shows the colour itself.
constexpr float glyphColour[3] = {0.8f, 0.6f, 0.2f};
constexpr Rgb glyphPixel{204, 153, 51};
// The start-up clear colour.
constexpr Rgb background{128, 128, 204};

class ModelFront : public ::testing::Test {
protected:
    void SetUp() override {
        openTestWindow();
        if (IsSkipped()) {
            return;
        }
        mesh = extrude(glyph(0));

        // The start-up state that the mesh's winding is made for.
        initFixedState();

        const GLfloat none[] = {0, 0, 0, 1};
        const GLfloat white[] = {1, 1, 1, 1};
        const GLfloat towardsViewer[] = {0, 0, 1, 0};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, none);

        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(left, right, bottom, top, 1, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
        glTranslatef(0, 0, -5);
    }

    void drawModel() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glColor3fv(glyphColour);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.get());
        glNormalPointer(GL_FLOAT, 0, mesh.normals.get());
        glDrawArrays(GL_TRIANGLES, 0, 3 * mesh.triangleCount);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }

    // Probes in the letter A; mirror is -1 when seen from behind, where x flips.
    void expectLetterA(double mirror) {
        // Crossbar and left leg.
        EXPECT_TRUE(pixelsNear(GL_BACK, pixelX(0), pixelY(0.3), 3, glyphPixel, 3));
        EXPECT_TRUE(pixelsNear(GL_BACK, pixelX(mirror * -0.325), pixelY(0.15), 3, glyphPixel, 3));
        // The triangular hole and the outside right of the apex.
        EXPECT_TRUE(pixelsNear(GL_BACK, pixelX(0), pixelY(0.46), 3, background, 3));
        EXPECT_TRUE(pixelsNear(GL_BACK, pixelX(mirror * 0.4), pixelY(0.8), 3, background, 3));
    }

    Mesh mesh;
};

TEST_F(ModelFront, SeenFromTheFrontShowsTheLetterWithItsHole) {
    drawModel();
    expectLetterA(1);
}

TEST_F(ModelFront, SeenFromBehindTheSolidIsStillThere) {
    glRotatef(180, 0, 1, 0);
    drawModel();
    expectLetterA(-1);
}

}  // namespace
