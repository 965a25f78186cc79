// The four registry operations and their results, on the real store in a temporary folder.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>

#include "TempSettings.h"
#include "registry/SettingsLocation.h"
#include "sources/CRegistryAccess.h"

namespace linkrake {
namespace {

using test::TempSettings;

// The store the read operations look at.
void prepare(const TempSettings& temp) {
    SettingsStore store = temp.store();
    ASSERT_TRUE(store.edit([](SettingsTree& tree) {
        tree.create("Root\\Text")->setValue("", "http://Example.com/Page");
        tree.create("Root\\Text")->setValue("Named", "named text");
        tree.create("Root\\NoValues");
        tree.create("Root\\OnlyNamed")->setValue("Other", "x");
        tree.create("Root\\Empty")->setValue("", "");
        tree.create("Root\\Nul")->setValue("", std::string("before\0after", 12));
        tree.create("Root\\Umlaut")->setValue("", "http://\xc3\xa4.example/STRASSE");
        return true;
    }));
}

enum class Op { KeyExists, ValueEqualsCase, ValueEqualsNoCase, Read };

struct ReadCase {
    const char* label;
    Op op;
    const char* path;
    const char* name;
    std::string text;                        // what ValueEquals compares
    std::variant<bool, std::string> result;  // truth value, or the text ReadStringValue gives
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.label; }

class RegistryReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RegistryReadTest, GivesTheResultOfTheTable) {
    TempSettings temp;
    prepare(temp);
    const std::string before = temp.fileBytes();
    const ReadCase& c = GetParam();
    CRegistryAccess registry(temp.store());
    switch (c.op) {
    case Op::KeyExists:
        EXPECT_EQ(registry.KeyExists(HKEY_CURRENT_USER, c.path), std::get<bool>(c.result));
        break;
    case Op::ValueEqualsCase:
        EXPECT_EQ(registry.ValueEquals(HKEY_CURRENT_USER, c.path, c.name, c.text, true), std::get<bool>(c.result));
        break;
    case Op::ValueEqualsNoCase:
        EXPECT_EQ(registry.ValueEquals(HKEY_CURRENT_USER, c.path, c.name, c.text, false), std::get<bool>(c.result));
        break;
    case Op::Read:
        EXPECT_EQ(registry.ReadStringValue(HKEY_CURRENT_USER, c.path, c.name), std::get<std::string>(c.result));
        break;
    }
    // Looking changes nothing.
    EXPECT_EQ(temp.fileBytes(), before);
}

const std::string kPage = "http://Example.com/Page";

INSTANTIATE_TEST_SUITE_P(
    Operations, RegistryReadTest,
    ::testing::Values(
        ReadCase{"KeyExists", Op::KeyExists, "Root\\Text", "", "", true},
        ReadCase{"KeyExistsOtherCase", Op::KeyExists, "ROOT\\text", "", "", true},
        ReadCase{"KeyExistsWithoutValues", Op::KeyExists, "Root\\NoValues", "", "", true},
        ReadCase{"KeyExistsParent", Op::KeyExists, "Root", "", "", true},
        ReadCase{"KeyMissing", Op::KeyExists, "Root\\Missing", "", "", false},
        ReadCase{"KeyBelowMissing", Op::KeyExists, "Missing\\Text", "", "", false},
        ReadCase{"KeyBadPath", Op::KeyExists, "Root\\\\Text", "", "", false},

        ReadCase{"EqualsExactly", Op::ValueEqualsCase, "Root\\Text", "", kPage, true},
        ReadCase{"CaseMatters", Op::ValueEqualsCase, "Root\\Text", "", "http://example.com/page", false},
        ReadCase{"CaseIgnored", Op::ValueEqualsNoCase, "Root\\Text", "", "HTTP://EXAMPLE.COM/PAGE", true},
        ReadCase{"CaseIgnoredLower", Op::ValueEqualsNoCase, "Root\\Text", "", "http://example.com/page", true},
        ReadCase{"CaseIgnoredOtherText", Op::ValueEqualsNoCase, "Root\\Text", "", "http://example.com/pages", false},
        ReadCase{"CaseIgnoredPrefix", Op::ValueEqualsNoCase, "Root\\Text", "", "http://example.com/pag", false},
        ReadCase{"TrailingBlankCounts", Op::ValueEqualsNoCase, "Root\\Text", "", kPage + " ", false},
        ReadCase{"OnlyAsciiLettersFold", Op::ValueEqualsNoCase, "Root\\Umlaut", "", "http://\xc3\x84.example/strasse",
                 false},
        ReadCase{"AsciiFoldsBesideUtf8", Op::ValueEqualsNoCase, "Root\\Umlaut", "", "HTTP://\xc3\xa4.EXAMPLE/strasse",
                 true},
        ReadCase{"NamedValue", Op::ValueEqualsNoCase, "Root\\Text", "NAMED", "Named Text", true},
        ReadCase{"EqualsEmpty", Op::ValueEqualsNoCase, "Root\\Empty", "", "", true},
        ReadCase{"EqualsUpToNul", Op::ValueEqualsCase, "Root\\Nul", "", "before", true},
        ReadCase{"EqualsNotPastNul", Op::ValueEqualsCase, "Root\\Nul", "", std::string("before\0after", 12), false},
        ReadCase{"EqualsNoDefaultValue", Op::ValueEqualsNoCase, "Root\\NoValues", "", "", false},
        ReadCase{"EqualsMinusOneOfUnreadable", Op::ValueEqualsNoCase, "Root\\OnlyNamed", "", "-1", false},
        ReadCase{"EqualsMissingKey", Op::ValueEqualsNoCase, "Root\\Missing", "", "", false},

        ReadCase{"ReadsDefault", Op::Read, "root\\TEXT", "", "", kPage},
        ReadCase{"ReadsNamed", Op::Read, "Root\\Text", "named", "", std::string("named text")},
        ReadCase{"ReadsEmpty", Op::Read, "Root\\Empty", "", "", std::string()},
        ReadCase{"ReadsUpToNul", Op::Read, "Root\\Nul", "", "", std::string("before")},
        ReadCase{"ReadNoValues", Op::Read, "Root\\NoValues", "", "", std::string("-1")},
        ReadCase{"ReadNoDefault", Op::Read, "Root\\OnlyNamed", "", "", std::string("-1")},
        ReadCase{"ReadMissingName", Op::Read, "Root\\Text", "Missing", "", std::string("-1")},
        ReadCase{"ReadMissingKey", Op::Read, "Root\\Missing", "", "", std::string("-1")}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.label); });

