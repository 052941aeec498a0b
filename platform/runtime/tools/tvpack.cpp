// Packs a design document into a compound report file (filled in with the compound-file writer).
int main() { return 0; }
