// Program entry.
#include <cstdio>

#include "ui/entry.h"

int main(int argc, char** argv) {
    if (const ui::InfoOption info = ui::findInfoOption(argc, argv); info != ui::InfoOption::None) {
        std::fputs(ui::infoText(info).c_str(), stdout);
        return 0;
    }
    std::printf("%s %s: the window arrives with the application shell.\n", ui::kTitle, ui::kVersion);
    return 0;
}
