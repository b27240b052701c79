// A minimal front end: links the installed library and uses it through the umbrella header.
#include <om/omcore.h>

#include <cstdio>

int main() {
    std::printf("omcore %s consumer linked\n", om::OmcoreVersion());
    return 0;
}
