#include "platform/replay/Trace.h"

#include <sstream>
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

std::vector<TraceLine> splitTrace(const std::string& source) {
    std::vector<TraceLine> lines;
    size_t start = 0;
    int number = 0;
    while (start < source.size()) {
        size_t end = source.find('\n', start);
        if (end == std::string::npos) end = source.size();
        ++number;
        std::string text = source.substr(start, end - start);
        start = end + 1;
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        TraceLine line;
        line.number = number;
        if (!(words >> line.verb)) continue;
        for (std::string word; words >> word;) line.words.push_back(word);
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace ik
