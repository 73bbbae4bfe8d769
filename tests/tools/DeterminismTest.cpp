// Two runs of the generator give the same bytes in every file.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "GeneratedData.h"

namespace ik::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> allFiles(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = slurp(entry.path());
    return files;
}

TEST(Determinism, TwoRunsWriteIdenticalFiles) {
    fs::path base = fs::temp_directory_path() / ("assetgen-twice-" + std::to_string(::getpid()));
    fs::remove_all(base);
    for (const char* run : {"a", "b"}) {
        fs::path dir = base / run;
        ASSERT_EQ(test::run(std::string("LSAN_OPTIONS=suppressions=") + IK_ASSETGEN_LSAN + " " + IK_ASSETGEN + " '" +
                            (dir / "work").string() + "' '" + (dir / "data").string() + "'"),
                  0);
    }
    auto first = allFiles(base / "a"), second = allFiles(base / "b");
    EXPECT_GT(first.size(), 50u);
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(second.count(name));
        EXPECT_TRUE(bytes == second.at(name));
    }
    fs::remove_all(base);
}

}  // namespace
}  // namespace ik::test
