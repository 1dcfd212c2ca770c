// Test double of requestRedisplay: counts the requests instead of asking GLUT.
#pragma once

extern int redisplayRequests;