TEST(CRegistryAccessTest, WriteMakesTheKeyWithEveryKeyAboveIt) {
    TempSettings temp;
    CRegistryAccess registry(temp.store());
    EXPECT_TRUE(registry.WriteStringValue(HKEY_CURRENT_USER, "A\\B\\C", "", "first"));
    EXPECT_TRUE(registry.KeyExists(HKEY_CURRENT_USER, "A"));
    EXPECT_TRUE(registry.KeyExists(HKEY_CURRENT_USER, "A\\B"));
    EXPECT_EQ(registry.ReadStringValue(HKEY_CURRENT_USER, "A\\B\\C", ""), "first");
    // The keys above get no values of their own.
    EXPECT_EQ(registry.ReadStringValue(HKEY_CURRENT_USER, "A\\B", ""), "-1");

    EXPECT_TRUE(registry.WriteStringValue(HKEY_CURRENT_USER, "a\\b\\c", "", "second"));
    EXPECT_TRUE(registry.WriteStringValue(HKEY_CURRENT_USER, "A\\B\\C", "Named", "third"));
    EXPECT_EQ(registry.ReadStringValue(HKEY_CURRENT_USER, "A\\B\\C", ""), "second");
    EXPECT_EQ(registry.ReadStringValue(HKEY_CURRENT_USER, "A\\B\\C", "named"), "third");
}

TEST(CRegistryAccessTest, WriteStoresTheTextUpToItsFirstNul) {
    TempSettings temp;
    CRegistryAccess registry(temp.store());
    EXPECT_TRUE(registry.WriteStringValue(HKEY_CURRENT_USER, "A", "", std::string("kept\0dropped", 12)));
    EXPECT_EQ(temp.store().readValue("A", ""), "kept");
}

TEST(CRegistryAccessTest, WriteReportsAStoreThatCannotBeWritten) {
    TempSettings temp;
    const std::filesystem::path notAFolder = temp.folder() / "file";
    std::ofstream(notAFolder) << "x";
    CRegistryAccess registry{SettingsStore(notAFolder)};
    EXPECT_FALSE(registry.WriteStringValue(HKEY_CURRENT_USER, "A", "", "x"));
    EXPECT_FALSE(registry.KeyExists(HKEY_CURRENT_USER, "A"));
    EXPECT_EQ(registry.ReadStringValue(HKEY_CURRENT_USER, "A", ""), "-1");
    EXPECT_FALSE(registry.WriteStringValue(HKEY_CURRENT_USER, "A\\\\B", "", "x")) << "unusable path";
}

TEST(CRegistryAccessTest, WithoutAStoreGivenItUsesTheUsersStore) {
    TempSettings temp;
    setDefaultSettingsFolder(temp.folder());
    struct Reset {
        ~Reset() { setDefaultSettingsFolder({}); }
    } reset;
    EXPECT_TRUE(CRegistryAccess().WriteStringValue(HKEY_CURRENT_USER, "A", "", "x"));
    EXPECT_EQ(temp.store().readValue("A", ""), "x");
    EXPECT_TRUE(CRegistryAccess().KeyExists(HKEY_CURRENT_USER, "a"));
}

}  // namespace
}  // namespace linkrake
