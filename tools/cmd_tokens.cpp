// omtool tokens FILE: what the tokenizer makes of a text file.
#include "omtool.h"

#include <om/textio/parser.h>

#include <cstdio>
#include <fstream>

namespace {

char const* const kKindNames[] = {"other",  "integer", "float",   "number",     "keyword",
                                  "string", "block {", "block }", "end of file"};

// Status texts are plain ASCII; print them narrow.
std::string Narrow(wchar_t const* text) {
    std::string out;
    for (; *text; ++text) out += static_cast<char>(*text);
    return out;
}

int RunTokens(omtool::Args const& args) {
    if (args.size() != 1) return omtool::UsageError("tokens", "expects one FILE");
    std::ifstream in(args[0]);
    if (!in) {
        std::fprintf(stderr, "omtool tokens: cannot open %s\n", args[0].c_str());
        return 1;
    }
    om::OmStreamTokenizer tokenizer(in);
    long counts[9] = {};
    long errors = 0;
    std::printf("file: %s\n", args[0].c_str());
    // The tokenizer resumes after every error but a failed stream, which would repeat forever.
    for (;;) {
        try {
            om::eOmTokentype type = tokenizer.Next().GetType();
            if (type == om::OmTokenEOF) break;
            if (type >= 0 && type < 9) ++counts[type];
        } catch (om::OmParserStatus const& status) {
            ++errors;
            std::printf("error: line %u: %s\n", status.GetLine(),
                        Narrow(status.GetStatusText()).c_str());
            if (status.GetStatus() == om::ParserErrorStream) break;
        }
    }
    om::OmParserStatus const& status = tokenizer.GetStatus();
    std::printf("lines: %u\ntokens: %u\n", status.GetLine(), status.GetTokenCount());
    for (int kind = 0; kind < 9; ++kind) {
        if (kind == om::OmTokenNumber || kind == om::OmTokenEOF) continue;
        std::printf("  %-12s %ld\n", kKindNames[kind], counts[kind]);
    }
    std::printf("errors: %ld\n", errors);
    return 0;
}

omtool::Register reg{{"tokens", "count the tokens of a text file by kind and list tokenizer errors",
                      "usage: omtool tokens FILE\n\n"
                      "Reads FILE with the library's tokenizer and prints the number of lines and\n"
                      "tokens, the count of each token kind, and every tokenizer error with its\n"
                      "line number and status text. Reading goes on after an error as long as the\n"
                      "stream is healthy. Exit code 0 when the file was read, 1 when it cannot be\n"
                      "opened, 2 on a usage error.",
                      RunTokens}};

}  // namespace
