#pragma once
// The solver runs one search after another, each filling and then dropping up to hundreds of
// megabytes. By default the C library hands large freed blocks straight back to the system, so
// every new search faults its pages in afresh and clears them: a third of its time. A program
// that searches calls this once at its start to keep freed memory for the next search instead.
void keepSearchMemory();
