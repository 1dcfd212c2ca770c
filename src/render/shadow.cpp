// One actor: the current model where the caller placed it, then its planar shadow.
#include <GL/gl.h>

#include "app/viewer_state.h"
#include "model/model.h"
#include "render/render.h"

namespace {

// Flattens a world point straight down onto the plane y = 0.01, just above the
// floor, whatever the light and the camera (column-major).
const GLfloat flattenMatrix[16] = {
    1.0f, 0.0f,  0.0f, 0.0f,  // column 0: x kept
    0.0f, 0.0f,  0.0f, 0.0f,  // column 1: y dropped
    0.0f, 0.0f,  1.0f, 0.0f,  // column 2: z kept
    0.0f, 0.01f, 0.0f, 1.0f,  // column 3: y set to 0.01
};

void drawMesh(const GlyphModel& model) {
    glVertexPointer(3, GL_FLOAT, 0, model.meshVertices);
    glNormalPointer(GL_FLOAT, 0, model.meshNormals);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glDrawArrays(GL_TRIANGLES, 0, 3 * model.meshTriangleCount);
}

// The actor's placement in the world: the inverse view times the modelview.
// False when the view has no inverse, and world is then left alone.
bool readWorldMatrix(GLfloat world[16]) {
    GLfloat modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    GLfloat inverseView[16];
    if (!invertViewMatrix(inverseView)) {
        return false;
    }
    multiplyMatrices(inverseView, modelView, world);
    return true;
}

}  // namespace

void drawModelWithShadow() {
    const GlyphModel& model = *viewer.currentModel;
    drawMesh(model);

    GLfloat world[16] = {};
    const bool placed = readWorldMatrix(world);

    glPushMatrix();
    glLoadIdentity();
    glMultMatrixf(viewer.savedViewMatrix);

    // Record. The stencil test is not: it ends off in every case below.
    GLboolean cullFace = GL_FALSE;
    GLboolean blend = GL_FALSE;
    GLboolean lighting = GL_FALSE;
    glGetBooleanv(GL_CULL_FACE, &cullFace);
    glGetBooleanv(GL_BLEND, &blend);
    glGetBooleanv(GL_LIGHTING, &lighting);

    // Set: an unlit translucent grey that darkens each pixel once per frame
    // (the stencil marks it 2), however many flattened triangles cover it.
    if (lighting) {
        glDisable(GL_LIGHTING);
    }
    if (!cullFace) {
        glEnable(GL_CULL_FACE);
    }
    if (!blend) {
        glEnable(GL_BLEND);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 2, 255);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);

    // Draw: view x flatten x world. Without a world placement there is no shadow.
    glColor4f(0.1f, 0.1f, 0.1f, 0.6f);
    if (placed) {
        glPushMatrix();
        glMultMatrixf(flattenMatrix);
        glMultMatrixf(world);
        drawMesh(model);
        glPopMatrix();
    }

    // Restore. The stencil test ends off whatever it was: nothing else uses it.
    glDisable(GL_STENCIL_TEST);
    if (lighting) {
        glEnable(GL_LIGHTING);
    }
    if (!cullFace) {
        glDisable(GL_CULL_FACE);
    }
    if (!blend) {
        glDisable(GL_BLEND);
    }
    glPopMatrix();
}
