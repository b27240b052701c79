// Test entry point shared by every test executable.
//
// ctest runs the tests of one executable as parallel processes in the same working directory,
// so each test gets a scratch directory of its own (named after the test) as its working
// directory. Tests that write files with fixed names then never meet each other's files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class ScratchDirectoryPerTest : public testing::EmptyTestEventListener {
  public:
    explicit ScratchDirectoryPerTest(std::filesystem::path base) : base_(std::move(base)) {}

    void OnTestStart(testing::TestInfo const& info) override {
        std::string name = std::string(info.test_suite_name()) + "." + info.name();
        for (char& c : name)
            if (c == '/') c = '_';  // parameterised tests carry '/' in their names
        std::filesystem::path const dir = base_ / "scratch" / name;
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        std::filesystem::create_directories(dir, ec);
        if (!ec) std::filesystem::current_path(dir, ec);
    }

    void OnTestEnd(testing::TestInfo const&) override {
        std::error_code ec;
        std::filesystem::current_path(base_, ec);
    }

  private:
    std::filesystem::path base_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(
        new ScratchDirectoryPerTest(std::filesystem::current_path()));
    return RUN_ALL_TESTS();
}
