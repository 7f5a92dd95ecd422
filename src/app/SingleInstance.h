// One copy of the program in a logon session: what a second start does, by its argument.
#pragma once

#include <string>

namespace quillmere {

// The start at logon: the argument "auto", with spaces around it or not, case-sensitive.
bool isAutoStart(const std::string& arguments);

enum class SecondStart {
    BringFirstForward,  // a user started the program again: show them the one that runs
    EndQuietly,         // the logon start found the program already running
};

SecondStart secondStartAction(const std::string& arguments);

}  // namespace quillmere
