// Screen readers' view: the accessible object a window gives through WM_GETOBJECT, read from this
// process as a reader reads it (AccessibleObjectFromWindow, then AccessibleChildren).
#include <oleacc.h>

#include <vector>

#include "probe.h"

namespace probe {

namespace {

// Spelled out: with mingw-w64, liboleacc.a's IID_IAccessible is an import thunk, not the GUID.
constexpr IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct ComApartment {
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
};

std::string utf8(BSTR text) {
  if (text == nullptr) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
  if (length > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), length, nullptr, nullptr);
  SysFreeString(text);
  return out;
}

VARIANT childId(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::string roleName(long role) {
  switch (role) {
    case ROLE_SYSTEM_CLIENT: return "client";
    case ROLE_SYSTEM_STATICTEXT: return "statictext";
    case ROLE_SYSTEM_PUSHBUTTON: return "pushbutton";
    case ROLE_SYSTEM_CHECKBUTTON: return "checkbutton";
    case ROLE_SYSTEM_PROGRESSBAR: return "progressbar";
    case ROLE_SYSTEM_SPINBUTTON: return "spinbutton";
    case ROLE_SYSTEM_TEXT: return "text";
    default: return std::to_string(role);
  }
}

// One element of an object: "ROLE|NAME|VALUE|STATE|LEFT,TOP,RIGHT,BOTTOM|ACTION".
std::string describe(IAccessible* object, long id) {
  const VARIANT child = childId(id);
  BSTR text = nullptr;
  std::string name, value, action;
  if (object->get_accName(child, &text) == S_OK) name = utf8(text);
  text = nullptr;
  if (object->get_accValue(child, &text) == S_OK) value = utf8(text);
  text = nullptr;
  if (object->get_accDefaultAction(child, &text) == S_OK) action = utf8(text);
  VARIANT role, state;
  VariantInit(&role);
  VariantInit(&state);
  const std::string roleText = object->get_accRole(child, &role) == S_OK && role.vt == VT_I4 ? roleName(role.lVal) : "?";
  char stateText[16] = "?";
  if (object->get_accState(child, &state) == S_OK && state.vt == VT_I4) {
    std::snprintf(stateText, sizeof stateText, "0x%lx", static_cast<unsigned long>(state.lVal));
  }
  long left = 0, top = 0, width = 0, height = 0;
  object->accLocation(&left, &top, &width, &height, child);
  const RECT rect{left, top, left + width, top + height};
  return roleText + "|" + name + "|" + value + "|" + stateText + "|" + rectText(rect) + "|" + action;
}

IAccessible* clientObject(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

// The simple children's ids (a full child object is listed as "object").
std::vector<long> childIds(IAccessible* object, std::vector<std::string>* objects) {
  long count = 0;
  object->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count > 0 ? count : 0));
  long got = 0;
  std::vector<long> ids;
  if (count > 0 && SUCCEEDED(AccessibleChildren(object, 0, count, children.data(), &got))) {
    for (long i = 0; i < got; ++i) {
      VARIANT& child = children[static_cast<std::size_t>(i)];
      if (child.vt == VT_I4) {
        ids.push_back(child.lVal);
      } else if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
        IAccessible* full = nullptr;
        if (SUCCEEDED(child.pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&full)))) {
          if (objects != nullptr) objects->push_back(describe(full, CHILDID_SELF));
          full->Release();
        }
      }
      VariantClear(&child);
    }
  }
  return ids;
}

}  // namespace

int showAccessible(const Arguments& args) {
  if (args.size() != 1) return wrongArguments("accessible");
  const ComApartment apartment;
  IAccessible* object = clientObject(parseHandle(args[0]));
  printField("found", object != nullptr ? 1 : 0);
  if (object == nullptr) return 1;
  printField("self", describe(object, CHILDID_SELF));
  std::vector<std::string> objects;
  const std::vector<long> ids = childIds(object, &objects);
  for (long id : ids) printField("child", describe(object, id));
  for (const std::string& full : objects) printField("object", full);
  printField("children", static_cast<long long>(ids.size() + objects.size()));
  object->Release();
  return 0;
}

int pressAccessible(const Arguments& args) {
  if (args.size() != 2) return wrongArguments("accessible-press");
  const ComApartment apartment;
  IAccessible* object = clientObject(parseHandle(args[0]));
  if (object == nullptr) {
    printField("found", 0);
    return 1;
  }
  int result = 1;
  bool found = false;
  for (long id : childIds(object, nullptr)) {
    BSTR text = nullptr;
    if (object->get_accName(childId(id), &text) == S_OK && utf8(text) == args[1]) {
      found = true;
      const HRESULT done = object->accDoDefaultAction(childId(id));
      printField("pressed", done == S_OK ? 1 : 0);
      result = done == S_OK ? 0 : 1;
      break;
    }
  }
  printField("found", found ? 1 : 0);
  object->Release();
  return result;
}

int pressAndHoldAccessible(const Arguments& args) {
  if (args.size() != 2) return wrongArguments("accessible-hold");
  const ComApartment apartment;
  const HWND window = parseHandle(args[0]);
  IAccessible* object = clientObject(window);
  if (object == nullptr) {
    printField("found", 0);
    return 1;
  }
  bool pressed = false;
  for (long id : childIds(object, nullptr)) {
    BSTR text = nullptr;
    if (object->get_accName(childId(id), &text) == S_OK && utf8(text) == args[1]) {
      pressed = object->accDoDefaultAction(childId(id)) == S_OK;
      break;
    }
  }
  printField("pressed", pressed ? 1 : 0);
  // The object is still held here while its window goes.
  for (int waited = 0; IsWindow(window) && waited < 100; ++waited) Sleep(100);
  printField("window_gone", IsWindow(window) ? 0 : 1);
  BSTR name = nullptr;
  const HRESULT after = object->get_accName(childId(CHILDID_SELF), &name);
  if (name != nullptr) SysFreeString(name);
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(after));
  printField("name_after", code);
  printField("name_after_failed", FAILED(after) ? 1 : 0);
  object->Release();
  return pressed ? 0 : 1;
}

}  // namespace probe
