// Prints the asset root this executable finds, for the install check: a
// copy placed in an installed prefix must find the installed assets.
#include <cstdio>

#include "platform/paths.h"

int main() {
    std::printf("%s\n", paths::assetDir().c_str());
    return 0;
}
