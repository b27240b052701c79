// Internal helpers shared by the numerics readers: positional values from a reader's token stream.
#pragma once

namespace om {
class OmParser;
class OmReaderObject;
}  // namespace om

namespace om::detail {

// Raises the reader's "not specified token" status for the current token.
[[noreturn]] void RaiseNotSpecified(const OmParser& parser);

// Takes the current token as a count in 0..limit and advances. Anything else (not an integer,
// negative, above the limit) raises "not specified token", so that a damaged or hostile file
// never decides how much memory is allocated.
int TakeCount(OmReaderObject& reader, long long limit);

// Takes the current token as a value and advances: an integer is converted, a floating-point
// number taken as it is, and any other bare token or string reads as 0.0. A brace or the end of
// the input is no value: the data ended early, which raises "not specified token".
double TakeNumber(OmReaderObject& reader);

}  // namespace om::detail
