#include "tests/episodes12/EpisodeRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace ik::test {

namespace fs = std::filesystem;

std::string startEpisode(int episode) {
    const int buttonMiddle = 155 + 55 * (episode - 1);
    return "key Return\nframes 2\nstate menu.json\nmove 600 " + std::to_string(buttonMiddle) + "\nclick\nwait 1\n";
}

void EpisodeRun::SetUp() {
    for (const fs::directory_entry& entry : fs::directory_iterator(IK_DATA_DIR)) {
        if (entry.path().extension() == ".dat") fs::create_symlink(entry.path(), work.path() / entry.path().filename());
    }
}

void EpisodeRun::play(const std::string& script, uint32_t seed) {
    writeText(work.file("script.txt"), script);
    const std::string errors = work.file("stderr.txt");
    const std::string command = "cd '" + work.path().string() + "' && timeout 300 " + IK_IRONKEEL +
                                " --headless --script script.txt --seed " + std::to_string(seed) + " --scores '" +
                                scores.path().string() + "' 2>'" + errors + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command << "\n" << readText(errors);
}

nlohmann::json EpisodeRun::state(const std::string& name) const {
    std::ifstream in(work.file(name));
    if (!in) throw std::runtime_error("the script wrote no " + name);
    return nlohmann::json::parse(in);
}

Frame EpisodeRun::shot(const std::string& name) const { return ReadShot(work.file(name)); }

}  // namespace ik::test
