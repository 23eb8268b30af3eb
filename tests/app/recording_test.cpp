// Recording a game: what reaches the file and when, and the failures a player is told about.
#include "app/recording.hpp"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/options.hpp"
#include "game/script.hpp"

namespace {

constexpr std::uint64_t kMillisecond = 1'000'000;

class RecordingFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string folderTemplate = (std::filesystem::temp_directory_path() / "pexilon-recording-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folderTemplate.data()), nullptr);
        folder = folderTemplate;
        path = (folder / "game.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // What another process would read from the file now.
    std::string onDisk() const
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::filesystem::path folder;
    std::string path;
};

TEST_F(RecordingFile, LinesReachTheFileHalfASecondApartAndAllOfThemAtTheEnd)
{
    const std::string header = "# recorded by " + std::string(versionText()) + "\n";
    Recording recording;
    ASSERT_TRUE(startRecording(recording, path)) << recording.error;
    EXPECT_EQ(onDisk(), header) << "the first line is written at once";

    const PassInput passes[] = {{0.016667f, 0, {true, false, false}}, {0.05f, 2, {false, false, true}}, {1e-4f, 0, {}}};
    recordPass(recording, passes[0], 300 * kMillisecond);
    EXPECT_EQ(onDisk(), header) << "held back until half a second after the start";
    recordPass(recording, passes[1], 500 * kMillisecond);
    const std::string twoPasses = header + "0.016667 left\n0.05 fire restart restart\n";
    EXPECT_EQ(onDisk(), twoPasses);
    recordPass(recording, passes[2], 999 * kMillisecond);
    EXPECT_EQ(onDisk(), twoPasses) << "held back until half a second after the last flush";

    EXPECT_TRUE(finishRecording(recording)) << recording.error;
    EXPECT_EQ(onDisk(), twoPasses + "1e-04\n");
    EXPECT_TRUE(finishRecording(recording)) << "a second finish does nothing";

    // The file is a script of the same passes.
    std::ifstream file(path);
    ScriptReader reader{file};
    std::vector<PassInput> read;
    while (const std::optional<PassInput> pass = readPass(reader))
        read.push_back(*pass);
    EXPECT_FALSE(reader.problem.has_value());
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[1].restarts, 2);
    EXPECT_EQ(read[2].dt, 1e-4f);
}

TEST_F(RecordingFile, AnExistingFileIsLeftAsItWasAndANameThatCannotBeCreatedIsRefused)
{
    const std::string kept = "# recorded by pexilon 1.0\n0.016667 fire\n";
    std::ofstream(path, std::ios::binary) << kept;
    const std::string missingFolder = (folder / "no such folder" / "game.txt").string();
    const auto exists = [](const std::string& name) { return "'" + name + "' exists already; nothing was written to it"; };
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {path, exists(path)},
        {folder.string(), exists(folder.string())},
        {missingFolder, "cannot create '" + missingFolder + "': No such file or directory"},
    };
    for (const auto& c : cases) {
        Recording recording;
        EXPECT_FALSE(startRecording(recording, c.path));
        EXPECT_EQ(recording.error, c.error);
        recordPass(recording, {0.02f, 0, {}}, 900 * kMillisecond);
        EXPECT_FALSE(finishRecording(recording)) << "the failure stays told";
    }
    EXPECT_EQ(onDisk(), kept);
    EXPECT_FALSE(std::filesystem::exists(folder / "no such folder"));
}

TEST_F(RecordingFile, AFileThatCannotTakeTheFirstLineIsRefusedAndRemoved)
{
    // A file size limit below the first line's length; the signal would end the test program.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const rlimit small{8, before.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Recording recording;
    const bool started = startRecording(recording, path);
    ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(started);
    EXPECT_EQ(recording.error, "cannot write '" + path + "': File too large");
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
