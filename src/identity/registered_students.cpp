// The compiled-in table of registered students, used when no class roster is given.
//
// A whole class is better registered from a spreadsheet: `make ROSTER=class.csv`
// builds the program with a table generated from that file instead of this one
// (see docs/instructors.md). To register a student here, add one line to registeredStudents:
//     {"<student ID shown on screen>", "<login name>", "<seed>"},
// The login name must equal the student's operating-system login name byte for
// byte (letter case included), and must not be fallbackLoginName. The seed is
// any decimal number from 0 to 2147483647; it picks the student's model,
// animation and floor tile, so give every student a different one. The student
// ID is at most 51 characters. Rebuild afterwards.
#include "identity/identity.h"

const RegisteredStudent registeredStudents[] = {
    {"CG-2026-0001", "cgstudent", "20260401"},
};

const int registeredStudentCount = sizeof registeredStudents / sizeof registeredStudents[0];
