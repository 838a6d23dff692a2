// The Windows side of the common services library, run under Wine.
#include "KOVA_Common.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

namespace {

std::wstring ProgramFile() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::string TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name + std::to_string(GetCurrentProcessId());
}

} // namespace

TEST(SerialPortsWin, MappedPortIsListed) {
    const char* expected = std::getenv("KOVA_TEST_PORT");
    if (expected == nullptr)
        GTEST_SKIP() << "run through with-com-port.sh to map a port";
    CPtrListCtrl ports;
    int count = EnumSerialPortNameW(&ports);
    EXPECT_EQ(count, ports.GetCount());
    std::wstring wanted(expected, expected + std::char_traits<char>::length(expected));
    bool found = false;
    for (int i = 0; i < ports.GetCount(); ++i)
        found = found || wanted == static_cast<const wchar_t*>(ports.GetAt(i));
    EXPECT_TRUE(found);
    FreeSerialPortNameA(&ports);
    EXPECT_EQ(ports.GetCount(), 0);
}

TEST(FilesWin, VersionOfAProgramWithAndWithoutAVersionResource) {
    wchar_t version[260] = L"x";
    ASSERT_TRUE(GetFileVersionW(ProgramFile().c_str(), version, 260));
    EXPECT_STREQ(version, L"1.2.3.4");
    wchar_t small[4] = L"x";
    EXPECT_FALSE(GetFileVersionW(ProgramFile().c_str(), small, 4));

    std::string folder = TempFolder("kova_ver");
    ASSERT_TRUE(RecursiveCreateDirectoryA(folder.c_str()));
    std::string text = folder + "\\plain.txt";
    FILE* file = std::fopen(text.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("no resources here", file);
    std::fclose(file);
    std::wstring wide(text.begin(), text.end());
    EXPECT_FALSE(GetFileVersionW(wide.c_str(), version, 260));
    EXPECT_STREQ(version, L"");
    EXPECT_FALSE(GetFileVersionW(L"C:\\no\\such\\file.exe", version, 260));
    DeleteFileA(text.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(FilesWin, WindowsPaths) {
    char out[MAX_PATH];
    ASSERT_TRUE(CombinePathNameA(out, "C:\\Tool", "appConfig.xml"));
    EXPECT_STREQ(out, "C:\\Tool\\appConfig.xml");
    ASSERT_TRUE(CombinePathNameA(out, "C:\\Tool\\", "\\Log"));
    EXPECT_STREQ(out, "C:\\Tool\\Log");
    ASSERT_TRUE(CombinePathNameA(out, "C:/Tool/", "Log"));
    EXPECT_STREQ(out, "C:/Tool/Log");

    wchar_t ext[16];
    EXPECT_FALSE(GetFileExtNameW(L"C:\\dir.v1\\file", ext, 16));
    EXPECT_TRUE(GetFileExtNameW(L"C:\\dir.v1\\Human.PNG", ext, 16));
    EXPECT_STREQ(ext, L"PNG");
    char extA[16];
    EXPECT_TRUE(GetFileExtNameA("D:/a.b/c.jpeg", extA, 16));
    EXPECT_STREQ(extA, "jpeg");

    char program[MAX_PATH];
    ASSERT_TRUE(GetProgramPathA(0, program));
    std::wstring file = ProgramFile();
    std::string expected(file.begin(), file.begin() + file.find_last_of(L'\\'));
    EXPECT_STREQ(program, expected.c_str());
    char same[MAX_PATH];
    ASSERT_TRUE(GetProgramPathA(GetCurrentProcessId(), same));
    EXPECT_STREQ(same, program);
}

TEST(FilesWin, NestedFoldersFilesAndReading) {
    std::string root = TempFolder("kova_dirs");
    std::string nested = root + "\\Log\\deeper/mixed\\";
    ASSERT_TRUE(RecursiveCreateDirectoryA(nested.c_str()));
    EXPECT_TRUE(RecursiveCreateDirectoryA(nested.c_str())); // already there
    EXPECT_TRUE(RecursiveCreateDirectoryA("C:\\"));
    DWORD attributes = GetFileAttributesA((root + "\\Log\\deeper\\mixed").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

    std::string path = root + "\\Log\\data.bin";
    const char bytes[] = {'a', 0, 'b', '\n'};
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes, 1, sizeof bytes, file);
    std::fclose(file);

    unsigned char* data = nullptr;
    ASSERT_EQ(ReadFileDataA(path.c_str(), &data), 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 4), std::string(bytes, 4));
    ReleaseFileData(data);
    EXPECT_EQ(ReadFileDataA((root + "\\missing.xml").c_str(), &data), 0);
    EXPECT_EQ(data, nullptr);

    std::wstring widePath(path.begin(), path.end());
    std::wstring wideRoot(root.begin(), root.end());
    EXPECT_TRUE(IsFileExistW(widePath.c_str()));
    EXPECT_FALSE(IsFileExistW(wideRoot.c_str()));
    EXPECT_FALSE(IsFileExistW((wideRoot + L"\\none").c_str()));

    // A file that cannot be created (its folder is a file) makes the creation fail.
    EXPECT_FALSE(RecursiveCreateDirectoryA((path + "\\sub").c_str()));

    DeleteFileA(path.c_str());
    RemoveDirectoryA((root + "\\Log\\deeper\\mixed").c_str());
    RemoveDirectoryA((root + "\\Log\\deeper").c_str());
    RemoveDirectoryA((root + "\\Log").c_str());
    RemoveDirectoryA(root.c_str());
}

TEST(PixelsWin, CreatedBitmapHasTopDownRows) {
    void* bits = nullptr;
    HBITMAP bitmap = CreateHBitmap(&bits, 8, 4, 32, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(bits, nullptr);
    RECT all{0, 0, 8, 4};
    DrawColorOnBuffer(0x00000000, bits, &all, 8 * 4, 4);
    RECT topRow{0, 0, 8, 1};
    DrawColorOnBuffer(0x00FF0000, bits, &topRow, 8 * 4, 4); // pixel word red
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);

    EXPECT_EQ(CreateHBitmap(&bits, 0, 4, 32, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

namespace {
struct Counter : IThreadFuncInterface {
    std::atomic<int> runs{0};
    int ThreadFunc(CBaseThread*, void* context) override {
        runs += *static_cast<int*>(context);
        DbgOutputA(2, "worker %d\r\n", runs.load());
        return 7;
    }
};

void Collect(void* context, int, const char* bytes, int length) {
    static_cast<std::string*>(context)->append(bytes, size_t(length));
}
} // namespace

TEST(ThreadsWin, WorkerRunsAndLogsUnderWinpthreads) {
    std::string lines;
    DbgOutputAddCallback(Collect, &lines);
    Counter counter;
    int step = 3;
    CBaseThread thread;
    ASSERT_TRUE(thread.StartThread("ABDData", &counter, &step, 0, 0x400000, 0));
    EXPECT_TRUE(thread.StopThread());
    DbgOutputDelCallback(Collect, &lines);
    EXPECT_EQ(counter.runs.load(), 3);
    EXPECT_EQ(thread.GetExitCode(), 7);
    EXPECT_EQ(lines, "worker 3\r\n");
}
