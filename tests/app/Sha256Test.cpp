// The digests recordings keep must be SHA-256 as other tools compute it, so
// that `sha256sum` can check a demo's last frame and data files.
#include <gtest/gtest.h>

#include <string>

#include "app/Sha256.h"

namespace {

TEST(Sha256, MatchesTheStandardsTestVectorsAcrossBlockBoundaries) {
    struct Case {
        std::string input;
        const char* digest;
    };
    const Case cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.substr(0, 20));
        EXPECT_EQ(ik::sha256Hex(c.input), c.digest);
        // Fed in uneven pieces, as a file is read.
        ik::Sha256 pieces;
        for (size_t at = 0; at < c.input.size(); at += 37)
            pieces.add(c.input.data() + at, std::min<size_t>(37, c.input.size() - at));
        EXPECT_EQ(pieces.hex(), c.digest);
    }
}

}  // namespace
