#include "shell/PlayerNotices.h"

#include <cstdio>
#include <utility>

void PlayerNotices::Tell(const std::string& detail, const std::string& notice)
{
    std::fprintf(stderr, "velmoor: %s\n", detail.c_str());
    if (!notice.empty()) Show(notice);
}

void PlayerNotices::Show(const std::string& notice)
{
    queued.push_back(notice.size() <= Width ? notice : notice.substr(0, Width - 3) + "...");
}

std::vector<std::string> PlayerNotices::Take()
{
    return std::exchange(queued, {});
}
