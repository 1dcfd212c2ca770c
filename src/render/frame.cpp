// The frame pass (display callback) and the projection (reshape callback).
#include <GL/glu.h>
#include <GL/glut.h>

#include "app/viewer_state.h"
#include "render/render.h"

namespace {

void applyCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (viewer.sceneMode == 0) {
        // Fixed close-up; the orbit camera variables are kept for modes 1 and 2.
        glTranslatef(0.0f, 0.0f, -3.0f);
        glRotatef(10.0f, 1.0f, 0.0f, 0.0f);
        glRotatef(15.0f, 0.0f, 1.0f, 0.0f);
    } else {
        glTranslatef(0.0f, 0.0f, -viewer.cameraDistance);
        glRotatef(-viewer.cameraRoll, 0.0f, 0.0f, 1.0f);
        glRotatef(-viewer.cameraPitch, 1.0f, 0.0f, 0.0f);
        glRotatef(-viewer.cameraYaw, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, viewer.cameraShift);
    }
    // Look at a point half a unit above the floor.
    glTranslatef(0.0f, -0.5f, 0.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, viewer.savedViewMatrix);
}

// The actors at twelve phases of the clock at once; orbitAngle and fastAngle
// are restored afterwards, slowAngle keeps the last phase's value.
void drawAllPhases() {
    const float orbitAngle = viewer.orbitAngle;
    const float fastAngle = viewer.fastAngle;
    for (float phase = 0.0f; phase < 360.0f; phase += 30.0f) {
        glPushMatrix();
        viewer.orbitAngle = phase;
        viewer.fastAngle = 2.0f * phase;
        if (viewer.fastAngle >= 360.0f) {
            viewer.fastAngle -= 360.0f;
        }
        viewer.slowAngle = static_cast<float>(phase + 0.5);
        drawScene();
        glPopMatrix();
    }
    viewer.orbitAngle = orbitAngle;
    viewer.fastAngle = fastAngle;
}

void drawStatusLine() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, viewer.windowWidth, viewer.windowHeight, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 0.0f, 0.0f);
    glRasterPos2i(8, 26);
    for (const char* c = viewer.statusText; *c != '\0'; ++c) {
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, static_cast<unsigned char>(*c));
    }

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

}  // namespace

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    // A zero height has no aspect ratio: keep the previous projection.
    if (height > 0) {
        glLoadIdentity();
        gluPerspective(45.0, static_cast<double>(width) / height, 1.0, 500.0);
    }
    viewer.windowHeight = height;
    viewer.windowWidth = width;
}

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    applyCamera();

    glPushMatrix();
    const GLfloat lightPosition[] = {5.0f, 3.0f, 5.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    drawFloor();
    if (viewer.showAllPhases == 0) {
        drawScene();
    } else {
        drawAllPhases();
    }
    glPopMatrix();

    if (viewer.showOverlay != 0) {
        drawStatusLine();
    }
}

void display() {
    drawFrame();
    glutSwapBuffers();
}
