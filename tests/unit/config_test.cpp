#include "config_file.h"
#include "app_settings.h"
#include "file_replace.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Serialize(const XMLNode& node) {
    std::ostringstream out;
    node.Handle().print(out, "\t", pugi::format_default);
    return out.str();
}

std::vector<std::pair<std::string, std::string>> Attributes(const XMLNode& node) {
    std::vector<std::pair<std::string, std::string>> list;
    for (pugi::xml_attribute a = node.Handle().first_attribute(); a; a = a.next_attribute())
        list.emplace_back(a.name(), a.value());
    return list;
}

std::set<std::string> Entries(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Files of this process may grow to `bytes` and no further while it lives: a write past
// that fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

    bool Active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
    bool m_active = false;
};

struct Config {
    TempFolder folder;
    std::string path = folder.File("appConfig.xml");
    XMLParser document;

    ConfigLoadResult Load(const std::string& bytes) {
        WriteBytes(path, bytes);
        return LoadConfigFile(document, path.c_str());
    }
};

} // namespace

TEST(XmlLookups, NamesMatchWithoutCaseAndFirstOneWins) {
    XMLParser document;
    const char text[] = "<AppConfig language='eng' LANGUAGE='chs' Empty=''>"
                        "<motionwnd BkColor='1'/><MotionWnd BkColor='2'/></AppConfig>";
    ASSERT_TRUE(document.LoadBuffer(text, sizeof text - 1));
    XMLNode root = document.Document().FindChild("APPCONFIG");
    ASSERT_FALSE(root.IsNull());
    EXPECT_STREQ(root.FindAttribute("Language"), "eng");
    EXPECT_STREQ(root.FindAttribute("Empty"), "");
    EXPECT_EQ(root.FindAttribute("Missing"), nullptr);
    EXPECT_STREQ(root.FindChild("MotionWnd").FindAttribute("bkcolor"), "1");
    EXPECT_TRUE(root.FindChild("DistanceWnd").IsNull());
    EXPECT_EQ(XMLNode().FindAttribute("x"), nullptr);
}

TEST(XmlLookups, SetAttributeReplacesFirstMatchOrAppendsAtTheEnd) {
    XMLParser document;
    const char text[] = "<AppConfig a='1' debugmode='x' b='2' DebugMode='y'/>";
    ASSERT_TRUE(document.LoadBuffer(text, sizeof text - 1));
    XMLNode root = document.Document().FindChild("AppConfig");
    EXPECT_TRUE(root.SetAttributeInt64("DebugMode", -5));
    EXPECT_TRUE(root.SetAttributeInt64("BaudRate", 9223372036854775807LL));
    using List = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Attributes(root), (List{{"a", "1"},
                                      {"debugmode", "-5"},
                                      {"b", "2"},
                                      {"DebugMode", "y"},
                                      {"BaudRate", "9223372036854775807"}}));
    EXPECT_FALSE(XMLNode().SetAttributeInt64("x", 1));
}

TEST(ConfigFile, MissingFileIsCreatedWithDeclarationAndEmptyRoot) {
    Config config;
    ConfigLoadResult result = LoadConfigFile(config.document, config.path.c_str());
    EXPECT_FALSE(result.fileRead);
    EXPECT_TRUE(result.rootCreated);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(ReadBytes(config.path), "<?xml version=\"1.0\"?>\n<AppConfig />\n");

    // The first save of the settings then adds BaudRate and DebugMode, in that order.
    EXPECT_TRUE(SaveSettings(config.document, AppSettings(), config.path.c_str()));
    EXPECT_EQ(ReadBytes(config.path),
              "<?xml version=\"1.0\"?>\n<AppConfig BaudRate=\"256000\" DebugMode=\"1\" />\n");
}

TEST(ConfigFile, ExistingRootIsNotRewrittenAtLoad) {
    Config config;
    const std::string original = "<AppConfig  BaudRate = '9600' />";
    ConfigLoadResult result = config.Load(original);
    EXPECT_TRUE(result.parsed);
    EXPECT_FALSE(result.rootCreated);
    EXPECT_EQ(ReadBytes(config.path), original);
}

TEST(ConfigFile, RootIsAppendedToADocumentWithoutOne) {
    Config config;
    ConfigLoadResult result = config.Load("<Other keep='1'><x/></Other>");
    EXPECT_TRUE(result.rootCreated);
    EXPECT_EQ(ReadBytes(config.path),
              "<?xml version=\"1.0\"?>\n<Other keep=\"1\">\n\t<x />\n</Other>\n<AppConfig />\n");
}

