// Finding the registered entry of the current login name, and applying it again.
#include <cstdlib>
#include <cstring>

#include "app/viewer_state.h"
#include "identity/identity.h"

namespace {

// Position of the first entry whose loginName equals viewer.loginName, or -1.
int findRegisteredEntry() {
    if (viewer.loginName == nullptr) {
        return -1;
    }
    for (int i = 0; i < registeredStudentCount; ++i) {
        if (std::strcmp(registeredStudents[i].loginName, viewer.loginName) == 0) {
            return i;
        }
    }
    return -1;
}

}  // namespace

int registeredSeed(const char* seedText) {
    return static_cast<int>(std::strtol(seedText, nullptr, 10));
}

int lookupRegisteredStudent() {
    const int found = findRegisteredEntry();
    if (found < 0) {
        return -1;
    }
    viewer.studentIdText = registeredStudents[found].studentId;
    return registeredSeed(registeredStudents[found].seedText);
}

// viewer.loginName never changes here: stepping to another entry would show a
// classmate's ID and scene.
void restoreRegisteredSelection() {
    const int found = findRegisteredEntry();
    if (found < 0) {
        return;
    }
    const RegisteredStudent& entry = registeredStudents[found];
    viewer.studentIdText = entry.studentId;
    viewer.personalSeed = registeredSeed(entry.seedText);
    applyPersonalSeed();
}
