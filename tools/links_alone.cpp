// An empty program: linked with every object of one library, it fails to link when that
// library takes a symbol from a layer it does not link (tests/CMakeLists.txt).
int main() { return 0; }
