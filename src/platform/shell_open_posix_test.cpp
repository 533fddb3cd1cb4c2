#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/posix.h"

namespace hibiopen::platform::posix {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> argv_of(const char* first, const char* text) {
  std::size_t count = 0;
  char** argv = make_argv(first, text, &count);
  EXPECT_NE(argv, nullptr);
  std::vector<std::string> result;
  for (std::size_t i = 0; i < count; ++i) {
    result.emplace_back(argv[i]);
  }
  EXPECT_EQ(argv[count], nullptr);
  std::free(argv);
  return result;
}

TEST(MakeArgv, TokensWithoutTheirQuotes) {
  using V = std::vector<std::string>;
  EXPECT_EQ(argv_of("App.exe", "NI970321.LOG"), (V{"App.exe", "NI970321.LOG"}));
  EXPECT_EQ(argv_of("App.exe", "-x \"\" \"C:\\My Logs\\NI970321.LOG\""),
            (V{"App.exe", "-x", "", "C:\\My Logs\\NI970321.LOG"}));
  EXPECT_EQ(argv_of("a", "\"a b\"c  d\te \"unclosed x"), (V{"a", "a bc", "d\te", "unclosed x"}));
  EXPECT_EQ(argv_of("a", ""), (V{"a"}));
  EXPECT_EQ(argv_of(nullptr, "x y"), (V{"x", "y"}));
  // Shell metacharacters are plain bytes of their argument.
  EXPECT_EQ(argv_of("a", "$(touch${IFS}x);`id`&'q'|>f"), (V{"a", "$(touch${IFS}x);`id`&'q'|>f"}));
}

TEST(RemoveQuotes, DropsEveryQuote) {
  char out[32];
  EXPECT_STREQ(remove_quotes(out, "\"C:\\My Logs\\x\""), "C:\\My Logs\\x");
  EXPECT_STREQ(remove_quotes(out, "a\"\"b\""), "ab");
  EXPECT_STREQ(remove_quotes(out, "\"\""), "");
}

TEST(ClassifyApplication, ProgramsOnPathOrWithASlashDocumentsOtherwise) {
  char dir_template[] = "/tmp/hibiopen-classify-XXXXXX";
  ASSERT_NE(mkdtemp(dir_template), nullptr);
  const std::string dir = dir_template;
  fs::create_directory(dir + "/bin");
  const auto make_file = [](const std::string& path, mode_t mode) {
    std::ofstream(path) << "#!/bin/sh\n";
    chmod(path.c_str(), mode);
  };
  make_file(dir + "/bin/App.exe", 0755);
  make_file(dir + "/bin/notexec", 0644);
  make_file(dir + "/local.exe", 0755);
  make_file(dir + "/notes.txt", 0644);
  fs::create_directory(dir + "/folder");

  const char* saved_path = std::getenv("PATH");
  const std::string previous_path = saved_path != nullptr ? saved_path : "";
  setenv("PATH", (dir + "/bin:/nonexistent").c_str(), 1);
  const fs::path previous_dir = fs::current_path();
  fs::current_path(dir);

  const struct {
    std::string name;
    AppKind kind;
    std::string path;
  } cases[] = {
      {"App.exe", AppKind::Program, dir + "/bin/App.exe"},
      {dir + "/bin/App.exe", AppKind::Program, dir + "/bin/App.exe"},
      {"./local.exe", AppKind::Program, "./local.exe"},
      // An executable in the current directory is not run by a bare name.
      {"local.exe", AppKind::Missing, ""},
      {"notes.txt", AppKind::Document, ""},
      {"./notes.txt", AppKind::Document, ""},
      {"folder", AppKind::Document, ""},
      {"notexec", AppKind::Missing, ""},
      {"missing.exe", AppKind::Missing, ""},
      {"./missing.exe", AppKind::Missing, ""},
      {"", AppKind::Missing, ""},
  };
  for (const auto& c : cases) {
    char path[PATH_MAX] = "";
    EXPECT_EQ(classify_application(c.name.c_str(), path, sizeof path), c.kind) << c.name;
    if (c.kind == AppKind::Program) {
      EXPECT_EQ(std::string(path), c.path) << c.name;
    }
  }

  // An empty element of PATH is the current directory.
  setenv("PATH", (dir + "/bin::").c_str(), 1);
  char path[PATH_MAX] = "";
  EXPECT_EQ(classify_application("local.exe", path, sizeof path), AppKind::Program);
  EXPECT_EQ(std::string(path), "./local.exe");

  fs::current_path(previous_dir);
  setenv("PATH", previous_path.c_str(), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace hibiopen::platform::posix
