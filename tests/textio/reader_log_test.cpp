#include <om/textio/reader.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <om/log/application_logger.h>
#include <om/log/master_logger.h>

namespace om {
namespace {

void WriteFile(std::string const& name, std::string const& text) {
    std::ofstream out(name, std::ios::binary);
    out << text;
}

class GoOn : public LinkHdl {
  public:
    long OnError(void*) { return 1; }
};

class Capture : public OmLogger {
  public:
    Capture() : OmLogger(3) {}
    std::vector<std::wstring> lines;
    int Log(int level, wchar_t const* text) override {
        lines.push_back(std::to_wstring(level) + L"|" + text);
        return 0;
    }
};

// Logs the reader's errors into a capture, with the plain message as line template.
std::vector<std::wstring> Logged(OmReader const& reader) {
    OmMasterLogger master;
    master.SetFormat(L"$mesg");
    Capture capture;
    master.AddLogger(&capture);
    OmApplicationLogger::RegisterMasterLogger(&master);
    reader.LogErrorsToApplicationLogger();
    OmApplicationLogger::RegisterMasterLogger(nullptr);
    return capture.lines;
}

TEST(ReaderLog, ErrorsAreLoggedWithTheirTexts) {
    WriteFile("bad.txt", "EPOCH \"x\"\nSITE 2x\n\"open\nEPOCH 5\n");
    OmReader reader("bad.txt");
    int epoch = 0;
    String site;
    GoOn goOn;
    OmReaderObject e("EPOCH", &epoch), s("SITE", &site);
    reader.RegisterObject(e);
    reader.RegisterObject(s);
    reader.SetParserErrorHdl(Link(&goOn, &GoOn::OnError));
    reader.DoProcess(false);
    ASSERT_EQ(reader.GetReadErrorCount(), 3);
    EXPECT_EQ(epoch, 5);

    std::vector<std::wstring> const expected = {
        L"2| 3 Read Error(s) in bad.txt:",
        L"2| - Line: 000001, Status: ParserErrorNotSpecifiedToken",
        L"2| - Line: 000002, Status: ParserErrorInvalidNumber",
        L"2| - Line: 000003, Status: ParserErrorUnterminatedString",
    };
    EXPECT_EQ(Logged(reader), expected);
}

TEST(ReaderLog, NothingIsLoggedWithoutErrors) {
    WriteFile("good.txt", "EPOCH 1\n");
    OmReader reader("good.txt");
    int epoch = 0;
    OmReaderObject e("EPOCH", &epoch);
    reader.RegisterObject(e);
    reader.DoProcess(false);
    EXPECT_TRUE(Logged(reader).empty());
}

TEST(ReaderLog, FileNamesAreTextNotFormat) {
    // A wide name with percent signs and characters beyond ASCII is logged as it stands.
    OmReader reader(L"%s%d%ls_\u00e9\u4e2d\U0001F600.txt");
    reader.DoProcess(false);
    std::vector<std::wstring> const lines = Logged(reader);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"2| 1 Read Error(s) in %s%d%ls_\u00e9\u4e2d\U0001F600.txt:");
    EXPECT_EQ(lines[1], L"2| - Line: 000000, Status: ParserErrorStream");
}

}  // namespace
}  // namespace om
