// The process-wide viewer state.
#include "app/viewer_state.h"

ViewerState viewer;
