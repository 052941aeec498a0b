#include "TavrinMain.h"

int main(int argc, char** argv) { return tav::shell::TavrinMain(argc, argv); }
