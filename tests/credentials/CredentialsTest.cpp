#include "core/credentials/CredentialStore.h"
#include "core/credentials/ManagerPassword.h"
#include "core/credentials/SecretHash.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sodium.h>

namespace tc::test {
namespace {

namespace fs = std::filesystem;

bool passwordIs(const TempDir& base, const std::string& typed) {
    bool matches = true;
    const Status st = ManagerPassword::check(realFiles(), base.path(), typed, matches);
    EXPECT_TRUE(st) << st.message();
    return matches;
}

TEST(ManagerPassword, TheFirstOneWorksUntilChangedThenOnlyTheNewOne) {
    TempDir base;
    for (auto [typed, right] : {std::pair{"qm482", true}, {"QM482", false}, {"qm482 ", false}, {"", false}})
        EXPECT_EQ(passwordIs(base, typed), right) << typed;

    // One change after another; a refused one writes nothing.
    const struct {
        const char *old, *fresh, *again, *outcome;
    } changes[] = {
        {"qm483", "Back door 7", "Back door 7", "Wrong Password"},
        {"qm482", "Back door 7", "Back door 8", "The new password and its repetition differ."},
        {"qm482", "short 7", "short 7", "The new password must have at least 8 characters."},
        // Seven letters in UTF-8 take fourteen bytes: still seven characters.
        {"qm482", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
         "The new password must have at least 8 characters."},
        {"qm482", "Back door 7", "Back door 7", "changed"},
        // Changed again, from the new one; the old first one is no way in.
        {"qm482", "Front door 9", "Front door 9", "Wrong Password"},
        {"Back door 7", "Front door 9", "Front door 9", "changed"},
    };
    const std::string file = ManagerPassword::path(base.path());
    for (const auto& c : changes) {
        const std::string before = readFile(file);
        const Status st = ManagerPassword::change(realFiles(), base.path(), c.old, c.fresh, c.again);
        EXPECT_EQ(st ? "changed" : st.message(), c.outcome) << c.fresh;
        EXPECT_EQ(readFile(file) != before, bool(st));
    }
    const std::string stored = readFile(file);
    EXPECT_EQ(stored.rfind("$argon2id$", 0), 0u) << stored;
    EXPECT_EQ(stored.find("Front door 9"), std::string::npos);
    EXPECT_FALSE(passwordIs(base, "front door 9"));
    EXPECT_TRUE(passwordIs(base, "Front door 9"));
    // The owner's way back: the file deleted, the first password again.
    fs::remove(file);
    EXPECT_TRUE(passwordIs(base, "qm482"));
}

TEST(ManagerPassword, AHashMadeWithTheSameSaltTwiceDiffersAndAForeignCostIsRefused) {
    const auto a = SecretHash::make("1234"), b = SecretHash::make("1234");
    ASSERT_TRUE(a && b);
    EXPECT_NE(*a, *b);
    EXPECT_TRUE(SecretHash::matches(*a, "1234"));
    // A right hash of another cost is never worked out: a planted one could
    // ask for any amount of memory, or be cheap to guess.
    char cheap[crypto_pwhash_STRBYTES];
    ASSERT_EQ(crypto_pwhash_str(cheap, "1234", 4, crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN), 0);
    ASSERT_EQ(crypto_pwhash_str_verify(cheap, "1234", 4), 0);
    EXPECT_FALSE(SecretHash::matches(cheap, "1234"));
}

// Odd things planted at each path that holds hashes: refused by name, nobody
// let in, nothing waited on, nothing read beyond the limit.
TEST(SecretFiles, ALinkOrAHugeFileIsRefused) {
    const struct {
        const char* what;
        void (*plant)(const std::string& path, const std::string& outside);
        const char* told;
    } planted[] = {
        {"link", [](auto& path, auto& outside) { fs::create_symlink(outside, path); }, "it is a link"},
        {"huge", [](auto& path, auto&) { writeFile(path, ""), fs::resize_file(path, 3ull << 30); },
         "larger than 65536 bytes"},
    };
    for (const auto& p : planted) {
        SCOPED_TRACE(p.what);
        TempDir base, other;
        // What a link would lead to: a hash of a password someone knows, and
        // a PIN store of his own.
        const std::string outside = other.file("hash");
        writeFile(outside, *SecretHash::make("planted password") + "\n");
        p.plant(ManagerPassword::path(base.path()), outside);
        bool matches = true;
        for (const char* typed : {"planted password", "qm482"}) {
            const Status st = ManagerPassword::check(realFiles(), base.path(), typed, matches);
            EXPECT_FALSE(matches);
            EXPECT_NE(st.message().find(p.told), std::string::npos) << st.message();
        }
        EXPECT_FALSE(ManagerPassword::change(realFiles(), base.path(), "qm482", "whatever 1", "whatever 1"));

        CredentialStore store;
        ASSERT_TRUE(store.setPin("Ann Baker", "1234"));
        ASSERT_TRUE(store.save(realFiles(), other.path()));
        p.plant(CredentialStore::path(base.path()), CredentialStore::path(other.path()));
        const Status st = store.load(realFiles(), base.path());
        EXPECT_NE(st.message().find(p.told), std::string::npos) << st.message();
        EXPECT_FALSE(store.hasPin("Ann Baker"));
    }
}

TEST(CredentialStore, PinsAndCardsAreKeptAsHashesAndNumbersOnly) {
    TempDir base;
    CredentialStore store;
    ASSERT_TRUE(store.load(realFiles(), base.path())); // none yet
    for (const char* pin : {"123", "123456789", "12a4"})
        EXPECT_EQ(store.setPin("Ann Baker", pin).message(), "A PIN is 4 to 8 digits.") << pin;
    for (const char* pin : {"4711", "90817263"})
        EXPECT_TRUE(store.setPin("Ann Baker", pin)) << pin;
    ASSERT_TRUE(store.setPin("Lee Chan", "4711"));
    ASSERT_TRUE(store.setCard("Lee Chan", "0004711234"));
    EXPECT_EQ(store.setCard("Ann Baker", "0004711234").message(), "This card is already given to Lee Chan.");
    EXPECT_EQ(store.setCard("Ann Baker", "12 34").message(), "A card number is 1 to 32 letters and digits.");
    EXPECT_EQ(store.setPin("Tab\there", "4711").message(),
              "This employee's name cannot be kept with a PIN or card (it is empty or holds a TAB).");
    ASSERT_TRUE(store.save(realFiles(), base.path()));

    const std::string bytes = readFile(CredentialStore::path(base.path()));
    for (const char* secret : {"4711\n", "\t4711", "90817263"})
        EXPECT_EQ(bytes.find(secret), std::string::npos) << secret;
    EXPECT_EQ(bytes.rfind("timeclock-credentials\t1\npin\tAnn Baker\t$argon2id$", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("\ncard\tLee Chan\t0004711234\n"), std::string::npos);

    CredentialStore again;
    ASSERT_TRUE(again.load(realFiles(), base.path()));
    const struct {
        const char *name, *pin;
        bool right;
    } tries[] = {{"Ann Baker", "90817263", true}, {"Ann Baker", "4711", false}, {"Lee Chan", "4711", true},
                 {"Lee Chan", "47110", false},    {"Kim Hale", "4711", false},  {"Ann Baker", "", false}};
    for (const auto& t : tries)
        EXPECT_EQ(again.pinMatches(t.name, t.pin), t.right) << t.name << " " << t.pin;
    EXPECT_EQ(again.nameForCard("0004711234"), "Lee Chan");
    EXPECT_EQ(again.nameForCard("000471123"), std::nullopt);

    // A damaged file is named and nothing of it is taken.
    writeFile(CredentialStore::path(base.path()), bytes + "pin\tKim Hale\n");
    const Status st = again.load(realFiles(), base.path());
    EXPECT_NE(st.message().find("is damaged"), std::string::npos) << st.message();
    EXPECT_FALSE(again.hasPin("Ann Baker"));
}

} // namespace
} // namespace tc::test
