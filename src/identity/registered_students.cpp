// The compiled-in table of registered students and the fallback login name.
//
// To register a student, add one line to registeredStudents:
//     {"<student ID shown on screen>", "<login name>", "<seed>"},
// The login name must equal the student's operating-system login name byte for
// byte (letter case included). The seed is any non-negative decimal number; it
// picks the student's model, animation and floor tile, so give every student a
// different one. The student ID is at most 51 characters. Rebuild afterwards.
#include "identity/identity.h"

const RegisteredStudent registeredStudents[] = {
    {"CG-2026-0001", "cgstudent", "20260401"},
};

const int registeredStudentCount = sizeof registeredStudents / sizeof registeredStudents[0];
