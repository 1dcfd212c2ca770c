// Counts redisplay requests in the unit tests, which have no GLUT window.
#include "support/redisplay_double.h"

#include "input/input.h"

int redisplayRequests = 0;

void requestRedisplay() {
    ++redisplayRequests;
}
