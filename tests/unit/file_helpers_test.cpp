#include "file_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// A fresh folder per test, removed afterwards.
class FileHelpers : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("kova_files_" + std::to_string(getpid()) + "_" + std::string(info->name()));
        fs::remove_all(folder);
        ASSERT_TRUE(fs::create_directories(folder));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

} // namespace

TEST(CombinePathNameA, JoinsWithExactlyOneSeparator) {
    const struct {
        const char* folder;
        const char* name;
        const char* expected;
    } cases[] = {
        {"a", "b", "a/b"},
        {"a/", "b", "a/b"},
        {"a", "/b", "a/b"},
        {"a/", "//b", "a/b"},
        {"/x/y", "z.txt", "/x/y/z.txt"},
        {"/", "b", "/b"},
        {"", "b", "b"},
        {"", "/b", "/b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " + " + c.name);
        char out[MAX_PATH];
        ASSERT_TRUE(CombinePathNameA(out, c.folder, c.name));
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(CombinePathNameA, TooSmallOutputFailsWithAnEmptyText) {
    char out[16] = "untouched";
    EXPECT_FALSE(CombinePathNameA(out, "abc", "def", 7));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(CombinePathNameA(out, "abc", "def", 8));
    EXPECT_STREQ(out, "abc/def");
}

TEST(GetFileExtName, TakesTheExtensionOfTheLastComponentOnly) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"file.txt", "txt"},
        {"dir/file.tar.gz", "gz"},
        {"/a.b/c.d", "d"},
        {"file", ""},
        {"dir.d/file", ""},
        {"file.", ""},
        {"dir.d/", ""},
        {"", ""},
        {"dir.d/name.JPEG", "JPEG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const bool has = *c.expected != '\0';
        char out[MAX_PATH] = "junk";
        EXPECT_EQ(GetFileExtNameA(c.path, out, MAX_PATH), has ? TRUE : FALSE);
        EXPECT_STREQ(out, c.expected);

        wchar_t wideOut[MAX_PATH] = L"junk";
        EXPECT_EQ(GetFileExtNameW(Widen(c.path).c_str(), wideOut, MAX_PATH), has ? TRUE : FALSE);
        EXPECT_EQ(std::wstring(wideOut), Widen(c.expected));
    }
}

TEST(GetFileExtName, TooSmallOutputFailsWithAnEmptyText) {
    char out[8] = "junk";
    EXPECT_FALSE(GetFileExtNameA("photo.jpeg", out, 4));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(GetFileExtNameA("photo.jpeg", out, 5));
    EXPECT_STREQ(out, "jpeg");
    EXPECT_FALSE(GetFileExtNameA(nullptr, out, 8));
    EXPECT_STREQ(out, "");
}

namespace {

// A plausible calendar stamp: YYYYMMDD_HHMMSS.
const std::string kStamp = R"(\d{4}(0[1-9]|1[0-2])(0[1-9]|[12]\d|3[01])_([01]\d|2[0-3])[0-5]\d([0-5]\d|60))";

} // namespace

TEST(GetFileNameByDate, BuildsPrefixStampSuffixAndExtension) {
    const struct {
        const char* prefix;
        const char* suffix;
        const char* extension;
        int utc;
        int milliseconds;
        std::string pattern;
    } cases[] = {
        {"log_", "_radar", ".txt", 0, 0, "log_" + kStamp + R"(_radar\.txt)"},
        {"log_", "_radar", ".txt", 0, 1, "log_" + kStamp + R"(_\d{3}_radar\.txt)"},
        {"rec", "", ".bin", 1, 0, "rec" + kStamp + R"(\.bin)"},
        {"rec", "", ".bin", 1, 1, "rec" + kStamp + R"(_\d{3}\.bin)"},
        {nullptr, nullptr, nullptr, 0, 0, kStamp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        char out[MAX_PATH];
        ASSERT_TRUE(GetFileNameByDateA(out, c.extension, c.prefix, c.suffix, c.utc, c.milliseconds, 0));
        EXPECT_TRUE(std::regex_match(out, std::regex(c.pattern))) << out;

        wchar_t wideOut[MAX_PATH];
        std::wstring prefix = c.prefix ? Widen(c.prefix) : L"", suffix = c.suffix ? Widen(c.suffix) : L"";
        std::wstring extension = c.extension ? Widen(c.extension) : L"";
        ASSERT_TRUE(GetFileNameByDateW(wideOut, c.extension ? extension.c_str() : nullptr,
                                       c.prefix ? prefix.c_str() : nullptr,
                                       c.suffix ? suffix.c_str() : nullptr, c.utc, c.milliseconds, 0));
        EXPECT_TRUE(std::regex_match(std::wstring(wideOut), std::wregex(Widen(c.pattern))));
    }
}

TEST(GetFileNameByDate, TooSmallOutputFails) {
    // "log_" + 15 stamp characters + ".txt" is 23 characters.
    char out[64] = "junk";
    EXPECT_FALSE(GetFileNameByDateA(out, ".txt", "log_", nullptr, 0, 0, 0, 23));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(GetFileNameByDateA(out, ".txt", "log_", nullptr, 0, 0, 0, 24));
    EXPECT_EQ(std::string(out).size(), 23u);

    wchar_t wideOut[64] = L"junk";
    EXPECT_FALSE(GetFileNameByDateW(wideOut, L".txt", L"log_", nullptr, 0, 1, 0, 27));
    EXPECT_STREQ(wideOut, L"");
    EXPECT_TRUE(GetFileNameByDateW(wideOut, L".txt", L"log_", nullptr, 0, 1, 0, 28));
}

TEST_F(FileHelpers, RecursiveCreateDirectoryMakesEveryMissingLevel) {
    const std::string nested = (folder / "one" / "two" / "three").string();
    EXPECT_TRUE(RecursiveCreateDirectoryA(nested.c_str()));
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_TRUE(RecursiveCreateDirectoryA(nested.c_str())) << "an existing folder";

    const std::string trailing = (folder / "four" / "five").string() + "//";
    EXPECT_TRUE(RecursiveCreateDirectoryA(trailing.c_str()));
    EXPECT_TRUE(fs::is_directory(folder / "four" / "five"));
}

TEST_F(FileHelpers, RecursiveCreateDirectoryFailsThroughAFile) {
    WriteFile(folder / "plain", "x");
    const std::string below = (folder / "plain" / "sub").string();
    EXPECT_FALSE(RecursiveCreateDirectoryA(below.c_str()));
    EXPECT_FALSE(RecursiveCreateDirectoryA((folder / "plain").string().c_str()));
    EXPECT_FALSE(RecursiveCreateDirectoryA(""));
    EXPECT_FALSE(RecursiveCreateDirectoryA(nullptr));
}

TEST_F(FileHelpers, ReadFileDataReturnsTheWholeContent) {
    // Larger than one read chunk, with zero bytes inside.
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += char(i * 31 % 256);
    WriteFile(folder / "data.bin", bytes);

    unsigned char* data = nullptr;
    int64_t size = ReadFileDataA((folder / "data.bin").string().c_str(), &data);
    ASSERT_EQ(size, int64_t(bytes.size()));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size_t(size)), bytes);
    EXPECT_EQ(data[size], 0);
    ReleaseFileData(data);
}

