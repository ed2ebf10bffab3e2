#pragma once
#include <cstddef>
#include <string>
#include <vector>

// What a player must hear of their own files: a record or a setting that could not be kept, a
// file that could not be read, a lock another game would not give up. Each goes to stderr
// whole, naming the file, and is queued as a short English line for the window, since a game
// started from the desktop's menu has no terminal to read.
class PlayerNotices {
public:
    // The window draws a notice on one line of 640 pixels in a 20-pixel Courier face.
    static constexpr size_t Width = 59;

    // Prints "velmoor: <detail>" on stderr and queues `notice` (see Show). An empty notice is
    // for stderr only.
    void Tell(const std::string& detail, const std::string& notice);
    // Queues `notice` alone, cut to Width with "..." if longer: for what stderr has told line
    // by line.
    void Show(const std::string& notice);

    // The notices queued since the last call, oldest first.
    std::vector<std::string> Take();

private:
    std::vector<std::string> queued;
};
