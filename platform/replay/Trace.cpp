#include "platform/replay/Trace.h"

#include <stdexcept>
#include "platform/SystemPaths.h"

namespace ik {

TraceWriter::TraceWriter(const std::string& path) : file_(openFile(path, "wb")) {
    if (file_ == nullptr) throw std::runtime_error("Cannot create file " + path);
}

TraceWriter::~TraceWriter() { std::fclose(file_); }

void TraceWriter::line(const std::string& text) {
    std::fputs(text.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

namespace {

// The characters that part words, as a stream's >> sees them.
bool space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::optional<TraceLine> splitLine(std::string_view text, int number) {
    text = text.substr(0, text.find('#'));
    TraceLine line;
    line.number = number;
    size_t at = 0;
    while (true) {
        while (at < text.size() && space(text[at])) ++at;
        if (at == text.size()) break;
        const size_t start = at;
        while (at < text.size() && !space(text[at])) ++at;
        std::string word(text.substr(start, at - start));
        if (line.verb.empty()) line.verb = std::move(word);
        else
            line.words.push_back(std::move(word));
    }
    if (line.verb.empty()) return std::nullopt;
    return line;
}

std::vector<TraceLine> splitTrace(const std::string& source) {
    std::vector<TraceLine> lines;
    TraceCursor cursor(source, 1);
    while (!cursor.atEnd()) lines.push_back(cursor.take());
    return lines;
}

TraceCursor::TraceCursor(std::string_view text, int firstNumber) : text_(text), nextNumber_(firstNumber) {}

const TraceLine* TraceCursor::peek() {
    while (!current_ && position_ < text_.size()) {
        size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) end = text_.size();
        current_ = splitLine(text_.substr(position_, end - position_), nextNumber_++);
        position_ = end + 1;
    }
    return current_ ? &*current_ : nullptr;
}

TraceLine TraceCursor::take() {
    peek();
    TraceLine line = std::move(*current_);
    current_.reset();
    return line;
}

}  // namespace ik
