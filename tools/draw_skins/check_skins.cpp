// Compares the committed skin pictures with the skin table; exits with 0
// when they agree and 1, listing the problems, when they do not.
//
// Usage: check_skins RESOURCES_FOLDER/skins.qrc

#include "SkinCheck.h"
#include "SkinTable.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_skins RESOURCE_FILE\n");
        return 2;
    }
    const auto problems = notarion::skins::CheckSkins(argv[1]);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "check_skins: %s\n", problem.c_str());
    }
    if (!problems.empty()) {
        return 1;
    }
    std::printf("check_skins: %zu pictures agree with the skin table\n",
                notarion::skins::kSkinImages.size());
    return 0;
}
