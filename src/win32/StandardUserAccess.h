// Whether users without administrator rights can change a program's file or folder, told from the
// security of the file system objects along its path.
#pragma once

#include <string>

namespace win32 {

// True when a standard user could write or replace the file, write into its folder, or move that
// folder or one above it (rename or delete it and put another in its place). Only the owners and
// allowed rights of the objects count: an owner or a grant for anyone but the administrators, the
// system and the installer service opens the object. True as well when the security cannot be read.
bool writableByStandardUsers(const std::wstring& path);

}  // namespace win32
