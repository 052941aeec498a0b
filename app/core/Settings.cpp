#include "Settings.h"

Settings& REPORTS() {
    static Settings settings;
    return settings;
}
