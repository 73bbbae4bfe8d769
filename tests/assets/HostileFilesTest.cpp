// Crafted picture files that once cost seconds or hundreds of megabytes to
// read. Each is built here at the size that showed the cost; what is checked
// is that the load comes out right, so a return of the cost shows as a test
// that runs into its time limit.
#include <gtest/gtest.h>

#include "assets/PictureCollection.h"
#include "tests/support/AssetFiles.h"

namespace ik {
namespace {

using test::Properties;

Properties named(const std::string& name) {
    return [=](ComponentWriter& w) {
        w.WritePropertyName("Name");
        w.WriteString(name);
    };
}

const Properties kUnnamed = [](ComponentWriter&) {};

// A picture file whose root holds the List property twice: the second
// collection value replaces every item of the first.
std::vector<uint8_t> twoLists(const std::vector<Properties>& first, const std::vector<Properties>& second) {
    return test::holderFile("TPictureCollectionComponent", "", [&](ComponentWriter& w) {
        test::writeList(w, first);
        test::writeList(w, second);
    });
}

// Every unnamed item shares one bucket of the name index, and many items of
// one name share another: replacing them must not scan the chain per item.
TEST(HostileFiles, ReplacingItemsThatShareOneIndexBucket) {
    struct Case {
        const char* what;
        std::vector<Properties> first;
    } cases[] = {
        {"300,000 unnamed items", std::vector<Properties>(300'000, kUnnamed)},
        {"150,000 items all named x", std::vector<Properties>(150'000, named("x"))},
    };
    for (const Case& c : cases) {
        TPictureCollection pictures;
        TMemoryStream stream(twoLists(c.first, {named("last")}));
        pictures.LoadFromStream(stream);
        ASSERT_EQ(pictures.Count(), 1) << c.what;
        EXPECT_EQ(&pictures.Find("LAST"), &pictures.Items(0)) << c.what;
        EXPECT_EQ(pictures.IndexOf("x"), nullptr) << c.what << ": a removed item is still indexed";
        EXPECT_EQ(pictures.IndexOf(""), nullptr) << c.what << ": a removed item is still indexed";

        TMemoryStream again(twoLists({named("x"), kUnnamed}, c.first));
        pictures.LoadFromStream(again);
        ASSERT_EQ(pictures.Count(), static_cast<int>(c.first.size())) << c.what;
        const TPictureCollectionItem& newest = pictures.Items(pictures.Count() - 1);
        EXPECT_EQ(pictures.IndexOf(newest.Name()), &newest) << c.what << ": the item named last is found";

        // The game replaces a series file the same way.
        TMemoryStream next(test::pictureFile({named("next")}));
        pictures.LoadFromStream(next);
        ASSERT_EQ(pictures.Count(), 1) << c.what;
        EXPECT_EQ(pictures.IndexOf("x"), nullptr) << c.what;
        EXPECT_EQ(pictures.IndexOf(""), nullptr) << c.what;
    }
}

// The chain is linked through the items: an item that leaves from the middle
// must leave the older and newer ones found.
TEST(HostileFiles, RenamingAnItemInTheMiddleOfAChain) {
    TPictureCollection pictures;
    TMemoryStream stream(test::pictureFile({named("a"), named("A"), named("a")}));
    pictures.LoadFromStream(stream);
    auto item = [&](int i) { return &pictures.Items(i); };
    item(1)->SetName("b");
    EXPECT_EQ(pictures.IndexOf("a"), item(2));
    EXPECT_EQ(pictures.IndexOf("B"), item(1));
    item(2)->SetName("c");
    EXPECT_EQ(pictures.IndexOf("a"), item(0));
    item(1)->SetName("a");
    EXPECT_EQ(pictures.IndexOf("a"), item(1)) << "named last";
    item(0)->SetName("z");
    item(1)->SetName("z");
    EXPECT_EQ(pictures.IndexOf("a"), nullptr);
    EXPECT_EQ(pictures.IndexOf("Z"), item(1));
}

}  // namespace
}  // namespace ik