TEST(ConfigFile, HandWrittenContentSurvivesEverySave) {
    Config config;
    config.Load("<?xml version='1.0' encoding='UTF-8'?>\n"
                "<AppConfig Language='eng' OffTime='0x10' Note='a &amp; b' BaudRate='9600'>"
                "<!-- kept --><MotionWnd BkColor='0xFF112233' Extra='e'/>"
                "<Custom x='1'><Inner>text &lt;here&gt;</Inner></Custom></AppConfig>");
    XMLNode root = FindAppConfig(config.document);
    const std::string customBefore = Serialize(root.FindChild("Custom"));
    const std::string motionBefore = Serialize(root.FindChild("MotionWnd"));

    AppSettings settings;
    LoadSettings(config.document, settings);
    settings.BaudRate = 115200;
    for (int save = 0; save < 2; ++save)
        ASSERT_TRUE(SaveSettings(config.document, settings, config.path.c_str()));

    XMLParser reloaded;
    std::string saved = ReadBytes(config.path);
    ASSERT_TRUE(reloaded.LoadBuffer(saved.data(), saved.size()));
    XMLNode again = FindAppConfig(reloaded);
    using List = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Attributes(again), (List{{"Language", "eng"},
                                       {"OffTime", "0x10"},
                                       {"Note", "a & b"},
                                       {"BaudRate", "115200"},
                                       {"DebugMode", "1"}}));
    EXPECT_EQ(Serialize(again.FindChild("Custom")), customBefore);
    EXPECT_EQ(Serialize(again.FindChild("MotionWnd")), motionBefore);
    EXPECT_NE(saved.find("<!-- kept -->"), std::string::npos);
    // The document's own declaration is written once, not doubled.
    EXPECT_EQ(saved.find("<?xml"), saved.rfind("<?xml"));
}

TEST(ConfigFile, UnparsableFileIsBackedUpAndWhatParsedIsUsed) {
    Config config;
    const std::string broken = "<AppConfig BaudRate='9600' Language='eng'><MotionWnd></AppConfig>";
    ConfigLoadResult result = config.Load(broken);
    EXPECT_TRUE(result.fileRead);
    EXPECT_FALSE(result.parsed);
    EXPECT_TRUE(result.backedUp);
    EXPECT_EQ(ReadBytes(config.path + ".bak"), broken);

    AppSettings settings;
    LoadSettings(config.document, settings);
    EXPECT_EQ(settings.BaudRate, 9600);
}

