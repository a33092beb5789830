// Ctrl+C and kill during a run, sent as real signals: the first stops the run and the best
// plan so far is printed with exit status 130; a second ends the process at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <nlohmann/json.hpp>

#include "cli/stop_signals.h"
#include "core/file_replace.h"
#include "tests/cli/report_fixture.h"

namespace tamso {
namespace {

using testing::readFile;
using testing::ScratchFolder;

// Starts tamso-cli in `folder` with standard output and error going to files there.
pid_t startTool(const std::filesystem::path& folder, const std::vector<std::string>& args) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  if (::chdir(folder.c_str()) != 0) ::_exit(120);
  const int out = ::open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = ::open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(err, STDERR_FILENO);
  std::vector<char*> argv;
  static std::string program = TAMSO_CLI_PATH;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(121);
}

// The exit status, or -1 when the child did not end within the time given.
int waitForExit(pid_t pid, std::chrono::seconds patience) {
  const auto until = std::chrono::steady_clock::now() + patience;
  while (std::chrono::steady_clock::now() < until) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

bool waitForFile(const std::filesystem::path& path, std::chrono::seconds patience) {
  const auto until = std::chrono::steady_clock::now() + patience;
  while (!std::filesystem::exists(path)) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST(StopSignal, InterruptStopsTheRunPrintsTheBestPlanAndWritesTheDumps) {
  ScratchFolder folder("tamso-stop-signal");
  const auto made = testing::runTool({"generate", (folder / "big").string(), "--places", "200", "--orders", "400",
                                      "--vehicles", "100", "--seed", "3"});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const pid_t pid = startTool(folder.path(), {"hga", "big/instance.cfg", "--seed", "5", "--json"});
  ASSERT_GT(pid, 0);
  // The population dump is opened once the run has begun, and with it the handlers are in place.
  ASSERT_TRUE(waitForFile(folder / "population.dump", std::chrono::seconds(60)));
  ASSERT_EQ(::kill(pid, SIGINT), 0);
  ASSERT_EQ(waitForExit(pid, std::chrono::seconds(120)), 130) << readFile(folder / "stderr.txt");

  const auto document = nlohmann::json::parse(readFile(folder / "stdout.txt"));
  EXPECT_EQ(document["stopped"], "signal");
  EXPECT_EQ(document["summary"]["orders"], 400);
  // A stopped hybrid run still lists its population before and after the (cut short) iterations.
  const std::string population = readFile(folder / "population.dump");
  const std::size_t first = population.find("Ende der Nacht");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(population.find("Ende der Nacht", first + 1), std::string::npos);
}

TEST(StopSignal, SecondSignalEndsTheProcessAtOnce) {
  EXPECT_EXIT(
      {
        cli::StopSignals signals;
        std::raise(SIGTERM);
        if (!cli::StopSignals::received()) ::_exit(3);
        std::raise(SIGINT);
        ::_exit(4);
      },
      ::testing::ExitedWithCode(130), "");
}

// The second signal may come while an output is being written, by one large write as the
// planner writes an output, or by writes begun one after the other on another thread: the
// process ends without leaving a temporary file behind.
TEST(StopSignal, SecondSignalDuringAWriteLeavesNoTemporaryFile) {
  for (const bool writeAfterWrite : {false, true}) {
    ScratchFolder folder("tamso-stop-write");
    const auto temporaryFileExists = [&] {
      for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        if (entry.path().filename().string().rfind(".plan.json.", 0) == 0) return true;
      }
      return false;
    };
    EXPECT_EXIT(
        {
          cli::StopSignals signals;
          std::raise(SIGINT);
          std::thread writer([&] {
            const std::string contents(writeAfterWrite ? std::size_t{1} << 20 : std::size_t{64} << 20, 'x');
            do {
              replaceFile((folder.path() / "plan.json").string(), contents);
            } while (writeAfterWrite);
          });
          const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
          while (!temporaryFileExists() && !std::filesystem::exists(folder.path() / "plan.json")) {
            if (std::chrono::steady_clock::now() > until) ::_exit(5);
          }
          std::raise(SIGINT);
          ::_exit(4);
        },
        ::testing::ExitedWithCode(130), "")
        << (writeAfterWrite ? "write after write" : "one large write");
    EXPECT_FALSE(temporaryFileExists()) << (writeAfterWrite ? "write after write" : "one large write");
  }
}

TEST(StopSignal, HandlersAreRestoredAfterTheRun) {
  {
    cli::StopSignals signals;
    std::raise(SIGINT);
    EXPECT_TRUE(cli::StopSignals::received());
  }
  cli::StopSignals again;  // a new run starts without a stop request
  EXPECT_FALSE(cli::StopSignals::received());
}

}  // namespace
}  // namespace tamso
