// Whole-line reading of text files in large blocks.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

namespace om::points_detail {

// Delivers the lines of a file one by one as writable NUL-terminated text, without the line
// feed. Lines are read whole up to max_line characters; the rest of a longer line is dropped, so
// that it never turns into further lines.
class LineReader {
  public:
    LineReader(std::FILE* file, std::size_t max_line);

    // The next line, valid until the next call; null at the end of the file.
    char* Next();
    // True when reading failed for another reason than the end of the file.
    bool Failed() const { return failed_; }

  private:
    // Reads more of the file behind the unread text; false when nothing more came.
    bool Fill();
    void DropRestOfLine();

    std::FILE* file_;
    std::size_t max_line_;
    std::vector<char> buf_;
    std::size_t begin_ = 0;  // start of the unread text
    std::size_t end_ = 0;    // end of the text read so far
    bool at_end_ = false;
    bool failed_ = false;
    bool drop_rest_ = false;
};

}  // namespace om::points_detail
