// quorvel-import --update as a user runs it: over HTTPS, against a certificate made here and
// trusted through SSL_CERT_FILE, so that certificate checking stays on.

#include "UpdateTestSupport.h"

#include "support/CommandRun.h"
#include "support/SamplePrices.h"
#include "support/SqlProbe.h"

#include <gmock/gmock.h>

namespace {

using testing::HasSubstr;

class QuorvelUpdateCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteSamplePriceDatabase(m_dir.File("mtgo.mdb"));
        PublishMtgjson(m_dir.File("www"), "2026-12-01", "5.2.2+20261201",
                       Example("AllPrintings.json"), Example("AllPricesToday.json"));
        // A certificate authority of the test's own, and the server's certificate signed by it.
        Shell("cd '" + m_dir.Path().string() +
              "' && openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=test-ca "
              "-keyout ca.key -out ca.pem 2>/dev/null && openssl req -newkey rsa:2048 -nodes "
              "-subj /CN=127.0.0.1 -keyout server.key -out server.csr 2>/dev/null && printf "
              "'subjectAltName=IP:127.0.0.1' > san && openssl x509 -req -in server.csr -CA ca.pem "
              "-CAkey ca.key -CAcreateserial -days 2 -extfile san -out server.pem 2>/dev/null");
        ASSERT_TRUE(std::filesystem::exists(m_dir.File("server.pem")));
    }
    int Run(const std::string& environment, const std::string& args, std::string& out)
    {
        const CommandResult result =
            RunCommandIn(m_dir.Path(), "XDG_CACHE_HOME='" + m_dir.File("cache") + "' " +
                                           environment + " '" + QUORVEL_IMPORT_COMMAND "' " + args);
        out = result.out + result.err;
        return result.status;
    }

    TempDir m_dir;
};

TEST_F(QuorvelUpdateCommandTest, UpdatesOverHttpsWithTheCertificateTrustedAndOnlyThen)
{
    PriceServer server(m_dir.File("www"), m_dir.File("server.pem"), m_dir.File("server.key"));
    const std::string update = "--update --url " + server.Base("https");
    std::string out;
    EXPECT_EQ(Run("env -u SSL_CERT_FILE", update, out), 2) << out;
    EXPECT_THAT(out, HasSubstr("quorvel-import: Cannot download"));

    ASSERT_EQ(Run("SSL_CERT_FILE='" + m_dir.File("ca.pem") + "'", update, out), 0) << out;
    EXPECT_THAT(out, HasSubstr("Fetched AllPricesToday.json.xz ("));
    EXPECT_THAT(out, HasSubstr("1 price updated, 2 cards added in 1 new set, 1 catalogue id learnt.\n"));
    EXPECT_THAT(out, HasSubstr("Prices are up to date (MTGJSON 2026-12-01)\n"));

    ASSERT_EQ(Run("SSL_CERT_FILE='" + m_dir.File("ca.pem") + "'", update, out), 0) << out;
    EXPECT_EQ(out, "Fetched Meta.json (unchanged)\nPrices are up to date (MTGJSON 2026-12-01)\n");
}

TEST_F(QuorvelUpdateCommandTest, RefusesOptionsThatDoNotGoTogether)
{
    std::string out;
    EXPECT_EQ(Run("", "--update --source tcgplayer", out), 2);
    EXPECT_THAT(out, HasSubstr("unknown source tcgplayer"));
    EXPECT_EQ(Run("", "--update AllPrintings.json", out), 2);
    EXPECT_EQ(Run("", "--offline AllPrintings.json", out), 2);
    EXPECT_THAT(out, HasSubstr("go with --update"));
}

} // namespace
