// Personalisation: who runs the program, and the seed that picks their scene.
#pragma once

#include <cstdio>

// One registered student; all three texts are compiled in.
struct RegisteredStudent {
    const char* studentId;  // shown in the status line, at most 51 characters
    const char* loginName;  // matched byte for byte, letter case included
    const char* seedText;   // decimal text of the personal seed (non-negative)
};

extern const RegisteredStudent registeredStudents[];
extern const int registeredStudentCount;

// Login name tried when the system's own is unavailable or not registered.
extern const char* const fallbackLoginName;

// Finds the student by login name, the fallback name or an ID typed at the
// console prompt, and applies the personal seed. Ends the process with the
// fatal box on a rejected ID.
void identifyStudent();

// identifyStudent with the console prompt written to out and the ID read from in.
void identifyStudentFrom(std::FILE* in, std::FILE* out);

// The seed of the first entry whose loginName equals viewer.loginName, also
// setting viewer.studentIdText to its studentId; -1 (nothing changed) if none.
int lookupRegisteredStudent();

// Converts a typed 8-character ID (letters to digits, A/a=1 ... J/j=0 ...) to a
// positive seed; -1 when the ID is rejected. Pure.
int parseStudentId(const char* text);

// Applies the registered entry step places from the one matching
// viewer.loginName (clamped to the table); does nothing without a match.
void restoreRegisteredSelection(int step);

// Shows the student ID and selects model, animation and tile by viewer.personalSeed.
void applyPersonalSeed();
