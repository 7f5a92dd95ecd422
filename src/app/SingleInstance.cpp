#include "app/SingleInstance.h"

#include "monitor/Numbers.h"

namespace quillmere {

bool isAutoStart(const std::string& arguments) { return trimSpaces(arguments) == "auto"; }

SecondStart secondStartAction(const std::string& arguments) {
    return isAutoStart(arguments) ? SecondStart::EndQuietly : SecondStart::BringFirstForward;
}

}  // namespace quillmere
