// The program's version, shown by its windows and compared by its update check.
extern const char* const kTavrinVersion = "4.0.0";
