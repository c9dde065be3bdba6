#include "platform/Exceptions.h"
#include "platform/RegistryHive.h"
#include "platform/RegistryText.h"
#include "settings/Settings.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

using test::TempXdgHome;

constexpr const char* kDocs = "/home/u/Documents/";

// A store loaded from a user hive holding one value below the program's key.
SettingsStore LoadedWith(const std::string& name, RegistryValue value) {
    SettingsStore store(kDocs);
    const Setting* s = store.find(name);
    RegistryKey root;
    root.createKey(std::string(SettingsStore::kRootKey) + "\\" + s->keyPath())
        ->setValue(s->valueName(), std::move(value));
    EXPECT_TRUE(store.load(root));
    return store;
}

TEST(SettingsTable, EverySettingOnceAndOnlyOfItsClass) {
    SettingsStore store(kDocs);
    std::set<std::string> names;
    for (const auto& s : store.all())
        EXPECT_TRUE(names.insert(s->name()).second) << s->name();
    EXPECT_THROW(store.signedValue("Drawing.Tools.Brush.Size"), CKVException); // unsigned
    EXPECT_THROW(store.boolValue("No.Such.Setting"), CKVException);
}

// A setting's current value as it would be stored, whatever its class.
RegistryValue Written(const Setting& setting) {
    RegistryKey key;
    setting.write(key, "v");
    return *key.queryValue("v");
}

std::string LoadedText(const std::string& name, RegistryValue value) {
    return Written(*LoadedWith(name, std::move(value)).find(name)).text();
}

