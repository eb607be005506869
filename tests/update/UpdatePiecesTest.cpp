// The pieces of an update on their own: unpacking with its bounds, the HTTP client's bounds,
// and the published-digest text.

#include "UpdateTestSupport.h"

#include "update/CardFileDigest.h"
#include "update/HttpClient.h"
#include "update/Sha256.h"
#include "update/StreamUnpacker.h"

#include <gmock/gmock.h>

namespace {

using testing::HasSubstr;

struct UnpackCase {
    const char* name;
    const char* make; ///< shell command run in the folder, making "in" from "text"
    std::uint64_t bound;
    const char* error; ///< empty: unpacks to "text"
};

class StreamUnpackerTest : public testing::TestWithParam<UnpackCase> {};

TEST_P(StreamUnpackerTest, UnpacksOrSaysWhyNot)
{
    const UnpackCase& c = GetParam();
    TempDir dir;
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "{\"card\": " + std::to_string(i) + "},\n"; // bigger than one buffer, unpacked
    }
    Spill(dir.File("text"), text);
    Shell("cd '" + dir.Path().string() + "' && " + c.make);
    const StreamUnpacker::Result result =
        StreamUnpacker::Unpack(dir.File("in"), dir.File("out"), c.bound);
    if (std::string(c.error).empty()) {
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(ReadWholeFile(dir.File("out")), text);
        EXPECT_EQ(result.packedSha256, Sha256::OfFile(dir.File("in")));
    } else {
        EXPECT_FALSE(result.ok);
        EXPECT_THAT(result.error, HasSubstr(c.error));
        EXPECT_FALSE(std::filesystem::exists(dir.File("out"))); // nothing half-written kept
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StreamUnpackerTest,
    testing::Values(
        UnpackCase{"xz", "xz -c text > in", 1u << 30, ""},
        UnpackCase{"gzip", "gzip -c text > in", 1u << 30, ""},
        UnpackCase{"twoGzipMembers",
                   "head -c 1000 text | gzip -c > in && tail -c +1001 text | gzip -c >> in",
                   1u << 30, ""},
        UnpackCase{"plain", "cp text in", 1u << 30, ""},
        UnpackCase{"cutShort", "xz -c text | head -c 3000 > in", 1u << 30, "is cut short"},
        UnpackCase{
            "damaged",
            "xz -c text > in && printf 'XXXX' | dd of=in bs=1 seek=200 conv=notrunc 2>/dev/null",
            1u << 30, "damaged"},
        UnpackCase{"overTheBound", "xz -c text > in", 100000, "unpacks to more than"}),
    [](const testing::TestParamInfo<UnpackCase>& info) { return info.param.name; });

TEST(Sha256Test, ReadsPublishedDigestsWithOrWithoutAFileName)
{
    const std::string hex(64, 'A');
    EXPECT_EQ(Sha256::FromPublished(hex + "\n"), std::string(64, 'a'));
    EXPECT_EQ(Sha256::FromPublished(hex + "  AllPrintings.json.xz\n"), std::string(64, 'a'));
    EXPECT_EQ(Sha256::FromPublished(hex.substr(1)), "");
    EXPECT_EQ(Sha256::FromPublished("<html>" + hex), "");
    Sha256 sha;
    sha.Add("abc", 3);
    EXPECT_EQ(sha.Hex(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(HttpClientTest, AServerThatSendsWithoutEndIsStopped)
{
    TempDir dir;
    PriceServer server(dir.Path().string());
    server.Control(R"({"endless": ["/big"]})");
    HttpClient client(HttpSettings{});
    HttpRequest request;
    request.url = server.Base() + "big";
    request.maxBytes = 1u << 20;
    std::uint64_t kept = 0;
    const HttpResult result =
        client.Get(request,
                   [&kept](const char*, std::size_t size, std::uint64_t, const std::string&) {
                       kept += size;
                       return true;
                   },
                   {});
    EXPECT_THAT(result.error, HasSubstr("sent more than the 1 MB expected of it"));
    EXPECT_LE(kept, 1u << 20);
}

TEST(HttpClientTest, ResolvesAddressesAndTellsHosts)
{
    EXPECT_EQ(HttpClient::Resolve("http://a.b/api/v5/Meta.json", "x.json"),
              "http://a.b/api/v5/x.json");
    EXPECT_EQ(HttpClient::Resolve("http://a.b/api/v5/Meta.json", "/x"), "http://a.b/x");
    EXPECT_EQ(HttpClient::Resolve("https://a.b/x", "//c.d/y"), "https://c.d/y");
    EXPECT_EQ(HttpClient::Host("https://User@Data.Example:8443/f?q"), "data.example");
}

} // namespace

namespace {

// The digest of AllPrintings keeps the file's meta and, of each set, the cards on the game's
// servers with the keys an import reads; a file cut short gives no digest.
TEST(CardFileDigestTest, KeepsTheMetaAndTheGameCardsOfEachSet)
{
    TempDir dir;
    const std::string whole =
        R"({"meta": {"date": "2026-12-01", "version": "5.2.2+20261201"}, "data": {)"
        R"("7ED": {"cards": [{"identifiers": {"mtgoId": "13000"}, "name": "Angelic Page", )"
        R"("number": "1", "rarity": "common", "setCode": "7ED", "text": "Flying", "uuid": "u1"},)"
        R"( {"identifiers": {}, "name": "Paper Only", "number": "2", "uuid": "u2"}], )"
        R"("code": "7ED", "name": "Seventh Edition"}, "EMPTY": {"cards": [], "code": "E"}}})";
    Spill(dir.File("AllPrintings.json"), whole);
    const CardFileDigest::Result result =
        CardFileDigest::Write(dir.File("AllPrintings.json"), dir.File("digest.json"), {});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.cards, 1u);
    const std::string digest = ReadWholeFile(dir.File("digest.json"));
    EXPECT_THAT(digest, HasSubstr(R"({"meta":{"date":"2026-12-01","version":"5.2.2+20261201"})"));
    EXPECT_THAT(digest, HasSubstr(R"("7ED":{"code":"7ED","name":"Seventh Edition","cards":[)"));
    EXPECT_THAT(digest, HasSubstr(R"("uuid":"u1","name":"Angelic Page")"));
    EXPECT_EQ(digest.find("Paper Only"), std::string::npos);
    EXPECT_EQ(digest.find("EMPTY"), std::string::npos);

    Spill(dir.File("cut.json"), whole.substr(0, whole.size() / 2));
    const CardFileDigest::Result cut =
        CardFileDigest::Write(dir.File("cut.json"), dir.File("cut-digest.json"), {});
    EXPECT_FALSE(cut.ok);
    EXPECT_THAT(cut.error, HasSubstr("cut.json byte"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("cut-digest.json")));
}

} // namespace
