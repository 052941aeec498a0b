#include "ExtractWriters.h"

#include <utility>

#include "TVTVDWriter.h"
#include "TVWordDocWriter.h"

namespace {

class NoDatabaseWriter final : public ExtractDatabaseWriter {
public:
    bool WriteReport(tvReport&, const QString&, const QString&, const QString&) override {
        return true;
    }
};

ExtractWriterFactory& currentFactory() {
    static ExtractWriterFactory factory = defaultExtractWriters();
    return factory;
}

}  // namespace

ExtractWriterFactory defaultExtractWriters() {
    return {
        [] { return std::make_unique<TVTVDWriter>(); },
        [] { return std::make_unique<TVWordDocWriter>(); },
        [] { return std::make_unique<NoDatabaseWriter>(); },
    };
}

const ExtractWriterFactory& extractWriters() { return currentFactory(); }

ExtractWriterFactory setExtractWriters(ExtractWriterFactory factory) {
    return std::exchange(currentFactory(), std::move(factory));
}
