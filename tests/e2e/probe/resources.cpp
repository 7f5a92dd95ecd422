// What Explorer reads from a program file: the images of its first icon.
#include "probe.h"

#include <string>

namespace probe {

namespace {

// The icon directory of a group icon resource, as the resource compiler lays it out.
#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width;  // 0 stands for 256
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitsPerPixel;
  DWORD bytes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
#pragma pack(pop)

// The first group icon resource of a module, as EnumResourceNames finds it.
BOOL CALLBACK firstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  *reinterpret_cast<LPCSTR*>(found) = name;
  return FALSE;
}

}  // namespace

int showIcons(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("icons");
  HMODULE module = LoadLibraryExA(args[0].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) {
    printField("icons", 0);
    return 1;
  }
  LPCSTR name = nullptr;
  EnumResourceNamesA(module, RT_GROUP_ICON, firstName, reinterpret_cast<LONG_PTR>(&name));
  HRSRC group = name != nullptr ? FindResourceA(module, name, RT_GROUP_ICON) : nullptr;
  const auto* header = group != nullptr ? static_cast<const GroupIconHeader*>(LockResource(LoadResource(module, group)))
                                        : nullptr;
  if (header == nullptr) {
    printField("icons", 0);
    FreeLibrary(module);
    return 1;
  }
  printField("icons", header->count);
  const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
  for (WORD i = 0; i < header->count; ++i) {
    const GroupIconEntry& entry = entries[i];
    const int side = entry.width == 0 ? 256 : entry.width;
    // The image is taken as the system would show it: made into an icon at its own size.
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(entry.id), RT_ICON);
    HICON icon = nullptr;
    if (image != nullptr) {
      auto* bits = static_cast<PBYTE>(LockResource(LoadResource(module, image)));
      icon = CreateIconFromResourceEx(bits, SizeofResource(module, image), TRUE, 0x00030000, side, side, 0);
    }
    printField("icon", std::to_string(side) + "x" + std::to_string(entry.height == 0 ? 256 : entry.height) + " " +
                           std::to_string(entry.bitsPerPixel) + "-bit " + (icon != nullptr ? "loads" : "broken"));
    if (icon != nullptr) DestroyIcon(icon);
  }
  FreeLibrary(module);
  return 0;
}

}  // namespace probe
