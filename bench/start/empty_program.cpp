// The floor of a C++ program's start: the runtime loads, main returns.
int main() {
    return 0;
}
