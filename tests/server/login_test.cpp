// Operator log-in and POS staff sign-in: condition texts read as data, salted hashes checked.
#include "server/engine/accounts.h"
#include "server/engine/request.h"
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {
namespace {

class Login : public EngineTest {
protected:
    std::vector<std::string> logIn(const std::string& user, const std::string& password) {
        outbox.clear();
        say(1, "||F-LOGIN||Username = '" + user + "' and Password = '" + password + "'||");
        return sentTo(1);
    }
    void SetUp() override { connect(1); }
};

TEST_F(Login, AcceptedLoginSendsRightsThenShutDownPermissionThenAcceptanceEachOnItsOwn) {
    EXPECT_EQ(logIn("ADMINISTRATOR", "admin"),
              (std::vector<std::string>{"||TYPE||ADMINISTRATOR||", "||SHUTREST||False||",
                                        "||F-LOGIN||TRUE||"}));
    EXPECT_EQ(logIn("CLERK", "clerk")[0], "||TYPE||USER||");
    EXPECT_EQ(logIn("GUEST", "guest")[0], "||TYPE||VIEWER||");
}

TEST_F(Login, TheUserNameIsReadWithoutRegardToCaseButThePasswordIsExact) {
    EXPECT_EQ(logIn("clerk", "clerk").back(), "||F-LOGIN||TRUE||");
    EXPECT_EQ(logIn("CLERK", "CLERK"), std::vector<std::string>{"||F-LOGIN||FALSE||"});
}

TEST_F(Login, WrongPasswordsUnknownNamesAndMalformedTextsAreRefused) {
    const std::vector<std::string> refused = {"||F-LOGIN||FALSE||"};
    EXPECT_EQ(logIn("ADMINISTRATOR", "wrong"), refused);
    EXPECT_EQ(logIn("NOBODY", "admin"), refused);
    EXPECT_EQ(logIn("ADMINISTRATOR", ""), refused);
    for (const char* text : {"||F-LOGIN||||", "||F-LOGIN||ADMINISTRATOR admin||",
                             "||F-LOGIN||Username = 'ADMINISTRATOR'||",
                             "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin||"}) {
        connect(2);  // each on a new connection, well within the refusals answered at once
        outbox.clear();
        say(2, text);
        EXPECT_EQ(sentTo(2), refused) << text;
    }
}

TEST_F(Login, QuoteTricksInEitherFieldNeverLetAnyoneIn) {
    const std::vector<std::string> refused = {"||F-LOGIN||FALSE||"};
    EXPECT_EQ(logIn("ADMINISTRATOR", "x' or '1'='1"), refused);
    EXPECT_EQ(logIn("ADMINISTRATOR' --", "anything"), refused);
    EXPECT_EQ(logIn("ADMINISTRATOR' or '1'='1", "x' or '1'='1"), refused);
    EXPECT_EQ(logIn("ADMINISTRATOR' and Password = 'admin", "x"), refused);
    EXPECT_EQ(logIn("ADMINISTRATOR", "admin' or 'a'='a"), refused);
}

TEST_F(Login, APasswordWithQuotesAndBarsIsCheckedAsItStands) {
    store.putOperator(
        Operator{"ODD", "USER", HashPassword("it's||a 'test'", PasswordCost::Minimal)});
    EXPECT_EQ(logIn("ODD", "it's||a 'test'").back(), "||F-LOGIN||TRUE||");
    EXPECT_EQ(logIn("ODD", "it's||a 'test"), std::vector<std::string>{"||F-LOGIN||FALSE||"});
}

TEST_F(Login, AnAccountWithAnUnknownRightsLevelCannotLogIn) {
    store.putOperator(Operator{"ROOT", "SUPERUSER", HashPassword("root", PasswordCost::Minimal)});
    EXPECT_EQ(logIn("ROOT", "root"), std::vector<std::string>{"||F-LOGIN||FALSE||"});
}

TEST_F(Login, NoPasswordEverReachesTheLog) {
    logIn("ADMINISTRATOR", "admin");
    logIn("ADMINISTRATOR", "s3cret-guess");
    say(1, "||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    for (const std::string& line : logLines) {
        EXPECT_EQ(line.find("admin'"), std::string::npos) << line;
        EXPECT_EQ(line.find("s3cret"), std::string::npos) << line;
        EXPECT_EQ(line.find("'john'"), std::string::npos) << line;
    }
}

TEST_F(Login, StaffSignInAnswersTrueOrFalse) {
    outbox.clear();
    say(1, "||F-POSLOG||Username = 'john' and Password = 'john'||");
    EXPECT_EQ(sentTo(1), std::vector<std::string>{"||F-POSLOG||TRUE||"});
    outbox.clear();
    say(1, "||F-POSLOG||Username = 'MARY' and Password = 'john'||");
    say(1, "||F-POSLOG||Username = 'ADMINISTRATOR' and Password = 'admin'||");
    say(1, "||F-POSLOG||Username = 'MARY' and Password = '' or ''=''||");
    EXPECT_EQ(sentTo(1), std::vector<std::string>(3, "||F-POSLOG||FALSE||"));
}

TEST_F(Login, ARefusedTryLeavesTheConnectionWithoutTheOperatorOrStaffAnEarlierOneLetIn) {
    logIn("ADMINISTRATOR", "admin");
    say(1, "||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    logIn("ADMINISTRATOR", "wrong");
    outbox.clear();
    say(1, "||F-ALLOCATE||600||FALSE||0||");
    say(1, "||F-REPORTSUMMARY||5-3-2026||");
    say(1, "||F-UPDATEPOS||JOHN||");
    EXPECT_EQ(sentTo(1), (std::vector<std::string>{"||NOREPORTSUMMARY||||",
                                                   "||KESTOVAUPDATE||0||02:30PM 05-Mar-26||0.00||"
                                                   "1||1||1||0||1||0||1||0||"}))
        << "no allocation; the staff member stays signed in";

    say(1, "||F-POSLOG||Username = 'JOHN' and Password = 'wrong'||");
    outbox.clear();
    say(1, "||F-UPDATEPOS||JOHN||");
    EXPECT_TRUE(sentTo(1).empty()) << "nobody is signed in there";
}

TEST(ConditionText, SplitsAtTheFirstSeparatorAndEndsAtTheLastQuote) {
    const auto plain = ParseConditionText("Username = 'A' and Password = 'b'");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->user, "A");
    EXPECT_EQ(plain->password, "b");

    const auto quoted = ParseConditionText("username = 'A' AND password = 'x' or 'a'='a'");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->password, "x' or 'a'='a");

    const auto empty = ParseConditionText("Username = '' and Password = ''");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->user, "");
    EXPECT_EQ(empty->password, "");

    EXPECT_FALSE(ParseConditionText("Password = 'b' and Username = 'A'"));
    EXPECT_FALSE(ParseConditionText("Username = 'A' and Password = 'b"));
    EXPECT_FALSE(ParseConditionText("x Username = 'A' and Password = 'b'"));
}

