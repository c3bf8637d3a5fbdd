#include "tools/bankfile/FileEntry.h"

#include "tools/bankfile/WindowsFiles.h"

#include <aclapi.h>

#include <vector>

namespace {

// A part of this process's token (its user, or the owner it gives the files
// it makes), as raw bytes.
std::vector<char> tokenPart(TOKEN_INFORMATION_CLASS part)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, part, nullptr, 0, &size);
    std::vector<char> bytes(size);
    if (size == 0 || !GetTokenInformation(token, part, bytes.data(), size, &size))
        bytes.clear();
    CloseHandle(token);
    return bytes;
}

// The accounts a file made by this process is owned by: the user, and the
// token's default owner (the Administrators group for an administrator's
// files, on some Windows versions).
bool isUserOrDefaultOwner(PSID owner)
{
    static const std::vector<char> user = tokenPart(TokenUser);
    static const std::vector<char> defaultOwner = tokenPart(TokenOwner);
    return (!user.empty() && EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid))
        || (!defaultOwner.empty()
            && EqualSid(owner, reinterpret_cast<const TOKEN_OWNER*>(defaultOwner.data())->Owner));
}

bool hasUserAsOwner(const QString& path)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::wstring name = WindowsFiles::nativeName(path);
    if (GetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                              nullptr, &descriptor)
        != ERROR_SUCCESS)
        return false;
    const bool mine = owner != nullptr && isUserOrDefaultOwner(owner);
    LocalFree(descriptor);
    return mine;
}

} // namespace

FileEntry FileEntry::at(const QString& path)
{
    FileEntry entry;
    // The attributes of the name itself: a link is not followed.
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!GetFileAttributesExW(WindowsFiles::nativeName(path).c_str(), GetFileExInfoStandard, &data))
        return entry;
    entry.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? Kind::Link
                 : (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)   ? Kind::Folder
                 : (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)      ? Kind::Other
                                                                        : Kind::File;
    entry.ownedByUser = hasUserAsOwner(path);
    // FILETIME counts 100-nanosecond steps from 1601.
    const quint64 ticks = (quint64(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    constexpr quint64 ticksFrom1601To1970 = 116444736000000000ull;
    entry.changedMs = qint64((ticks - ticksFrom1601To1970) / 10000);
    return entry;
}
