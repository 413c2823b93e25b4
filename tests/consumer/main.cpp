#include <tavix/tavix.h>

#include <cstdio>

int main() {
    std::printf("tavix %s\n", tavix::Version());
    return 0;
}
