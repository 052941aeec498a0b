#pragma once

#include "ExtractWriters.h"
#include "TvdWriter.h"

namespace tav::extract {

// The program's own writers: the .tvd writer, the document writer and the database writer.
ExtractWriterFactory defaultExtractWriters();

// The program's .tvd writer for `run`, its file opened by `openOutput` (a device of a test's,
// say).
std::unique_ptr<ExtractTextWriter> makeTextWriter(ExtractRun& run,
                                                  doctext::TvdWriter::OutputOpener openOutput = {});

}  // namespace tav::extract
