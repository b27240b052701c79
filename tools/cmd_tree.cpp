// omtool tree FILE: the keyword/block structure of any project file.
//
// The keywords are not known in advance: the reader's unknown-token handler registers every new
// keyword at its level, bound to a handler that records it, and asks for the same token again;
// blocks open their own levels, and a catch-all object collects the loose values of each level.
#include "omtool.h"

#include <om/textio/reader.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using om::OmParserToken;
using om::OmReader;
using om::OmReaderObject;

// Blocks deeper than this are skipped (and recorded by the reader) instead of listed: the
// handlers recurse once per level.
constexpr int kMaxDepth = 64;
// Values shown per block or keyword; the rest are counted.
constexpr int kShownValues = 4;
constexpr std::size_t kShownChars = 40;

struct Node {
    std::string keyword;  // "{" for a block without keyword
    bool block = false;
    bool skipped = false;  // too deep: not listed
    std::vector<std::string> values;
    long valueCount = 0;
    std::vector<std::unique_ptr<Node>> children;
};

std::string Brief(OmParserToken const& token) {
    std::string text = token.GetString() ? token.GetString() : "";
    if (text.size() > kShownChars) text = text.substr(0, kShownChars - 3) + "...";
    if (token.GetType() == om::OmTokenString) return "\"" + text + "\"";
    return text;
}

class TreeBuilder : public om::LinkHdl {
  public:
    explicit TreeBuilder(OmReader& reader) : reader_(reader) {
        root_.block = true;
        stack_.push_back(&root_);
        reader_.SkipUnknownToken(false);
        reader_.SetUnknownTokenHdl(om::Link(this, &TreeBuilder::OnUnknown));
        reader_.SetParserErrorHdl(om::Link(this, &TreeBuilder::OnError));
        RegisterCatchAll();
    }

    void Run() { reader_.DoProcess(true); }
    Node const& Root() const { return root_; }
    long Keywords() const { return keywords_; }
    int MaxDepth() const { return maxDepth_; }

  private:
    void RegisterCatchAll() {
        OmReaderObject values{om::Link(this, &TreeBuilder::OnValue)};
        reader_.RegisterObject(values);
    }

    Node* Open(std::string keyword, bool block) {
        auto node = std::make_unique<Node>();
        node->keyword = std::move(keyword);
        node->block = block;
        Node* raw = node.get();
        stack_.back()->children.push_back(std::move(node));
        return raw;
    }

    void AddValue(Node* node, OmParserToken const& token) {
        if (static_cast<int>(node->values.size()) < kShownValues) {
            node->values.push_back(Brief(token));
        }
        ++node->valueCount;
    }

    // Runs the block whose first token is current as a child of the node.
    void Descend(Node* node, OmReaderObject* object) {
        stack_.push_back(node);
        maxDepth_ = std::max(maxDepth_, static_cast<int>(stack_.size()) - 1);
        object->DoProcess();
        stack_.pop_back();
    }

    // A keyword not yet known at this level: register it and have it delivered again.
    long OnUnknown(void*) {
        OmParserToken const& token = reader_.GetParser().GetToken();
        if (static_cast<int>(stack_.size()) > kMaxDepth) {
            // Too deep to list: pass the keyword over, and its block if it has one.
            Open(token.GetString(), false)->skipped = true;
            if (reader_.NextToken().GetType() == om::OmTokenBlockBegin) {
                reader_.SkipCurrentBlock();
            } else {
                reader_.GetParser().SkipNextParse(true);
            }
            return 1;
        }
        if (std::strlen(token.GetString()) >
            static_cast<std::size_t>(OmReaderObject::kMaxKeyword)) {
            // Longer than a keyword can be: listed as a keyword without value, never registered.
            Open(token.GetString(), false);
            ++keywords_;
            return 1;
        }
        OmReaderObject keyword(token.GetString(), om::Link(this, &TreeBuilder::OnKeyword));
        levelOf_[reader_.RegisterObject(keyword)] = reader_.GetLevelCount();
        reader_.GetParser().SkipNextParse(true);
        return 1;
    }

    long OnKeyword(void* arg) {
        auto* object = static_cast<OmReaderObject*>(arg);
        ++keywords_;
        bool const block = reader_.GetLevelCount() > levelOf_[object];
        Node* node = Open(object->GetKeyword(), block);
        if (block) {
            RegisterCatchAll();
            Descend(node, object);
            return 1;
        }
        OmParserToken const& value = reader_.GetParser().GetToken();
        switch (value.GetType()) {
            case om::OmTokenKeyword:
            case om::OmTokenBlockEnd:
            case om::OmTokenEOF:
                // Not a value: left for the next pass.
                reader_.GetParser().SkipNextParse(true);
                break;
            default:
                AddValue(node, value);
        }
        return 1;
    }