TEST(SettingsLoad, EachClassAcceptsOnlyItsOwnForm) {
    const struct {
        const char* name;
        RegistryValue stored;
        const char* expected;
    } cases[] = {
        // A text for a switch is ignored; any non-zero double word is on.
        {"Project.File.EmbedThumbnails", RegistryValue::string("0"), "\x01"},
        {"Project.File.RelaxedChecks", RegistryValue::dword(0x100), "\x01"},
        // Numbers parse like scanf: leading blanks and sign, trailing junk ignored.
        {"Panels.Preview.Body.ClientHeight", RegistryValue::string("-7"), "-7"},
        {"Panels.Preview.Body.ClientHeight", RegistryValue::string("  42px"), "42"},
        {"Panels.Preview.Body.ClientHeight", RegistryValue::string("abc"), "256"},
        // Colours need all four fields and saturate; a rejected text keeps the default.
        {"Drawing.Colors.Primary", RegistryValue::string(" 10, 20, 30: 40"), "10,20,30:40"},
        {"Drawing.Colors.Primary", RegistryValue::string("300,0,0:999"), "255,0,0:255"},
        {"Drawing.Colors.Primary", RegistryValue::string("1,2,3"), "0,0,0:255"},
        // Texts come from any type of value.
        {"Export.Format.Plugin", RegistryValue::binary(std::string("bmp\0junk", 8)), "bmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadedText(c.name, c.stored), c.expected) << c.name << " = " << c.stored.text();
}

// One row per rule; the limits themselves are a table in the store.
TEST(SettingsLoad, LimitsApplyAfterLoading) {
    const struct {
        const char* name;
        const char* stored;
        std::int64_t expected;
    } cases[] = {
        {"Limits.Undo.MaxDepth", "0", 1},
        {"Limits.Undo.MaxDepth", "5000", 1000},
        {"Limits.Undo.MaxDepth", "-20", 1},         // compared signed
        {"Limits.Undo.MinDepth", "999999", 999999}, // no upper bound
        {"Drawing.Tools.MagicWand.Tolerance", "300", 255},
        {"Drawing.Tools.Pencil.Size", "0", 1},
        {"Drawing.Tools.Brush.Size", "-1", 100},   // unsigned: -1 is the largest value
        {"Drawing.Tools.Text.Font.Style", "4", 0}, // back to the default
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadedText(c.name, RegistryValue::string(c.stored)), std::to_string(c.expected))
            << c.name << " = " << c.stored;
}

TEST(SettingsSave, ChangedOnlySettingsAppearOnlyWhenChanged) {
    RegistryKey root;
    SettingsStore store(kDocs);
    auto stored = [&root]() -> const RegistryValue* {
        const RegistryKey* k = root.openKey("SOFTWARE\\Dunmere\\Korvane\\Timings");
        return k ? k->queryValue("AutoScrollInterval") : nullptr;
    };
    store.unsignedSetting("Timings.AutoScrollInterval").setValue(150);
    store.save(root);
    ASSERT_NE(stored(), nullptr);
    EXPECT_EQ(*stored(), RegistryValue::string("150"));
    store.unsignedSetting("Timings.AutoScrollInterval").setValue(100);
    store.save(root);
    EXPECT_EQ(stored(), nullptr);
    // Settings saved always are written even at their defaults.
    const RegistryKey* brush = root.openKey("SOFTWARE\\Dunmere\\Korvane\\Drawing\\Tools\\Brush");
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(*brush->queryValue("Size"), RegistryValue::string("8"));
    EXPECT_EQ(root.openKey("SOFTWARE\\Dunmere\\Korvane\\Limits"), nullptr);
}

// Gives every setting a value other than its default, different per setting.
void ChangeEverything(SettingsStore& store) {
    std::uint32_t n = 3;
    for (const auto& s : store.all()) {
        ++n;
        if (auto* i = dynamic_cast<SignedSetting*>(s.get()))
            i->setValue(i->defaultValue() == 20 ? 21 : 20); // inside every limit
        else if (auto* u = dynamic_cast<UnsignedSetting*>(s.get()))
            u->setValue(u->defaultValue() == 2 ? 3 : 2);
        else if (auto* b = dynamic_cast<BoolSetting*>(s.get()))
            b->setValue(!b->defaultValue());
        else if (auto* c = dynamic_cast<ColorSetting*>(s.get()))
            c->setValue(MakeColor32(n, 255 - n, n * 2, 255 - n * 3));
        else if (auto* t = dynamic_cast<TextSetting*>(s.get()))
            t->setValue("/x/\"y\" \\ " + std::to_string(n) + "\n");
        ASSERT_FALSE(s->isDefault()) << s->name();
    }
}

TEST(SettingsFile, EverySettingSurvivesTheUserHive) {
    TempXdgHome home;
    SettingsStore original(kDocs);
    ChangeEverything(original);
    ASSERT_TRUE(original.saveToRegistry());
    SettingsStore loaded(kDocs);
    ASSERT_TRUE(loaded.loadFromRegistry());
    for (std::size_t i = 0; i < original.all().size(); ++i)
        EXPECT_EQ(Written(*original.all()[i]), Written(*loaded.all()[i]))
            << original.all()[i]->name();
    // Saving again keeps values that belong to nobody in the program.
    {
        RegistryHive hive(HiveId::CurrentUser);
        hive.root().createKey("SOFTWARE\\Other")->setValue("x", RegistryValue::dword(1));
        ASSERT_TRUE(hive.save());
    }
    ASSERT_TRUE(loaded.saveToRegistry());
    const std::string text = TempXdgHome::readFile(RegistryHive::filePath(HiveId::CurrentUser));
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\SOFTWARE\\Other]"), std::string::npos);
}

TEST(ProcessSettings, AreCreatedLoadedSavedAndDestroyed) {
    TempXdgHome home;
    DestroySettings();
    EXPECT_THROW(Settings(), CKVException);
    CreateSettings({0, 0, 1920, 1080});
    EXPECT_FALSE(LoadSettings()); // nothing stored yet
    Settings().signedSetting("Limits.Undo.MaxDepth").setValue(250);
    EXPECT_TRUE(SaveSettings());
    CreateSettings();
    EXPECT_EQ(Settings().signedValue("Limits.Undo.MaxDepth"), 100);
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().signedValue("Limits.Undo.MaxDepth"), 250);
    DestroySettings();
}

} // namespace
} // namespace kv
