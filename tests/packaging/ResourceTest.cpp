// Reads the resources of Brisvane.exe back through the Windows API: the
// version record and the icon group that brisvane.rc puts into it, and the
// manifest; and the version that its installer gives it.
//
// Usage: resource_tests PATH\TO\Brisvane.exe PATH\TO\Brisvane.msi [GoogleTest options]

#include "Handles.h"
#include "Product.h"
#include "Resources.h"

#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring ProgramPath;
std::wstring InstallerPath;

std::vector<unsigned char> VersionInfo()
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(ProgramPath.c_str(), &ignored);
    std::vector<unsigned char> info(size);
    if (size == 0 || !::GetFileVersionInfoW(ProgramPath.c_str(), 0, size, info.data()))
        info.clear();
    return info;
}

// The program's resources, without running it.
HMODULE Program()
{
    static const Brisvane::ModuleHandle module(
        ::LoadLibraryExW(ProgramPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    return module.get();
}

std::string Resource(LPCWSTR name, LPCWSTR type)
{
    const HRSRC found = ::FindResourceW(Program(), name, type);
    if (found == nullptr)
        return {};
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(Program(), found)));
    return std::string(data, ::SizeofResource(Program(), found));
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

// A handle of the installer's API, closed when it goes. (An MSIHANDLE is a
// number, not a pointer, so std::unique_ptr cannot hold it; and this is the
// only file that uses that API.)
class MsiHandle {
public:
    MsiHandle() = default;
    ~MsiHandle()
    {
        if (handle_ != 0)
            ::MsiCloseHandle(handle_);
    }
    MsiHandle(const MsiHandle&) = delete;
    MsiHandle& operator=(const MsiHandle&) = delete;

    MSIHANDLE Get() const { return handle_; }
    // Where the call that opens it writes it.
    MSIHANDLE* Out() { return &handle_; }

private:
    MSIHANDLE handle_ = 0;
};

// The fields of the first row that QUERY selects from the installer, as
// text; none where it selects nothing.
std::vector<std::wstring> InstallerRow(const wchar_t* query)
{
    // Closed in the reverse order of their opening, as they go.
    MsiHandle database, view, record;
    if (::MsiOpenDatabaseW(InstallerPath.c_str(), MSIDBOPEN_READONLY, database.Out()) != ERROR_SUCCESS ||
        ::MsiDatabaseOpenViewW(database.Get(), query, view.Out()) != ERROR_SUCCESS ||
        ::MsiViewExecute(view.Get(), 0) != ERROR_SUCCESS || ::MsiViewFetch(view.Get(), record.Out()) != ERROR_SUCCESS)
        return {};
    std::vector<std::wstring> fields;
    for (UINT index = 1; index <= ::MsiRecordGetFieldCount(record.Get()); ++index) {
        wchar_t text[256] = {};
        DWORD length = 256;
        ::MsiRecordGetStringW(record.Get(), index, text, &length);
        fields.emplace_back(text);
    }
    return fields;
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

TEST(Resources, VersionRecordIsTheProjectsVersionInUsEnglish)
{
    std::vector<unsigned char> info = VersionInfo();
    ASSERT_FALSE(info.empty()) << "no version record";

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    constexpr DWORD numbers[] = {BRISVANE_VERSION_NUMBERS};
    EXPECT_EQ(fixed->dwFileVersionMS, numbers[0] << 16 | numbers[1]);
    EXPECT_EQ(fixed->dwFileVersionLS, numbers[2] << 16 | numbers[3]);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0409);  // US English

    for (const wchar_t* name : {L"ProductName", L"InternalName"})
        EXPECT_EQ(StringValue(info, name), L"Brisvane") << name;
    EXPECT_EQ(StringValue(info, L"OriginalFilename"), L"Brisvane.exe");
    EXPECT_EQ(StringValue(info, L"FileVersion"), L"" BRISVANE_VERSION);
    EXPECT_EQ(StringValue(info, L"ProductVersion"), L"" BRISVANE_VERSION);

    // The publisher, whom the installer names too, and the licence's
    // notice of the publisher's copyright.
    const std::vector<std::wstring> manufacturer =
        InstallerRow(L"SELECT `Value` FROM `Property` WHERE `Property` = 'Manufacturer'");
    ASSERT_EQ(manufacturer.size(), 1u);
    EXPECT_EQ(StringValue(info, L"CompanyName"), manufacturer[0]);
    const std::wstring copyright = StringValue(info, L"LegalCopyright");
    EXPECT_EQ(copyright.rfind(L"Copyright (c) ", 0), 0u) << copyright;
    EXPECT_TRUE(copyright.ends_with(L" " + manufacturer[0])) << copyright;
}

// The three images in 2 and 16 colours first, then a 32-bit image for every
// size Windows asks for from 100 % to 200 % (a small and a big icon at each),
// and 256 pixels as PNG.
TEST(Resources, IconGroupHoldsTheThreeImagesThenOneForEachDpi)
{
    const std::string group = Resource(MAKEINTRESOURCEW(BRISVANE_ICON), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_GE(group.size(), sizeof(IconGroupHeader));
    const auto* data = reinterpret_cast<const unsigned char*>(group.data());
    const auto* header = reinterpret_cast<const IconGroupHeader*>(data);
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(data + sizeof(IconGroupHeader));

    struct Expected {
        int size;
        int colours;  // of a palette; 0 for none
        int bits;
        bool png;
    };
    const Expected expected[] = {{32, 2, 1, false},  {32, 16, 4, false}, {16, 16, 4, false}, {16, 0, 32, false},
                                 {20, 0, 32, false}, {24, 0, 32, false}, {32, 0, 32, false}, {40, 0, 32, false},
                                 {48, 0, 32, false}, {64, 0, 32, false}, {256, 0, 32, true}};
    ASSERT_EQ(header->Type, 1);
    ASSERT_EQ(header->Count, std::size(expected));
    ASSERT_GE(group.size(), sizeof(IconGroupHeader) + std::size(expected) * sizeof(IconGroupEntry));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(entries[i].Width, e.size % 256) << i;  // 0 for 256
        EXPECT_EQ(entries[i].Height, e.size % 256) << i;
        EXPECT_EQ(entries[i].ColourCount, e.colours) << i;
        EXPECT_EQ(entries[i].BitCount, e.bits) << i;
        // Each image is there, in its form, and loads as an icon of its size.
        std::string image = Resource(MAKEINTRESOURCEW(entries[i].Id), MAKEINTRESOURCEW(3) /* RT_ICON */);
        ASSERT_EQ(image.size(), entries[i].BytesInResource) << i;
        EXPECT_EQ(image.rfind("\x89PNG", 0) == 0, e.png) << i;
        auto* bits = reinterpret_cast<BYTE*>(image.data());
        const Brisvane::IconHandle icon(::CreateIconFromResourceEx(bits, entries[i].BytesInResource, TRUE, 0x00030000,
                                                                   e.size, e.size, LR_DEFAULTCOLOR));
        EXPECT_NE(icon, nullptr) << i;
    }
}

TEST(Resources, ManifestAsksForVisualStylesPerMonitorDpiAndNoElevation)
{
    const std::string manifest = Resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
    for (const char* declaration : {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "PerMonitorV2",
                                    "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">",
                                    "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
                                    "version=\"" BRISVANE_VERSION_DOTTED "\""})
        EXPECT_NE(manifest.find(declaration), std::string::npos) << declaration << " is not in:\n" << manifest;
}

// Windows Installer replaces a versioned file by comparing versions; it must
// know the program as the version resource gives it.
TEST(Resources, TheInstallerKnowsTheProgramsVersionAndLanguage)
{
    wchar_t version[32] = {}, language[32] = {};
    DWORD versionLength = 32, languageLength = 32;
    ASSERT_EQ(::MsiGetFileVersionW(ProgramPath.c_str(), version, &versionLength, language, &languageLength),
              ERROR_SUCCESS);

    const std::vector<std::wstring> file =
        InstallerRow(L"SELECT `Version`, `Language` FROM `File` WHERE `File` = 'BrisvaneExe'");
    ASSERT_EQ(file.size(), 2u);
    EXPECT_EQ(file[0], version);
    EXPECT_EQ(file[1], language);
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: resource_tests PATH\\TO\\Brisvane.exe PATH\\TO\\Brisvane.msi [GoogleTest options]\n");
        return 2;
    }
    const std::string program = argv[1], installer = argv[2];
    ProgramPath.assign(program.begin(), program.end());
    InstallerPath.assign(installer.begin(), installer.end());
    return RUN_ALL_TESTS();
}