TEST_F(FileHelpers, ReadFileDataOfAMissingOrEmptyFileGivesNothing) {
    WriteFile(folder / "empty", "");
    for (const fs::path& path : {folder / "missing", folder / "empty", folder}) {
        SCOPED_TRACE(path.string());
        unsigned char marker = 0;
        unsigned char* data = &marker;
        EXPECT_EQ(ReadFileDataA(path.string().c_str(), &data), 0);
        EXPECT_EQ(data, nullptr);
    }
}

TEST_F(FileHelpers, IsFileExistOnlyForFiles) {
    WriteFile(folder / "present.txt", "x");
    // U+00E9, U+4E2D and U+1F600 take two, three and four UTF-8 bytes.
    WriteFile(folder / "caf\xc3\xa9_\xe4\xb8\xad_\xf0\x9f\x98\x80.txt", "x");
    const std::wstring base = Widen(folder.string()) + L"/";

    EXPECT_TRUE(IsFileExistW((base + L"present.txt").c_str()));
    EXPECT_TRUE(IsFileExistW((base + L"caf\u00e9_\u4e2d_\U0001F600.txt").c_str()));
    EXPECT_FALSE(IsFileExistW((base + L"caf\u00e9_\u4e2d.txt").c_str()));
    EXPECT_FALSE(IsFileExistW((base + L"missing.txt").c_str()));
    EXPECT_FALSE(IsFileExistW(Widen(folder.string()).c_str()));
    EXPECT_FALSE(IsFileExistW(L""));
    EXPECT_FALSE(IsFileExistW(nullptr));
}

TEST(GetProgramPathA, IsTheFolderOfThisProgram) {
    const std::string expected = fs::read_symlink("/proc/self/exe").parent_path().string();
    char out[MAX_PATH] = "junk";
    ASSERT_TRUE(GetProgramPathA(0, out));
    EXPECT_EQ(std::string(out), expected);
    ASSERT_TRUE(GetProgramPathA(DWORD(getpid()), out));
    EXPECT_EQ(std::string(out), expected);

    EXPECT_FALSE(GetProgramPathA(0, out, int(expected.size())));
}
