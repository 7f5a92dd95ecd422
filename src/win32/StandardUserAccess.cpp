#include "win32/StandardUserAccess.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

namespace win32 {

namespace {

// The rights that change what the object holds, who may change it, or where it is.
constexpr DWORD kAnyChange = DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
constexpr DWORD kFileRights = kAnyChange | FILE_WRITE_DATA | FILE_APPEND_DATA;
constexpr DWORD kFolderRights = kAnyChange | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD;
// Above the folder, only taking an entry away lets someone put another folder in its place; adding
// new entries (users may create folders in a drive's root) does not.
constexpr DWORD kAncestorRights = DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_ALL | FILE_DELETE_CHILD;

bool isSid(PSID sid, const wchar_t* text) {
    PSID known = nullptr;
    if (!ConvertStringSidToSidW(text, &known)) {
        return false;
    }
    const bool same = EqualSid(sid, known) != FALSE;
    LocalFree(known);
    return same;
}

// Administrators, the system and the installer service: whoever holds these can change anything.
bool privileged(PSID sid) {
    return sid != nullptr && IsValidSid(sid) &&
           (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || IsWellKnownSid(sid, WinLocalSystemSid) ||
            isSid(sid, L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"));
}

bool openToOthers(const std::wstring& path, DWORD rights) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              &owner, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
        return true;
    }
    // No list at all grants everything to everyone; an owner may always rewrite the list.
    bool open = dacl == nullptr || !privileged(owner);
    for (DWORD i = 0; !open && i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(dacl, i, &entry)) {
            open = true;
            break;
        }
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE) != 0) {
            continue;  // a denial takes nothing away from the rest; an inherit-only entry is for children
        }
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        PSID grantee = const_cast<DWORD*>(&allowed->SidStart);
        open = (allowed->Mask & rights) != 0 && !privileged(grantee);
    }
    LocalFree(descriptor);
    return open;
}

}  // namespace

bool writableByStandardUsers(const std::wstring& path) {
    if (openToOthers(path, kFileRights)) {
        return true;
    }
    // The folder, then each one above it up to the drive's root. On a share the walk ends at the
    // server's name, which has no security to read: a program there counts as open.
    DWORD rights = kFolderRights;
    for (std::size_t slash = path.find_last_of(L"\\/"); slash != std::wstring::npos && slash > 0;
         slash = path.find_last_of(L"\\/", slash - 1)) {
        std::wstring folder = path.substr(0, slash);
        const bool driveRoot = folder.size() == 2 && folder[1] == L':';
        if (driveRoot) {
            folder += L'\\';
        }
        if (openToOthers(folder, rights)) {
            return true;
        }
        if (driveRoot) {
            return false;
        }
        rights = kAncestorRights;
    }
    return false;
}

}  // namespace win32
