#include "ExtractWriterFactory.h"

#include <utility>

#include "TVDatabaseWriter.h"
#include "TVTVDWriter.h"
#include "TVWordDocWriter.h"

namespace {

ExtractWriterFactory& currentFactory() {
    static ExtractWriterFactory factory = defaultExtractWriters();
    return factory;
}

}  // namespace

ExtractWriterFactory defaultExtractWriters() {
    return {
        [] { return std::make_unique<TVTVDWriter>(); },
        [] { return std::make_unique<TVWordDocWriter>(); },
        [] { return std::make_unique<TVDatabaseWriter>(); },
    };
}

const ExtractWriterFactory& extractWriters() { return currentFactory(); }

ExtractWriterFactory setExtractWriters(ExtractWriterFactory factory) {
    return std::exchange(currentFactory(), std::move(factory));
}
