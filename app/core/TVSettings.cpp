#include "TVSettings.h"

TVSettings& REPORTS() {
    static TVSettings settings;
    return settings;
}
