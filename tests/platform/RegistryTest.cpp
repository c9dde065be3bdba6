#include "platform/RegistryHive.h"
#include "platform/RegistryText.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <thread>

namespace kv {
namespace {

using test::TempXdgHome;

// A tree with every kind of value and the awkward texts a hand-edited or
// machine-written hive holds.
void FillSample(RegistryKey& root) {
    RegistryKey* k = root.createKey("SOFTWARE\\Dunmere\\Korvane\\Drawing");
    k->setValue("Quotes", RegistryValue::string("say \"hi\" C:\\dir\\"));
    k->setValue("Empty", RegistryValue::string(""));
    k->setValue("Utf8", RegistryValue::string("gr\xC3\xBC\xC3\x9F"));
    k->setValue("", RegistryValue::string("default value"));
    k->setValue("Flag", RegistryValue::dword(0xDEADBEEF));
    k->setValue("Name with = and ]", RegistryValue::dword(0));
    std::string blob;
    for (int i = 0; i < 100; ++i)
        blob.push_back(static_cast<char>(i * 37));
    k->setValue("Blob", RegistryValue::binary(blob));
    k->setValue("OddType", RegistryValue{static_cast<RegistryType>(7), std::string("a\0b\0\0", 5)});
    k->setValue("ShortDword", RegistryValue{RegistryType::Dword, std::string("\x01\x02", 2)});
    root.createKey("Empty\\Key [with] brackets");
}

void ExpectSameTree(const RegistryKey& a, const RegistryKey& b) {
    EXPECT_EQ(a.values(), b.values()) << a.name();
    ASSERT_EQ(a.subkeyNames(), b.subkeyNames()) << a.name();
    for (std::size_t i = 0; i < a.subkeys().size(); ++i)
        ExpectSameTree(*a.subkeys()[i], *b.subkeys()[i]);
}

// Key and value names match without regard to case everywhere. Invalid key
// names make nothing, not even the valid part before them.
TEST(RegistryKey, KeysAndValuesAreCreatedOnceFoundWithoutCaseAndDeleted) {
    RegistryKey root;
    RegistryKey* brush = root.createKey("Drawing\\Tools\\Brush");
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(root.createKey("drawing\\TOOLS\\brush"), brush);
    EXPECT_EQ(root.openKey("DRAWING\\tools\\Brush"), brush);
    for (const char* bad : {"", "A\\\\B", "\\A", "A\\", "Tab\there"})
        EXPECT_EQ(root.createKey(bad), nullptr) << bad;
    EXPECT_EQ(root.subkeyNames(), std::vector<std::string>{"Drawing"});

    brush->setValue("Size", RegistryValue::string("8"));
    brush->setValue("Flag", RegistryValue::dword(1));
    brush->setValue("SIZE", RegistryValue::dword(9)); // overwritten in place
    ASSERT_EQ(brush->values().size(), 2u);
    EXPECT_EQ(brush->values()[0].first, "Size");
    EXPECT_EQ(brush->queryValue("size")->dwordValue(), 9u);
    EXPECT_FALSE(brush->setValue("Two\nLines", RegistryValue::dword(1)));
    EXPECT_TRUE(brush->deleteValue("flag"));

    root.createKey("Drawing\\Tools2");
    EXPECT_TRUE(root.deleteKeyTree("drawing\\tools")); // the subtree with its values, only it
    EXPECT_EQ(root.openKey("Drawing\\Tools"), nullptr);
    EXPECT_NE(root.openKey("Drawing\\Tools2"), nullptr);
}

TEST(RegistryText, EveryKindOfValueSurvivesTheRoundTrip) {
    RegistryKey original;
    FillSample(original);
    const std::string text = FormatRegistryText(original, "HKEY_CURRENT_USER");
    RegistryKey parsed;
    std::string error;
    ASSERT_TRUE(ParseRegistryText(text, "HKEY_CURRENT_USER", parsed, &error)) << error << "\n"
                                                                              << text;
    ExpectSameTree(original, parsed);
    // Formatting is stable, so saving an unchanged hive rewrites the same bytes.
    EXPECT_EQ(FormatRegistryText(parsed, "HKEY_CURRENT_USER"), text);
}

TEST(RegistryText, WritesTheFamiliarExportForm) {
    RegistryKey root;
    RegistryKey* k = root.createKey("SOFTWARE\\Dunmere\\Korvane\\Timings");
    k->setValue("AutoScrollInterval", RegistryValue::string("150"));
    k->setValue("On", RegistryValue::dword(15));
    EXPECT_EQ(
        FormatRegistryText(root, "HKEY_CURRENT_USER"),
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE]\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Dunmere]\n\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Dunmere\\Korvane]\n\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Dunmere\\Korvane\\Timings]\n"
        "\"AutoScrollInterval\"=\"150\"\n\"On\"=dword:0000000f\n");
}

