#include "ExtractWriterFactory.h"

#include <utility>

#include "DatabaseWriter.h"
#include "TvdWriter.h"
#include "DocxWriter.h"

namespace {

ExtractWriterFactory& currentFactory() {
    static ExtractWriterFactory factory = defaultExtractWriters();
    return factory;
}

}  // namespace

ExtractWriterFactory defaultExtractWriters() {
    return {
        [] { return std::make_unique<TvdWriter>(); },
        [] { return std::make_unique<DocxWriter>(); },
        [] { return std::make_unique<DatabaseWriter>(); },
    };
}

const ExtractWriterFactory& extractWriters() { return currentFactory(); }

ExtractWriterFactory setExtractWriters(ExtractWriterFactory factory) {
    return std::exchange(currentFactory(), std::move(factory));
}
