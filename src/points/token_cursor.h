// Reading records from a token stream: the parser that holds the current token and the step to
// the next one, whoever drives the stream (the keyword reader or a plain stream tokenizer).
#pragma once

#include <om/textio/parser.h>

#include <functional>

namespace om {
class OmPoint;
class OmPointList;
class OmIdTable;
class OmIdPairTable;
class OmIdTable2D;
}  // namespace om

namespace om::points_detail {

struct TokenCursor {
    OmParser& parser;
    // Makes the next token current (or clears a set skip-next-parse flag instead).
    std::function<void()> advance;
};

// Raises the parser's status exception with ParserErrorNotSpecifiedToken for the current token
// (or the end-of-file status when the input has ended).
[[noreturn]] void RaiseNotSpecified(OmParser& parser);

// True when the exception left the cursor at the end of the enclosing block.
bool AtBlockEnd(TokenCursor const& cursor);

// The token readers behind the Read(OmReaderObject*) operations.
void ReadPointColumns(OmPoint& p, TokenCursor& cursor,
                      TOmFormatTable<eOmPointRWMask> const& format);
void ReadPointBlock(OmPointList& list, TokenCursor& cursor);
void ReadIdTable(OmIdTable& table, TokenCursor& cursor);
void ReadIdPairTable(OmIdPairTable& table, TokenCursor& cursor);
void ReadIdTable2D(OmIdTable2D& table, TokenCursor& cursor);

}  // namespace om::points_detail