TEST(RegistryText, AcceptsWhatPeopleWriteByHand) {
    const std::string good = "\xEF\xBB\xBFREGEDIT4\r\n; comment\r\n\r\n"
                             "[hkey_current_user\\Software\\Dunmere]\r\n"
                             "\"Size\"=\"12\"\r\n"
                             "\"Flag\"=dword:0000ABCD\r\n"
                             "\"Bin\"=hex:01,02,\\\r\n   03\r\n";
    RegistryKey parsed;
    std::string error;
    ASSERT_TRUE(ParseRegistryText(good, "HKEY_CURRENT_USER", parsed, &error)) << error;
    const RegistryKey* k = parsed.openKey("SOFTWARE\\DUNMERE");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->queryValue("Size")->text(), "12");
    EXPECT_EQ(k->queryValue("Flag")->dwordValue(), 0xABCDu);
    EXPECT_EQ(k->queryValue("Bin")->bytes, std::string("\x01\x02\x03"));
}

TEST(RegistryText, RejectsDamagedFiles) {
    const struct {
        const char* what;
        const char* text;
    } cases[] = {
        {"other header", "Windows Registry Editor Version 5.00\n"},
        {"value before any key", "REGEDIT4\n\"v\"=\"1\"\n"},
        {"other hive", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n"},
        {"empty key name", "REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n"},
        {"unknown escape", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"a\\nb\"\n"},
        {"bad dword digit", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:0000000g\n"},
        {"bad hex byte", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=hex:01,2\n"},
        {"spaces around =", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n  \"Size\" = ignored\n"},
    };
    for (const auto& c : cases) {
        RegistryKey root;
        std::string error;
        EXPECT_FALSE(ParseRegistryText(c.text, "HKEY_CURRENT_USER", root, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

// Unparsable or oversized: the session starts empty, the file is moved
// aside untouched, and the next save writes a fresh one.
TEST(RegistryHive, ADamagedFileCountsAsEmptyAndIsKeptAside) {
    for (const std::string& junk :
         {std::string("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:zz\n"),
          "REGEDIT4\n" + std::string(RegistryHive::kMaxFileSize, ';')}) {
        SCOPED_TRACE(junk.size());
        TempXdgHome home;
        TempXdgHome::writeFile(RegistryHive::filePath(HiveId::CurrentUser), junk);
        std::string aside;
        {
            RegistryHive hive(HiveId::CurrentUser);
            EXPECT_TRUE(hive.root().subkeys().empty());
            aside = hive.corruptCopy();
            ASSERT_FALSE(aside.empty());
            hive.root().createKey("Fresh");
            ASSERT_TRUE(hive.save());
        }
        RegistryHive again(HiveId::CurrentUser);
        EXPECT_TRUE(again.corruptCopy().empty());
        EXPECT_NE(again.root().openKey("Fresh"), nullptr);
        EXPECT_TRUE(TempXdgHome::readFile(aside) == junk);
    }
}

TEST(RegistryHive, ANestedSessionInOneThreadSharesTheLock) {
    TempXdgHome home;
    RegistryHive outer(HiveId::ClassesRoot);
    outer.root().createKey("Outer");
    {
        RegistryHive inner(HiveId::ClassesRoot); // must not wait for outer
        inner.root().createKey("Inner");
        EXPECT_TRUE(inner.save());
    }
    EXPECT_TRUE(outer.save());
    RegistryHive after(HiveId::ClassesRoot);
    EXPECT_NE(after.root().openKey("Outer"), nullptr); // the last save wins
}

TEST(RegistryHive, ConcurrentSessionsNeitherTearTheFileNorLoseValues) {
    TempXdgHome home;
    constexpr int kWriters = 3, kRounds = 15;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w)
        writers.emplace_back([w] {
            for (int round = 1; round <= kRounds; ++round) {
                RegistryHive hive(HiveId::CurrentUser);
                RegistryKey* k = hive.root().createKey("Writer" + std::to_string(w));
                k->setValue("Round", RegistryValue::dword(static_cast<std::uint32_t>(round)));
                // Bulk makes a torn write likely if writes were not atomic.
                k->setValue("Bulk",
                            RegistryValue::binary(std::string(20000, static_cast<char>(w))));
                hive.save();
            }
        });
    for (auto& t : writers)
        t.join();
    RegistryHive hive(HiveId::CurrentUser);
    for (int w = 0; w < kWriters; ++w) {
        const RegistryKey* k = hive.root().openKey("Writer" + std::to_string(w));
        ASSERT_NE(k, nullptr) << w;
        EXPECT_EQ(k->queryValue("Round")->dwordValue(), static_cast<std::uint32_t>(kRounds));
    }
}

} // namespace
} // namespace kv
