// The program that makes the test programs' shared precompiled header (tests/CMakeLists.txt):
// it has their compile flags and nothing else to do.
int main() { return 0; }
