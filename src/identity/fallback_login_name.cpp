// The login name that stands in for a user whose own one is unavailable or not registered.
#include "identity/identity.h"

// Deliberately not registered: a user it stands in for is asked for an ID.
const char* const fallbackLoginName = "guest";
