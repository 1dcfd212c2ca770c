// The lazy mesh build shared by every selection of a glyph.
#include "app/viewer_state.h"
#include "model/model.h"

void useModel(GlyphModel* model) {
    if (model == nullptr) {
        return;
    }
    if (model->meshTriangleCount == 0 && model->triangleCount > 0) {
        extrudeGlyph(model->triangleCount, model->vertices, model->triangles,
                     &model->meshTriangleCount, &model->meshVertices, &model->meshNormals);
    }
    viewer.currentModel = model;
}
