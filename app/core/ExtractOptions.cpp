#include "ExtractOptions.h"

ExtractOptions& REPORTS() {
    static ExtractOptions options;
    return options;
}
