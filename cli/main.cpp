#include <cstdio>

int main() {
    std::fputs("wavory-render: not built yet\n", stderr);
    return 1;
}
