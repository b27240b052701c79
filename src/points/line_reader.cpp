#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace om::points_detail {

LineReader::LineReader(std::FILE* file, std::size_t max_line)
    : file_(file), max_line_(std::max<std::size_t>(max_line, 1)) {
    buf_.resize(std::min<std::size_t>(std::size_t{1} << 20, max_line_ + 1) + 1);
}

bool LineReader::Fill() {
    if (at_end_ || file_ == nullptr) return false;
    if (begin_ > 0) {
        std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    // Room for at least a block more and the terminator; lines may need a larger buffer.
    if (buf_.size() - end_ < 4096) buf_.resize(std::max(buf_.size() * 2, end_ + 4096 + 1));
    std::size_t const room = buf_.size() - 1 - end_;
    std::size_t const n = std::fread(buf_.data() + end_, 1, room, file_);
    end_ += n;
    if (n < room && (std::feof(file_) || std::ferror(file_))) {
        at_end_ = true;
        failed_ = std::ferror(file_) != 0;
    }
    return n > 0;
}

void LineReader::DropRestOfLine() {
    for (;;) {
        char* const text = buf_.data() + begin_;
        if (void* nl = std::memchr(text, '\n', end_ - begin_)) {
            begin_ = static_cast<std::size_t>(static_cast<char*>(nl) - buf_.data()) + 1;
            drop_rest_ = false;
            return;
        }
        begin_ = end_;
        if (!Fill()) {
            drop_rest_ = false;
            return;
        }
    }
}

char* LineReader::Next() {
    if (drop_rest_) DropRestOfLine();
    std::size_t scanned = 0;  // bytes of the current line already searched for a line feed
    for (;;) {
        char* const text = buf_.data() + begin_;
        std::size_t const avail = end_ - begin_;
        void* nl = std::memchr(text + scanned, '\n', std::min(avail, max_line_) - scanned);
        if (nl != nullptr) {
            char* const stop = static_cast<char*>(nl);
            *stop = '\0';
            begin_ = static_cast<std::size_t>(stop - buf_.data()) + 1;
            return text;
        }
        if (avail > max_line_) {
            // A line of max_line_ characters, or an over-long one: deliver its first part and
            // drop the rest, which begins with the character overwritten here.
            bool const ends_here = text[max_line_] == '\n';
            text[max_line_] = '\0';
            begin_ += max_line_ + 1;
            drop_rest_ = !ends_here;
            return text;
        }
        scanned = avail;
        if (!Fill()) {
            if (end_ == begin_) return nullptr;
            // The last line has no line feed.
            char* const last = buf_.data() + begin_;
            buf_[end_] = '\0';
            begin_ = end_;
            return last;
        }
    }
}

}  // namespace om::points_detail
