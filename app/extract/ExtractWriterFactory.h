#pragma once

#include "ExtractWriters.h"

// The program's own writers. A writer not built yet is one that writes nothing and succeeds.
// A writer that also takes documentation lines (LineSink) is registered for the shared
// documentation blocks while its report is written.
ExtractWriterFactory defaultExtractWriters();

// The writers the Extract driver uses: the program's own unless replaced (by a test).
const ExtractWriterFactory& extractWriters();
// Puts `factory` in place and hands back the one it replaces.
ExtractWriterFactory setExtractWriters(ExtractWriterFactory factory);
