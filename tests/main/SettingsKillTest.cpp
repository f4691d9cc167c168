// The settings file against a kill: a child writes it over and over and is killed with SIGKILL at
// a random moment; the file on disk is then the complete old or the complete new version.
#include "base/ProfileFile.h"
#include "main/SettingsFile.h"
#include "model/DisplaySettings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

extern char** environ;

namespace {

constexpr int OldOpacity = 255;
constexpr int NewOpacity = 145;

// The settings as the program would write them over `base`, with this opacity.
std::string Version(const std::string& base, int opacity) {
    const int saved = DisplaySettings.SettingsOpacity();
    DisplaySettings.SetSettingsOpacity(opacity);
    std::string bytes =
        WithSettings(TProfileFile(base), *EncodeDate(1982, 12, 23), *EncodeDate(1983, 9, 29))
            .Bytes();
    DisplaySettings.SetSettingsOpacity(saved);
    return bytes;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Rounds() {
    const char* rounds = std::getenv("ORVANTA_KILL_ROUNDS");
    return rounds && std::atoi(rounds) > 0 ? std::atoi(rounds) : 200;
}

// Starts the writer with its standard output on a pipe and waits until it says it runs.
pid_t StartWriter(const std::filesystem::path& settings) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string path = settings.string();
    const std::string oldOpacity = std::to_string(OldOpacity);
    const std::string newOpacity = std::to_string(NewOpacity);
    char* argv[] = {const_cast<char*>(ORVANTA_SETTINGS_WRITER), const_cast<char*>(path.c_str()),
                    const_cast<char*>(oldOpacity.c_str()), const_cast<char*>(newOpacity.c_str()),
                    nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, ORVANTA_SETTINGS_WRITER, &actions, nullptr, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char ready = 0;
    if (pid > 0 && read(out[0], &ready, 1) != 1)
        ready = 0;
    close(out[0]);
    return pid > 0 && ready == 'r' ? pid : -1;
}

} // namespace

TEST(SettingsFileKill, IsAlwaysTheCompleteOldOrNewFile) {
    namespace fs = std::filesystem;
    std::string folderName = (fs::temp_directory_path() / "orvanta-kill-XXXXXX").string();
    ASSERT_NE(mkdtemp(folderName.data()), nullptr);
    const fs::path folder = folderName;
    const fs::path settings = folder / "orvanta.ini";

    // A hand-edited file with long comments the writer must keep: its bytes take long enough to
    // write for kills to land in the middle.
    std::string base = "; kept by hand\n";
    for (int i = 0; i < 10; ++i)
        base += "; " + std::to_string(i) + std::string(20000, '~') + "\n";
    base += "[Settings]\nLanguage=English\n";
    const std::string oldFile = Version(base, OldOpacity);
    const std::string newFile = Version(oldFile, NewOpacity);
    ASSERT_NE(oldFile, newFile);
    ASSERT_EQ(Version(newFile, OldOpacity), oldFile);

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, 50000);
    int oldSeen = 0;
    int newSeen = 0;
    const int rounds = Rounds();
    for (int round = 0; round < rounds; ++round) {
        std::ofstream(settings, std::ios::binary | std::ios::trunc) << oldFile;
        const pid_t writer = StartWriter(settings);
        ASSERT_GT(writer, 0) << "the writer did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        kill(writer, SIGKILL);
        int status = 0;
        waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself, status " << status;

        const std::string onDisk = FileText(settings);
        ASSERT_TRUE(onDisk == oldFile || onDisk == newFile)
            << "round " << round << ": " << onDisk.size() << " bytes, neither version";
        (onDisk == oldFile ? oldSeen : newSeen)++;
    }
    fs::remove_all(folder);
    std::cout << rounds << " kills: old file " << oldSeen << ", new file " << newSeen << "\n";
    // Both outcomes must have happened, or the kills missed the writes altogether.
    EXPECT_GT(newSeen, 0);
}
