// The store's key and value semantics, always read back through a fresh store object so that
// every check goes through the file on disk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempSettings.h"
#include "registry/SettingsStore.h"

namespace linkrake {
namespace {

using test::TempSettings;

std::vector<std::string> childNames(const SettingsKey& key) {
    std::vector<std::string> names;
    for (const auto& [folded, child] : key.children()) {
        names.push_back(child->name());
    }
    return names;
}

TEST(SettingsStoreTest, KeyPathsIgnoreTheCaseOfAsciiLettersAndKeepTheFirstSpelling) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("SOFTWARE\\Morvane\\Linkrake", "a", "1"));
    ASSERT_TRUE(temp.store().writeValue("software\\MORVANE\\linkrake\\Sub", "b", "2"));

    const SettingsTree tree = temp.store().snapshot();
    EXPECT_EQ(childNames(tree.root()), std::vector<std::string>{"SOFTWARE"});
    const SettingsKey* product = tree.find("Software\\Morvane\\Linkrake");
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->name(), "Linkrake");
    EXPECT_EQ(childNames(*product), std::vector<std::string>{"Sub"});

    struct Case {
        const char* path;
        bool exists;
    };
    const Case cases[] = {
        {"SOFTWARE\\Morvane\\Linkrake", true},
        {"Software\\Morvane\\Linkrake", true},
        {"sOfTwArE\\mOrVaNe\\LINKRAKE\\sub", true},
        {"Software\\Morvane\\Linkrake\\Other", false},
        {"Software\\Morvan", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(temp.store().keyExists(c.path), c.exists);
    }
    EXPECT_EQ(temp.store().readValue("software\\morvane\\linkrake", "A"), "1");
}

TEST(SettingsStoreTest, OnlyAsciiLettersAreFoldedInKeyNames) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().createKey("Ärger\\Straße"));
    EXPECT_TRUE(temp.store().keyExists("Ärger\\STRAßE"));
    EXPECT_FALSE(temp.store().keyExists("ärger\\Straße"));
    EXPECT_FALSE(temp.store().keyExists("Ärger\\STRASSE"));
}

TEST(SettingsStoreTest, AKeyWithoutValuesExistsWithEveryKeyAboveIt) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().createKey("A\\B\\C"));
    for (const char* path : {"A", "a\\b", "A\\B\\C"}) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(temp.store().keyExists(path));
    }
    EXPECT_FALSE(temp.store().keyExists("A\\B\\C\\D"));
    EXPECT_EQ(temp.store().readValue("A\\B\\C", ""), std::nullopt);
    EXPECT_TRUE(temp.store().snapshot().find("A\\B\\C")->values().empty());
}

TEST(SettingsStoreTest, RemovingAllValuesKeepsTheKeyAndItsSubkeys) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("A", "", "default"));
    ASSERT_TRUE(temp.store().writeValue("A", "name", "named"));
    ASSERT_TRUE(temp.store().createKey("A\\Sub"));

    EXPECT_TRUE(temp.store().deleteValues("a"));
    EXPECT_TRUE(temp.store().keyExists("A"));
    EXPECT_TRUE(temp.store().keyExists("A\\Sub"));
    EXPECT_EQ(temp.store().readValue("A", ""), std::nullopt);
    EXPECT_EQ(temp.store().readValue("A", "name"), std::nullopt);
    EXPECT_FALSE(temp.store().deleteValues("Missing"));
}

TEST(SettingsStoreTest, TheDefaultValueStandsApartFromNamedValues) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("Key", "", "the default"));
    ASSERT_TRUE(temp.store().writeValue("Key", "@", "named at"));
    ASSERT_TRUE(temp.store().writeValue("Key", "Name", "named"));
    ASSERT_TRUE(temp.store().writeValue("Key", "NAME", "named again"));

    struct Case {
        const char* name;
        std::optional<std::string> data;
    };
    const Case cases[] = {
        {"", "the default"},
        {"@", "named at"},
        {"name", "named again"},
        {"Other", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(temp.store().readValue("KEY", c.name), c.data);
    }
    // A value keeps the spelling it was first made with.
    const SettingsTree tree = temp.store().snapshot();
    const SettingsKey* key = tree.find("Key");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->values().size(), 3U);
    EXPECT_EQ(key->values().at("name").name, "Name");
}

struct BytesCase {
    const char* label;
    std::string bytes;
};

void PrintTo(const BytesCase& c, std::ostream* out) { *out << c.label; }

class SettingsBytesTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(SettingsBytesTest, DataAndNamesComeBackByteForByte) {
    TempSettings temp;
    const std::string& bytes = GetParam().bytes;
    ASSERT_TRUE(temp.store().writeValue("Data", "", bytes));
    ASSERT_TRUE(temp.store().writeValue("Data", "v" + bytes, bytes));
    // A key name may hold anything but control bytes and the separator.
    std::string keyName = "k";
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f && c != '\\') {
            keyName += c;
        }
    }
    ASSERT_TRUE(temp.store().writeValue("Data\\" + keyName, "", bytes));
    // Something else written afterwards must not disturb what is there.
    ASSERT_TRUE(temp.store().writeValue("Other", "x", "y"));

    EXPECT_EQ(temp.store().readValue("Data", ""), bytes);
    EXPECT_EQ(temp.store().readValue("Data", "v" + bytes), bytes);
    EXPECT_EQ(temp.store().readValue("Data\\" + keyName, ""), bytes);
    const SettingsTree tree = temp.store().snapshot();
    const SettingsKey* key = tree.find("Data\\" + keyName);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->name(), keyName);
}

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, SettingsBytesTest,
    ::testing::Values(BytesCase{"Empty", ""}, BytesCase{"Address", "http://example.com/a b?c=d&e#f"},
                      BytesCase{"LineBreaks", "one\ntwo\r\nthree\r"},
                      BytesCase{"NulInside", std::string("before\0after", 12)},
                      BytesCase{"QuotesAndBackslashes", "C:\\dir\\\"x\" \\x41 \\"},
                      BytesCase{"Utf8", "Gr\xc3\xbc\xc3\x9f" "e \xe2\x80\x93 \xe6\x97\xa5\xe6\x9c\xac"},
                      BytesCase{"HighBytes", "\x80\x9f\xa0\xfe\xff"},
                      BytesCase{"LooksLikeTheFormat", "[Key]\n@=\"x\"\nend\n#c\n\"n\"=\"v\""},
                      BytesCase{"EveryByte", allBytes()}),
    [](const ::testing::TestParamInfo<BytesCase>& info) { return std::string(info.param.label); });

TEST(SettingsStoreTest, UnusablePathsAreRefused) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().createKey("A"));
    for (const std::string path : {"\\A", "A\\", "A\\\\B", "A\\B\x01", "A\\\nB"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(temp.store().createKey(path));
        EXPECT_FALSE(temp.store().writeValue(path, "", "x"));
        EXPECT_FALSE(temp.store().keyExists(path));
        EXPECT_EQ(temp.store().readValue(path, ""), std::nullopt);
    }
    EXPECT_EQ(childNames(temp.store().snapshot().root()), std::vector<std::string>{"A"});
}

TEST(SettingsStoreTest, DeleteTreeTakesTheKeyWithEverythingBelowItAndNothingElse) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("A", "kept", "1"));
    ASSERT_TRUE(temp.store().writeValue("A\\B", "", "gone"));
    ASSERT_TRUE(temp.store().writeValue("A\\B\\C\\D", "x", "gone"));
    ASSERT_TRUE(temp.store().createKey("A\\B\\E"));
    ASSERT_TRUE(temp.store().writeValue("A\\BB", "", "kept"));
    ASSERT_TRUE(temp.store().createKey("Z"));

    EXPECT_TRUE(temp.store().deleteTree("a\\b"));

    struct Case {
        const char* path;
        bool exists;
    };
    const Case cases[] = {
        {"A", true}, {"A\\B", false}, {"A\\B\\C", false}, {"A\\B\\C\\D", false},
        {"A\\B\\E", false}, {"A\\BB", true}, {"Z", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(temp.store().keyExists(c.path), c.exists);
    }
    EXPECT_EQ(temp.store().readValue("A", "kept"), "1");
    EXPECT_EQ(temp.store().readValue("A\\BB", ""), "kept");

    // Deleting what is not there is no failure; the root cannot be deleted.
    EXPECT_TRUE(temp.store().deleteTree("A\\B"));
    EXPECT_TRUE(temp.store().deleteTree("Nothing\\Here"));
    EXPECT_FALSE(temp.store().deleteTree(""));
    EXPECT_TRUE(temp.store().keyExists("Z"));
}

TEST(SettingsStoreTest, AnEditThatGivesUpWritesNothing) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("A", "", "before"));
    const std::string before = temp.fileBytes();

    EXPECT_FALSE(temp.store().edit([](SettingsTree& tree) {
        tree.create("A")->setValue("", "changed");
        tree.create("New");
        return false;
    }));
    EXPECT_EQ(temp.fileBytes(), before);
    EXPECT_FALSE(temp.store().keyExists("New"));
}

TEST(SettingsStoreTest, AnEditAppliesAllItsChangesInOneStep) {
    TempSettings temp;
    ASSERT_TRUE(temp.store().writeValue("Old", "", "x"));
    EXPECT_TRUE(temp.store().edit([](SettingsTree& tree) {
        tree.removeTree("Old");
        tree.create("New\\One")->setValue("", "1");
        tree.create("New\\Two")->setValue("", "2");
        return true;
    }));
    EXPECT_FALSE(temp.store().keyExists("Old"));
    EXPECT_EQ(temp.store().readValue("New\\One", ""), "1");
    EXPECT_EQ(temp.store().readValue("New\\Two", ""), "2");
}

}  // namespace
}  // namespace linkrake
