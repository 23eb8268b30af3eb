// Watching a recording: the passes shown are those checked before the window opened, all of
// them and in order, however the file changes afterwards.
#include "app/watching.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(Watching, ShowsEveryCheckedPassInOrderAndNothingAddedAfterTheCheck)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("pexilon-watching-" + std::to_string(std::random_device{}()) + ".txt");
    std::ofstream(path, std::ios::binary) << "# recorded by pexilon 1.0\n0.01 left\n\n0.02 fire\n0.03 restart\n";
    CheckedRecording checked;
    ASSERT_EQ(checkRecording(path.string(), checked), std::nullopt);
    EXPECT_EQ(checked.passes, 3);
    // A game still being recorded into the same file grows it while it is watched.
    std::ofstream(path, std::ios::binary | std::ios::app) << "0.04\n0.05\n";

    std::vector<float> shown;
    {
        WatchedScript script(std::move(checked));
        while (const std::optional<PassInput> pass = nextWatchedPass(script))
            shown.push_back(pass->dt);
    }
    // Closed first: Windows removes no open file.
    std::filesystem::remove(path);
    EXPECT_EQ(shown, (std::vector<float>{0.01f, 0.02f, 0.03f}));
}

}  // namespace
