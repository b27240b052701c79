// The Read(OmReaderObject*) operations of points, point lists and id tables: the token readers
// driven by the keyword reader's parser.
#include <om/points/id_table.h>
#include <om/points/point.h>
#include <om/points/point_list.h>
#include <om/textio/reader.h>

#include "token_cursor.h"

namespace om {
namespace {

points_detail::TokenCursor CursorOf(OmReaderObject* reader) {
    return {reader->GetParser(), [reader] { reader->NextToken(); }};
}

}  // namespace

OmPoint::OmPoint(OmReaderObject* reader, TOmFormatTable<eOmPointRWMask> const& format) {
    Read(reader, format);
}

int OmPoint::Read(OmReaderObject* reader, TOmFormatTable<eOmPointRWMask> const& format) {
    if (reader == nullptr) return 0;
    auto cursor = CursorOf(reader);
    points_detail::ReadPointColumns(*this, cursor, format);
    return 1;
}

int OmPosition::Read(OmReaderObject* reader) {
    return OmPoint::Read(reader, Format());
}

int OmPointList::Read(OmReaderObject* reader) {
    if (reader == nullptr) return 0;
    auto cursor = CursorOf(reader);
    points_detail::ReadPointBlock(*this, cursor);
    return 1;
}

int OmIdTable::Read(OmReaderObject* reader) {
    if (reader == nullptr) return 0;
    auto cursor = CursorOf(reader);
    points_detail::ReadIdTable(*this, cursor);
    return 1;
}

int OmIdPairTable::Read(OmReaderObject* reader) {
    if (reader == nullptr) return 0;
    auto cursor = CursorOf(reader);
    points_detail::ReadIdPairTable(*this, cursor);
    return 1;
}

int OmIdTable2D::Read(OmReaderObject* reader) {
    if (reader == nullptr) return 0;
    auto cursor = CursorOf(reader);
    points_detail::ReadIdTable2D(*this, cursor);
    return 1;
}

}  // namespace om
