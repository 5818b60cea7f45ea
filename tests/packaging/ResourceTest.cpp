// Reads this executable's own resources back through the Windows API: the
// version record and the icon group that brisvane.rc puts into Brisvane.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> OwnVersionInfo()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_GT(length, 0u);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
    std::vector<unsigned char> info(size);
    if (size == 0 || !::GetFileVersionInfoW(path, 0, size, info.data()))
        info.clear();
    return info;
}

std::wstring StringValue(std::vector<unsigned char>& info, const std::wstring& name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
    if (!::VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0)
        return L"(missing)";
    return std::wstring(static_cast<const wchar_t*>(value));
}

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD Reserved;
    WORD Type;
    WORD Count;
};
struct IconGroupEntry {
    BYTE Width;
    BYTE Height;
    BYTE ColourCount;
    BYTE Reserved;
    WORD Planes;
    WORD BitCount;
    DWORD BytesInResource;
    WORD Id;
};
#pragma pack(pop)

}  // namespace

TEST(Resources, VersionRecordIsOnePointZeroInUsEnglish)
{
    std::vector<unsigned char> info = OwnVersionInfo();
    ASSERT_FALSE(info.empty()) << "no version record";

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x0001'0000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x0001'0000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0409);  // US English

    for (const wchar_t* name : {L"ProductName", L"InternalName", L"OriginalFilename"})
        EXPECT_EQ(StringValue(info, name), L"Brisvane") << name;
    EXPECT_EQ(StringValue(info, L"FileVersion"), L"1.00");
    EXPECT_EQ(StringValue(info, L"ProductVersion"), L"1.00");
}

TEST(Resources, IconGroupHoldsExactlyTheThreeImages)
{
    const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, found)));
    ASSERT_NE(data, nullptr);
    const auto* header = reinterpret_cast<const IconGroupHeader*>(data);
    ASSERT_EQ(header->Type, 1);
    ASSERT_EQ(header->Count, 3);
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(data + sizeof(IconGroupHeader));

    struct Expected {
        int size;
        int colours;
        int bits;
    };
    const Expected expected[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].Width, expected[i].size) << i;
        EXPECT_EQ(entries[i].Height, expected[i].size) << i;
        EXPECT_EQ(entries[i].ColourCount, expected[i].colours) << i;
        EXPECT_EQ(entries[i].BitCount, expected[i].bits) << i;
        // Each image is there and loads as an icon of its size.
        const HRSRC image = ::FindResourceW(nullptr, MAKEINTRESOURCEW(entries[i].Id), MAKEINTRESOURCEW(3) /* RT_ICON */);
        ASSERT_NE(image, nullptr) << i;
        EXPECT_EQ(::SizeofResource(nullptr, image), entries[i].BytesInResource) << i;
        auto* bits = static_cast<BYTE*>(::LockResource(::LoadResource(nullptr, image)));
        const HICON icon = ::CreateIconFromResourceEx(bits, entries[i].BytesInResource, TRUE, 0x00030000,
                                                      expected[i].size, expected[i].size, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << i;
        if (icon)
            ::DestroyIcon(icon);
    }
}
