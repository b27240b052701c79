// Points, point blocks and id tables read from the token stream of a project file.
#include <om/points/id_table.h>
#include <om/points/point.h>
#include <om/points/point_id.h>
#include <om/points/point_list.h>

#include "number_fields.h"
#include "token_cursor.h"

namespace om::points_detail {
namespace {

bool IsStructural(eOmTokentype t) {
    return t == OmTokenBlockBegin || t == OmTokenBlockEnd || t == OmTokenEOF;
}

bool IsNumber(eOmTokentype t) {
    return t == OmTokenInt || t == OmTokenFloat;
}

// An integer token taken from its text as a 32-bit pattern, as the text-line reader takes it, so
// that unsigned ids, flag words and colours above 2^31 read back as written.
int TokenBits(OmParser& parser) {
    return FieldToInt(parser.GetToken(OmTokenInt).GetString());
}

// The identifier rule on a token: text of digits only (empty text too) is the id; other text is
// the name, with its id from GetIdFromAlphaNumericString. Braces and the end of the input are no
// identifier.
void TokenIdentifier(OmPoint& p, OmParser& parser) {
    if (IsStructural(parser.GetToken().GetType())) RaiseNotSpecified(parser);
    char const* text = parser.GetToken().GetString();
    if (IsDigitsOnly(text)) {
        p.SetId(static_cast<unsigned int>(FieldToInt(text)));
        return;
    }
    p.SetName(String(text));
    p.SetId(GetIdFromAlphaNumericString(text));
}

// Reads one column; false when the column takes no token.
bool ReadColumn(OmPoint& p, eOmPointRWMask code, OmParser& parser) {
    switch (code) {
        case OmPointRWId:
            p.SetId(static_cast<unsigned int>(TokenBits(parser)));
            return true;
        case OmPointRWName:
            p.SetName(String(parser.GetTokenString()));
            return true;
        case OmPointRWIdOrName:
            TokenIdentifier(p, parser);
            return true;
        case OmPointRWFlag:
            p.ClearFlag(~0);
            p.SetFlag(TokenBits(parser));
            return true;
        case OmPointRWControl:
            p.SetAsControlFlag(parser.GetTokenInt());
            return true;
        case OmPointRWControlShort:
            p.control = static_cast<short>(parser.GetTokenInt());
            return true;
        case OmPointRWPP:
            // Written as the bare or quoted name: any single token but a brace or the end is taken.
            if (IsStructural(parser.GetToken().GetType())) RaiseNotSpecified(parser);
            return true;
        case OmPointRWPhoto:
            p.photo = static_cast<unsigned int>(TokenBits(parser));
            return true;
        case OmPointRWCamera:
            p.camera = static_cast<unsigned int>(TokenBits(parser));
            return true;
        case OmPointRWX:
            p.x = parser.GetTokenNumber();
            return true;
        case OmPointRWY:
            p.y = parser.GetTokenNumber();
            return true;
        case OmPointRWZ:
            p.z = parser.GetTokenNumber();
            return true;
        case OmPointRWDx:
        case OmPointRWSx:
            p.dx = parser.GetTokenNumber();
            return true;
        case OmPointRWDy:
        case OmPointRWSy:
            p.dy = parser.GetTokenNumber();
            return true;
        case OmPointRWDz:
        case OmPointRWSz:
            p.dz = parser.GetTokenNumber();
            return true;
        case OmPointRWDs:
            parser.GetTokenNumber();
            return true;
        case OmPointRWRedu:
        case OmPointRWResidualX:
            p.r1 = parser.GetTokenNumber();
            return true;
        case OmPointRWRedu2:
        case OmPointRWResidualY:
            p.r2 = parser.GetTokenNumber();
            return true;
        case OmPointRWRedu3:
        case OmPointRWResidualZ:
            p.r3 = parser.GetTokenNumber();
            return true;
        case OmPointRWColor:
            p.color = TokenBits(parser);
            return true;
        case OmPointRWImageCount:
            p.imageCount = static_cast<short>(parser.GetTokenInt());
            return true;
        case OmPointRWVx:
            p.vx = static_cast<float>(parser.GetTokenNumber());
            return true;
        case OmPointRWVy:
            p.vy = static_cast<float>(parser.GetTokenNumber());
            return true;
        case OmPointRWVz:
            p.vz = static_cast<float>(parser.GetTokenNumber());
            return true;
        case OmPointRWZero:
            // The 0 that the column writes is taken when it is there.
            return IsNumber(parser.GetToken().GetType());
        case OmPointRWSkip:
            if (IsStructural(parser.GetToken().GetType())) RaiseNotSpecified(parser);
            return true;
        default:
            return false;  // unknown codes take no token
    }
}

// True when the column always takes a token (28 takes one only when it is there).
bool TakesToken(eOmPointRWMask code) {
    int const c = static_cast<int>(code);
    return (c >= 1 && c <= 20) || (c >= 24 && c <= 27) || (c >= 29 && c <= 32) ||
           (c >= 105 && c <= 107);
}

}  // namespace

void RaiseNotSpecified(OmParser& parser) {
    // Ask for a kind the current token is not: the parser raises its status exception with the
    // line and token count of the moment.
    eOmTokentype const wrong =
        parser.GetToken().GetType() == OmTokenBlockBegin ? OmTokenBlockEnd : OmTokenBlockBegin;
    parser.GetToken(wrong);
    parser.GetToken(OmTokenOther);  // not reached: one of the two kinds differs
    throw parser.GetStatus();
}

bool AtBlockEnd(TokenCursor const& cursor) {
    return cursor.parser.GetToken().GetType() == OmTokenBlockEnd;
}

void ReadPointColumns(OmPoint& p, TokenCursor& cursor,
                      TOmFormatTable<eOmPointRWMask> const& format) {
    for (int i = 0; i < format.Size() && format[i] != OmPointRWEnd; ++i) {
        if (ReadColumn(p, format[i], cursor.parser)) cursor.advance();
    }
}

void ReadPointBlock(OmPointList& list, TokenCursor& cursor) {
    TOmFormatTable<eOmPointRWMask> const mask(list.GetMask());
    bool consumes = false;
    for (int i = 0; i < mask.Size() && mask[i] != OmPointRWEnd; ++i)
        consumes |= TakesToken(mask[i]);
    if (!consumes) {
        // A mask that takes no token would read points without end: only an empty block fits.
        if (!AtBlockEnd(cursor)) RaiseNotSpecified(cursor.parser);
        return;
    }
    OmPoint const blank;
    OmPoint point;
    for (;;) {
        point = blank;
        try {
            ReadPointColumns(point, cursor, mask);
        } catch (OmParserStatus const&) {
            if (AtBlockEnd(cursor)) return;
            throw;
        }
        list.Add(point);
    }
}

void ReadIdTable(OmIdTable& table, TokenCursor& cursor) {
    try {
        for (;;) {
            table.Add(static_cast<unsigned int>(TokenBits(cursor.parser)));
            cursor.advance();
        }
    } catch (OmParserStatus const&) {
        if (!AtBlockEnd(cursor)) throw;
    }
}

void ReadIdPairTable(OmIdPairTable& table, TokenCursor& cursor) {
    try {
        for (;;) {
            auto const first = static_cast<unsigned int>(TokenBits(cursor.parser));
            cursor.advance();
            auto const second = static_cast<unsigned int>(TokenBits(cursor.parser));
            cursor.advance();
            table.Add(OmIdPair(first, second));
        }
    } catch (OmParserStatus const&) {
        if (!AtBlockEnd(cursor)) throw;
    }
}

void ReadIdTable2D(OmIdTable2D& table, TokenCursor& cursor) {
    OmParser& parser = cursor.parser;
    int const nx = parser.GetTokenInt();
    cursor.advance();
    int const ny = parser.GetTokenInt();
    cursor.advance();
    // The counts come from the file: never trust their product for an allocation.
    std::int64_t const n = static_cast<std::int64_t>(nx) * static_cast<std::int64_t>(ny);
    if (nx < 0 || ny < 0 || n > OmIdTable2D::kMaxValues) RaiseNotSpecified(parser);
    ValArray2DXY<unsigned int> values(nx, ny);
    for (int y = 0; y < ny; ++y) {
        for (int x = 0; x < nx; ++x) {
            values.Set(x, y, static_cast<unsigned int>(TokenBits(parser)));
            cursor.advance();
        }
    }
    table.GetTable() = values;  // only a table read whole replaces the old one
}

}  // namespace om::points_detail
