#include "ExtractWriters.h"

#include <utility>

#include "TVDatabaseWriter.h"
#include "TVTVDWriter.h"

namespace {

class NoWordWriter final : public ExtractWordWriter {
public:
    bool init(const QString&, const QString&, const QString&, const QString&) override {
        return true;
    }
    bool WriteReport(const tvReport&, const QString&) override { return true; }
    void QuitWord() override {}
};

ExtractWriterFactory& currentFactory() {
    static ExtractWriterFactory factory = defaultExtractWriters();
    return factory;
}

}  // namespace

ExtractWriterFactory defaultExtractWriters() {
    return {
        [] { return std::make_unique<TVTVDWriter>(); },
        [] { return std::make_unique<NoWordWriter>(); },
        [] { return std::make_unique<TVDatabaseWriter>(); },
    };
}

const ExtractWriterFactory& extractWriters() { return currentFactory(); }

ExtractWriterFactory setExtractWriters(ExtractWriterFactory factory) {
    return std::exchange(currentFactory(), std::move(factory));
}