    // Loose values of a level; a "{" without keyword opens an anonymous block.
    long OnValue(void* arg) {
        OmParserToken const& token = reader_.GetParser().GetToken();
        if (token.GetType() == om::OmTokenEOF) return 1;
        if (token.GetType() != om::OmTokenBlockBegin) {
            AddValue(stack_.back(), token);
            return 1;
        }
        Node* node = Open("{", true);
        if (static_cast<int>(stack_.size()) > kMaxDepth) {
            node->skipped = true;
            reader_.SkipCurrentBlock();  // its closing "}" is current and passed over next
            return 1;
        }
        reader_.NextToken();
        Descend(node, static_cast<OmReaderObject*>(arg));
        return 1;
    }

    // Reading goes on after every error; a failed stream ends it by itself.
    long OnError(void*) { return 1; }

    OmReader& reader_;
    Node root_;
    std::vector<Node*> stack_;
    std::map<OmReaderObject*, int> levelOf_;  // level count at registration
    long keywords_ = 0;
    int maxDepth_ = 0;
};

void PrintValues(Node const& node) {
    for (std::string const& v : node.values) std::printf(" %s", v.c_str());
    if (node.valueCount > static_cast<long>(node.values.size())) {
        std::printf(" ... (%ld values)", node.valueCount);
    }
}

void Print(Node const& node, int depth) {
    std::string const indent(4 * depth, ' ');
    if (node.skipped) {
        std::printf("%s%s (nested too deep: skipped)\n", indent.c_str(), node.keyword.c_str());
        return;
    }
    if (!node.block) {
        std::printf("%s%s", indent.c_str(), node.keyword.c_str());
        PrintValues(node);
        std::printf("\n");
        return;
    }
    char const* name = node.keyword == "{" ? "" : node.keyword.c_str();
    if (node.children.empty()) {
        std::printf("%s%s%s{", indent.c_str(), name, *name ? " " : "");
        PrintValues(node);
        std::printf(" }\n");
        return;
    }
    std::printf("%s%s%s{\n", indent.c_str(), name, *name ? " " : "");
    if (node.valueCount > 0) {
        std::printf("%s    values:", indent.c_str());
        PrintValues(node);
        std::printf("\n");
    }
    for (auto const& child : node.children) Print(*child, depth + 1);
    std::printf("%s}\n", indent.c_str());
}

std::string Narrow(wchar_t const* text) {
    std::string out;
    for (; *text; ++text) out += static_cast<char>(*text);
    return out;
}

int RunTree(omtool::Args const& args) {
    if (args.size() != 1) return omtool::UsageError("tree", "expects one FILE");
    if (!std::ifstream(args[0])) {
        std::fprintf(stderr, "omtool tree: cannot open %s\n", args[0].c_str());
        return 1;
    }
    OmReader reader(args[0].c_str());
    TreeBuilder tree(reader);
    tree.Run();

    std::printf("file: %s\n", args[0].c_str());
    Node const& root = tree.Root();
    if (root.valueCount > 0) {
        std::printf("values:");
        PrintValues(root);
        std::printf("\n");
    }
    for (auto const& child : root.children) Print(*child, 0);
    std::printf("keywords: %ld, deepest block: %d\n", tree.Keywords(), tree.MaxDepth());
    std::printf("read errors: %d\n", reader.GetReadErrorCount());
    for (om::OmReaderError const* e = reader.GetReaderErrorList().First(); e; e = e->Next()) {
        std::printf("error: line %u: %s\n", e->GetLine(), Narrow(e->GetStatusText()).c_str());
    }
    return 0;
}

omtool::Register reg{{"tree", "print the keyword/block structure of a project file",
                      "usage: omtool tree FILE\n\n"
                      "Reads FILE with the library's keyword reader, without knowing its keywords\n"
                      "in advance, and prints every keyword with its nesting, values in brief\n"
                      "(at most four per keyword or block, then their number), and the read\n"
                      "errors with their line numbers and status texts. Exit code 0 when the file\n"
                      "was read, 1 when it cannot be opened, 2 on a usage error.",
                      RunTree}};

}  // namespace
