// Where the user's store lives: the configuration folder of the desktop's rules, or the folder a
// process moved it to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "registry/SettingsLocation.h"
#include "registry/SettingsStore.h"
#include "support/TempDir.h"

namespace linkrake {
namespace {

namespace fs = std::filesystem;

// Sets or clears one environment variable for the length of a test.
class EnvGuard {
public:
    EnvGuard(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_saved = old;
        }
        set(value);
    }
    ~EnvGuard() { set(m_saved); }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    void set(const std::optional<std::string>& value) {
        if (value) {
            setenv(m_name, value->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

    const char* m_name;
    std::optional<std::string> m_saved;
};

struct LocationCase {
    const char* label;
    std::optional<std::string> xdgConfigHome;  // relative to the test's folder when not absolute
    bool xdgIsAbsolute;
    std::string expected;  // relative to the test's folder
};

void PrintTo(const LocationCase& c, std::ostream* out) { *out << c.label; }

class SettingsLocationTest : public ::testing::TestWithParam<LocationCase> {};

TEST_P(SettingsLocationTest, FollowsXdgConfigHomeElseTheHomeFolder) {
    const testing::TempDir dir;
    const LocationCase& c = GetParam();
    std::optional<std::string> xdg = c.xdgConfigHome;
    if (xdg && c.xdgIsAbsolute) {
        xdg = (dir.Path() / *xdg).string();
    }
    const EnvGuard home("HOME", (dir.Path() / "home").string());
    const EnvGuard config("XDG_CONFIG_HOME", xdg);
    setDefaultSettingsFolder({});

    EXPECT_EQ(defaultSettingsFolder(), dir.Path() / c.expected);
    EXPECT_EQ(SettingsStore().file(), dir.Path() / c.expected / kSettingsFileName);

    // The store made without a folder really writes there.
    ASSERT_TRUE(SettingsStore().writeValue("Software\\Morvane", "", "here"));
    EXPECT_TRUE(fs::is_regular_file(dir.Path() / c.expected / kSettingsFileName));
    EXPECT_EQ(SettingsStore(dir.Path() / c.expected).readValue("software\\morvane", ""), "here");
}

INSTANTIATE_TEST_SUITE_P(
    Environments, SettingsLocationTest,
    ::testing::Values(LocationCase{"XdgConfigHome", "xdg", true, "xdg/Morvane"},
                      LocationCase{"NoXdgConfigHome", std::nullopt, false, "home/.config/Morvane"},
                      LocationCase{"EmptyXdgConfigHome", "", false, "home/.config/Morvane"},
                      LocationCase{"RelativeXdgConfigHome", "relative/cfg", false, "home/.config/Morvane"}),
    [](const ::testing::TestParamInfo<LocationCase>& info) { return std::string(info.param.label); });

TEST(SettingsLocationOverrideTest, AProcessCanMoveItsStoreAndComeBack) {
    const testing::TempDir dir;
    const EnvGuard config("XDG_CONFIG_HOME", (dir.Path() / "xdg").string());
    setDefaultSettingsFolder(dir.Path() / "elsewhere");
    EXPECT_EQ(SettingsStore().file(), dir.Path() / "elsewhere" / kSettingsFileName);
    setDefaultSettingsFolder({});
    EXPECT_EQ(SettingsStore().file(), dir.Path() / "xdg" / "Morvane" / kSettingsFileName);
}

}  // namespace
}  // namespace linkrake