TEST(PasswordHash, Sha256MatchesThePublishedVectors) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    // Two blocks of padding: a message of exactly 64 bytes.
    EXPECT_EQ(Sha256Hex(std::string(64, 'a')),
              "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
}

// What a database of an earlier version holds: SHA-256 stretched over 10,000 rounds, salted.
const PasswordHash kOlderAdmin{"00112233445566778899aabbccddeeff",
                               "d2d34c291d773cbde0a53e271d62af20655361243fe6e20e4f3ad86ac1a34bc2"};

TEST(PasswordHash, EachHashHasItsOwnSaltAndOnlyTheRightPasswordVerifies) {
    const PasswordHash argon = HashPassword("admin", PasswordCost::Minimal);
    EXPECT_TRUE(argon.hash.starts_with("$argon2id$") && argon.salt.empty()) << argon.hash;
    EXPECT_NE(argon, HashPassword("admin", PasswordCost::Minimal));
    EXPECT_EQ(LegacyPasswordHash("admin", kOlderAdmin.salt), kOlderAdmin);
    const struct {
        std::string password;
        PasswordHash stored;
        bool verifies;
    } kChecks[] = {{"admin", argon, true},
                   {"Admin", argon, false},
                   {"admin", HashPassword("admin"), true},  // the interactive cost
                   {"admin", kOlderAdmin, true},
                   {"admin ", kOlderAdmin, false},
                   {"admin", {"", "$argon2id$garbage"}, false},
                   {"admin", {"salt", argon.hash}, false},
                   {"admin", {}, false}};
    for (const auto& check : kChecks) {
        EXPECT_EQ(VerifyPassword(check.password, check.stored), check.verifies)
            << check.password << " against " << check.stored.salt << check.stored.hash;
    }
}

TEST(PasswordHash, AMatchRenewsAnOlderHashOrOneOfOtherLimitsAsArgon2id) {
    const PasswordHash cheap = HashPassword("pw", PasswordCost::Minimal);
    EXPECT_FALSE(CheckPassword("pw", cheap, PasswordCost::Minimal).renewed);
    EXPECT_FALSE(CheckPassword("wrong", kOlderAdmin, PasswordCost::Minimal).renewed);
    const auto renewed = CheckPassword("admin", kOlderAdmin, PasswordCost::Minimal).renewed;
    ASSERT_TRUE(renewed);
    EXPECT_TRUE(renewed->hash.starts_with("$argon2id$") && VerifyPassword("admin", *renewed));
    const auto stronger = CheckPassword("pw", cheap, PasswordCost::Interactive).renewed;
    ASSERT_TRUE(stronger);
    EXPECT_FALSE(CheckPassword("pw", *stronger, PasswordCost::Interactive).renewed);
}

}  // namespace
}  // namespace zarnevo::testing
