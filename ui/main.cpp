// Program entry.
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kTitle = "Velmorandine";
constexpr const char* kVersion = "1.0.0";
constexpr int kBuild = 1053;

// Answers "--version" and "--help"; true when the program should end.
bool answerInfoOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s (Build %d)\n", kTitle, kVersion, kBuild);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("%s %s\n  --version    Version ausgeben\n  --fullscreen im Vollbild starten\n"
                        "  --windowed   im Fenster starten\n  --size BxH   mit dieser Fenstergroesse starten\n",
                        kTitle, kVersion);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answerInfoOptions(argc, argv)) return 0;
    std::printf("%s %s: the window arrives with the application shell.\n", kTitle, kVersion);
    return 0;
}
