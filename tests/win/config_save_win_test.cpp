// Saving appConfig.xml under Wine: the temporary beside the file replaces it only when it is
// complete, and a file the program cannot read or may not write is left as it is.
#include "config_file.h"
#include "file_replace.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

namespace {

class Folder {
public:
    Folder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + "kova_save_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(GetTickCount());
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~Folder() {
        for (const std::string& name : Entries()) {
            std::string file = path + "\\" + name;
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(path.c_str());
    }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.insert(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    std::string File(const char* name) const { return path + "\\" + name; }

    std::string path;
};

void Write(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Read(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(cannot read)";
    std::string bytes(4096, '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool WriteNew(std::FILE* file) {
    return std::fputs("<AppConfig BaudRate=\"115200\" />\n", file) >= 0;
}

const char kOld[] = "<AppConfig BaudRate='9600'/>";

} // namespace

TEST(ConfigSaveWin, ACompleteTemporaryReplacesTheFileAndLeavesNothingBeside) {
    Folder folder;
    const std::string path = folder.File("appConfig.xml");
    Write(path, kOld);
    ASSERT_TRUE(ReplaceFileContents(path.c_str(), &WriteNew));
    EXPECT_EQ(Read(path), "<AppConfig BaudRate=\"115200\" />\n");
    EXPECT_EQ(folder.Entries(), std::set<std::string>{"appConfig.xml"});
}

TEST(ConfigSaveWin, AFailedSaveLeavesTheOldFileAndNoTemporary) {
    struct Case {
        const char* name;
        bool writerFails;
        DWORD attributes;
        DWORD othersShare; // another program holds the file open with this share mode; 0: nobody
    } cases[] = {
        {"the writer gives up", true, FILE_ATTRIBUTE_NORMAL, 0},
        {"a read-only file", false, FILE_ATTRIBUTE_READONLY, 0},
        {"a file another program keeps from being replaced", false, FILE_ATTRIBUTE_NORMAL,
         FILE_SHARE_READ | FILE_SHARE_WRITE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder;
        const std::string path = folder.File("appConfig.xml");
        Write(path, kOld);
        SetFileAttributesA(path.c_str(), c.attributes);
        HANDLE held = c.othersShare != 0 ? CreateFileA(path.c_str(), GENERIC_READ, c.othersShare, nullptr,
                                                       OPEN_EXISTING, 0, nullptr)
                                         : INVALID_HANDLE_VALUE;
        bool saved = ReplaceFileContents(path.c_str(), [&](std::FILE* file) {
            WriteNew(file);
            return !c.writerFails;
        });
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_FALSE(saved);
        EXPECT_EQ(Read(path), kOld);
        EXPECT_EQ(folder.Entries(), std::set<std::string>{"appConfig.xml"});
    }
}

TEST(ConfigSaveWin, AFileThatCannotBeReadAtStartIsNeverOverwritten) {
    Folder folder;
    const std::string path = folder.File("appConfig.xml");
    Write(path, kOld);
    // Another program has it open and lets nobody read it, but it lets others replace it.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    XMLParser document;
    ConfigLoadResult result = LoadConfigFile(document, path.c_str());
    CloseHandle(held);
    // Once the other program has let go, a save of the settings would still write defaults.
    XMLNode root = FindAppConfig(document);
    bool savedLater = root.SetAttributeInt64("BaudRate", 1200) && document.SaveFile(path.c_str());
    EXPECT_TRUE(result.unreadable);
    EXPECT_FALSE(result.saved);
    EXPECT_FALSE(savedLater);
    EXPECT_EQ(Read(path), kOld);
}