TEST(ConfigFile, Utf16FileWithByteOrderMarkIsRead) {
    Config config;
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?><AppConfig BaudRate=\"57600\" Language=\"ENG\"/>";
    std::string utf16 = "\xFF\xFE";
    for (char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    ConfigLoadResult result = config.Load(utf16);
    EXPECT_TRUE(result.parsed);
    EXPECT_FALSE(result.rootCreated);

    AppSettings settings;
    LoadSettings(config.document, settings);
    EXPECT_EQ(settings.BaudRate, 57600);

    // Saved back as UTF-8 with a matching declaration.
    ASSERT_TRUE(SaveSettings(config.document, settings, config.path.c_str()));
    EXPECT_EQ(ReadBytes(config.path),
              "<?xml version=\"1.0\"?>\n<AppConfig BaudRate=\"57600\" Language=\"ENG\" DebugMode=\"1\" />\n");
}

TEST(ConfigFile, FailedSaveReportsFailureAndKeepsTheValuesInMemory) {
    Config config;
    config.Load("<AppConfig/>");
    AppSettings settings;
    settings.BaudRate = 1200;

    // A folder where the file should be cannot be opened for writing, not even by root.
    std::string blocked = config.folder.File("blocked.xml");
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(SaveSettings(config.document, settings, blocked.c_str()));
    EXPECT_STREQ(FindAppConfig(config.document).FindAttribute("BaudRate"), "1200");
}

TEST(ConfigFile, ReadOnlyFileIsLeftAlone) {
    Config config;
    config.Load("<AppConfig/>");
    AppSettings settings;
    std::filesystem::permissions(config.path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    if (access(config.path.c_str(), W_OK) == 0)
        GTEST_SKIP() << "read-only files are writable for this user";
    EXPECT_FALSE(SaveSettings(config.document, settings, config.path.c_str()));
    EXPECT_EQ(ReadBytes(config.path), "<AppConfig/>");
}

TEST(ConfigFile, AFailedSaveKeepsTheOldFileWholeAndLeavesNoTemporary) {
    struct Case {
        const char* name;
        std::function<bool(XMLParser&, const std::string& path)> save;
    } cases[] = {
        {"the disk takes only part of it",
         [](XMLParser& document, const std::string& path) {
             FileSizeLimit limit(4096);
             EXPECT_TRUE(limit.Active());
             return SaveSettings(document, AppSettings(), path.c_str());
         }},
        {"the temporary cannot be made",
         [](XMLParser& document, const std::string& path) {
             std::filesystem::create_directory(ReplacementTempPath(path.c_str()));
             bool saved = SaveSettings(document, AppSettings(), path.c_str());
             std::filesystem::remove(ReplacementTempPath(path.c_str()));
             return saved;
         }},
        {"the writer gives up half-way",
         [](XMLParser&, const std::string& path) {
             return ReplaceFileContents(path.c_str(), [](std::FILE* file) {
                 std::fputs("<AppConfig BaudRate=", file);
                 return false;
             });
         }},
    };
    const std::string original = "<AppConfig BaudRate='9600'><!-- hand-made --></AppConfig>";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Config config;
        config.Load(original);
        // Far more than the disk takes in the first case.
        XMLNode padding = FindAppConfig(config.document).AppendChild("Padding");
        padding.Handle().text().set(std::string(64 * 1024, 'x').c_str());
        EXPECT_FALSE(c.save(config.document, config.path));
        const std::string now = ReadBytes(config.path);
        EXPECT_TRUE(now == original) << now.size() << " bytes now, beginning " << now.substr(0, 60);
        EXPECT_EQ(Entries(config.folder.Path()), std::set<std::string>{"appConfig.xml"});
    }
}

TEST(ConfigFile, ASaveReplacesTheFileWholeKeepingItsPermissions) {
    Config config;
    config.Load("<AppConfig/>");
    namespace fs = std::filesystem;
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(config.path, mode);
    AppSettings settings;
    settings.BaudRate = 38400;
    ASSERT_TRUE(SaveSettings(config.document, settings, config.path.c_str()));
    EXPECT_EQ(ReadBytes(config.path),
              "<?xml version=\"1.0\"?>\n<AppConfig BaudRate=\"38400\" DebugMode=\"1\" />\n");
    EXPECT_EQ(fs::status(config.path).permissions(), mode);
    EXPECT_EQ(Entries(config.folder.Path()), std::set<std::string>{"appConfig.xml"});
}

// Something is there but cannot be read: its settings are unknown, so neither the start nor
// any later save may replace it with defaults.
TEST(ConfigFile, AnExistingFileThatCannotBeReadIsNeverOverwritten) {
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        void (*make)(const std::string& path);
        std::string (*look)(const std::string& path); // what is there, as text
        bool onlyForAUserWhoCannotReadIt;
    } cases[] = {
        {"a file this user may write but not read",
         [](const std::string& path) {
             WriteBytes(path, "<AppConfig BaudRate='9600'/>");
             fs::permissions(path, fs::perms::owner_write);
         },
         [](const std::string& path) {
             fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
             std::string bytes = ReadBytes(path);
             fs::permissions(path, fs::perms::owner_write);
             return "file " + bytes;
         },
         true},
        {"an entry that opens as no file (a socket)",
         [](const std::string& path) {
             int listener = socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             ASSERT_LT(path.size(), sizeof address.sun_path);
             std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
             ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             close(listener); // the entry stays
         },
         [](const std::string& path) { return std::string(fs::is_socket(path) ? "socket" : "no socket"); },
         false},
        {"a folder", [](const std::string& path) { fs::create_directory(path); },
         [](const std::string& path) { return std::string(fs::is_directory(path) ? "folder" : "no folder"); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Config config;
        c.make(config.path);
        if (c.onlyForAUserWhoCannotReadIt && access(config.path.c_str(), R_OK) == 0)
            continue; // this user reads every file
        const std::string before = c.look(config.path);

        ConfigLoadResult result = LoadConfigFile(config.document, config.path.c_str());
        EXPECT_TRUE(result.unreadable);
        EXPECT_FALSE(result.saved);
        EXPECT_FALSE(FindAppConfig(config.document).IsNull()); // the program runs on defaults
        EXPECT_FALSE(SaveSettings(config.document, AppSettings(), config.path.c_str()));
        EXPECT_EQ(c.look(config.path), before);
    }
}

TEST(ConfigFile, AnUnparsableFileThatCannotBeCopiedIsNeverOverwritten) {
    Config config;
    const std::string broken = "<AppConfig BaudRate='9600'><MotionWnd></AppConfig>";
    std::filesystem::create_directory(config.path + ".bak");
    ConfigLoadResult result = config.Load(broken);
    EXPECT_FALSE(result.parsed);
    EXPECT_FALSE(result.backedUp);
    EXPECT_FALSE(SaveSettings(config.document, AppSettings(), config.path.c_str()));
    EXPECT_EQ(ReadBytes(config.path), broken);
}
